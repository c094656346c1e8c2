#include "compare/PartLookup.h"

#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/CatalogueQuery.h"
#include "harvest/TextHelpers.h"

TradeGroupNames TradeGroupNamesOf(const CatalogueLists& lists)
{
    return [&lists](int gaid) { return lists.tradeGroupName(gaid); };
}

QStringList PartLookupSql(const QString& typedCode)
{
    // CleanCode leaves ASCII letters and digits only, so the code cannot break out of the quotes.
    return {
        QStringLiteral("SELECT DISTINCT"),
        QStringLiteral("   (S.BRAND) AS BRAND, "),
        QStringLiteral("   P.SUPID AS SUPID, "),
        QStringLiteral("   P.CODEPART AS CODE,"),
        QStringLiteral("   P.GAID AS GAID"),
        QStringLiteral("FROM PARTS AS P  "),
        QStringLiteral("     LEFT JOIN SUPPLIERS AS S ON (S.SUPID = P.SUPID)"),
        QStringLiteral("WHERE P.FREECODEPART = '") + CleanCode(typedCode) + QStringLiteral("' "),
        QStringLiteral("ORDER BY BRAND, CODE"),
    };
}

QString BrandListItem(const QString& brand, const QString& code, const QString& tradeGroupName)
{
    return QLatin1Char('[') + brand + QStringLiteral("] >") + code + QStringLiteral("< - ") + tradeGroupName;
}

BrandItemParts SplitBrandListItem(const QString& item)
{
    return {TextBetween(item, QStringLiteral("["), QStringLiteral("]")),
            TextBetween(item, QStringLiteral(">"), QStringLiteral("<"))};
}

QStringList LookupPartItems(CatalogueQuery& query, const QString& typedCode, const TradeGroupNames& names)
{
    query.run(PartLookupSql(typedCode));
    QStringList items{SelectBrandText};
    for (; !query.eof(); query.next()) {
        const int gaid = query.fieldAsInteger(QStringLiteral("GAID"));
        items << BrandListItem(query.fieldAsString(QStringLiteral("BRAND")),
                               query.fieldAsString(QStringLiteral("CODE")), names ? names(gaid) : QString());
    }
    query.close();
    return items;
}

QStringList LookupPart(CatalogueConnection& connection, const QString& typedCode,
                       const TradeGroupNames& names)
{
    if (!connection.isOpen())
        connection.Reconnect();
    return LookupPartItems(connection.query(), typedCode, names);
}
