#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CatalogueConnection;
class CatalogueLists;
class CatalogueQuery;

// The lookup of a typed part number in the catalogue and the brand list items it gives
// («[BRAND] >CODE< - NAME»). Window thread only, like the catalogue connection.

// The first item of the brand list, always there.
inline const QString SelectBrandText = QStringLiteral("select BRAND");

// The trade group name of a GAID in the export language; empty when there is none.
using TradeGroupNames = std::function<QString(int gaid)>;
// The names of the loaded trade group list.
TradeGroupNames TradeGroupNamesOf(const CatalogueLists& lists);

// The statement of the lookup, line by line, with the clean code of 'typedCode' written in.
QStringList PartLookupSql(const QString& typedCode);

// "[" + brand + "] >" + code + "< - " + trade group name.
QString BrandListItem(const QString& brand, const QString& code, const QString& tradeGroupName);

// Brand and part number taken back out of an item's text, untrimmed; empty where the markers
// are missing (as in "select BRAND").
struct BrandItemParts
{
    QString brand;
    QString codepart;
};
BrandItemParts SplitBrandListItem(const QString& item);

// The new brand list for 'typedCode': "select BRAND" first, then one item per result row in
// the server's order (brand, then part number). Throws DatabaseError when the query fails; the
// caller's list then stays as it was.
QStringList LookupPartItems(CatalogueQuery& query, const QString& typedCode, const TradeGroupNames& names);

// Enter in the number field: re-connects first when the connection is not open, as the
// re-connect button does, then looks up. Throws DatabaseError.
QStringList LookupPart(CatalogueConnection& connection, const QString& typedCode,
                       const TradeGroupNames& names);

// The list the number field resets to when a key other than Enter is typed.
inline QStringList EmptyBrandList()
{
    return {SelectBrandText};
}
