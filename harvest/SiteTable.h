#pragma once

#include "app/SettingsFiles.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The supplier site table: one tagged template «<#tag>value</#tag>» per supplier, looked up by
// the supplier's position in the supplier list. Fields, in this order: url, searchpage,
// getstartline, [getnextstartline], [cleancodepartonly], getprice. Safe to call from any thread.

inline constexpr int SiteCount = 96;

// The template of row 'index' (0..95), the eBay rows completed with the sort choice read afresh
// from the settings file in 'folder'; empty for any other index.
QString SiteTemplate(int index, const QString& folder = ProgramFolder());

// The built-in table, whatever override is installed.
QString BuiltInSiteTemplate(int index, const QString& folder = ProgramFolder());

// The value of field 'tag' ("url", "searchpage", ...) of a template; empty when the tag is
// absent or empty.
QString SiteField(const QString& siteTemplate, const QString& tag);

// The supplier list captions in index order (the items of the main window's supplier list and
// of the comparison supplier list).
QStringList SupplierCaptions();
QString SupplierCaption(int index); // empty outside 0..95

// The home page address of a row: its url field; empty outside 0..95.
QString SiteHomePage(int index, const QString& folder = ProgramFolder());
// Hands the home page of a row to the shell; false, and nothing opened, when the address is
// blank.
bool OpenSiteHomePage(int index, const QString& folder = ProgramFolder());

// eBay rows: those whose caption contains "EBAY." (rows 32..40). Each keeps its sort choice, the
// position in the eBay sort list, in the settings file.
bool IsEbaySite(int index);
// The settings key of an eBay row in section EbaySettingsSection; empty for any other row.
QString EbaySortKey(int index);
inline constexpr char16_t EbaySettingsSection[] = u"SettForEbaySite";
// The items of the eBay sort list, in the order of the stored choices.
QStringList EbaySortChoices();
// The "&_sop=" parameter for a stored choice; 12 (best match) for an unknown choice.
int EbaySortCode(int storedChoice);
// The stored choice of an eBay row as it stands in the file (0 when missing or not a number, or
// for any other row). Choices outside the sort list act as best match.
int ReadEbaySortChoice(int index, const QString& folder = ProgramFolder());
// Writes the choice of an eBay row and saves the settings file at once; does nothing for any
// other row. Throws FileError when the file cannot be written.
void StoreEbaySortChoice(int index, int choice, const QString& folder = ProgramFolder());

// Tests point rows at their own servers: while an override is installed, SiteTemplate(index)
// for 0..95 returns override(index). An empty function restores the built-in table. Returns the
// previous override. The override is called from worker threads too.
using SiteTableOverride = std::function<QString(int index)>;
SiteTableOverride setSiteTableOverride(SiteTableOverride override);

// The fields of a template; an optional field without a value leaves its tag out.
struct SiteFields
{
    QString url;
    QString searchpage;
    QString getstartline;
    std::optional<QString> getnextstartline;
    std::optional<QString> cleancodepartonly;
    QString getprice;
};
QString MakeSiteTemplate(const SiteFields& fields);
