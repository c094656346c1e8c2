#pragma once

#include "SortedItemList.h"

#include <QHash>
#include <QObject>
#include <QString>

class CatalogueConnection;
class CatalogueQuery;
class SettingsStore;
class StatusLine;

// The three catalogue lists without their controls: export languages (ComboBox1, one selected or
// none), brands (CheckListBox1) and trade groups of the export language (CheckListBox2), with the
// trade group name table, the export language id and the displayed data version (Edit2).
// Window thread only. The window mirrors the lists into its controls when the *Changed signals
// fire, and hands the user's ticks back with setBrandTicked()/setTradeGroupTicked() (or through
// brands()/tradeGroups() before saving).
class CatalogueLists : public QObject
{
    Q_OBJECT

public:
    // Status texts and the start-up message.
    static constexpr QLatin1String LoadLanguagesText{"Wait, load list of languages ..."};
    static constexpr QLatin1String LoadBrandsText{"Wait, load list of brands ..."};
    static constexpr QLatin1String LoadTradeGroupsText{"Wait, load list of trade groups ..."};
    static constexpr QLatin1String InitialLoadMessage{"Will be loading of initial configurations ..."};

    explicit CatalogueLists(QObject* parent = nullptr);

    // Languages.
    const SortedItemList& languages() const { return m_languages; }
    int selectedLanguage() const { return m_selectedLanguage; }
    // Selects an item (its text goes into the field), or none with -1 (the field is emptied).
    void selectLanguage(int position);
    // The text of the language field; it names the trade group cache and its ticks key.
    const QString& languageFieldText() const { return m_languageText; }
    // Text typed into the field: no item is selected by it.
    void setLanguageFieldText(const QString& text) { m_languageText = text; }
    // LNGID of the selected language; keeps its value when none is selected (0 at program start).
    int exportLanguageId() const { return m_exportLanguageId; }

    const SortedItemList& brands() const { return m_brands; }
    void setBrandTicked(int position, bool ticked) { m_brands.setTicked(position, ticked); }
    const SortedItemList& tradeGroups() const { return m_tradeGroups; }
    void setTradeGroupTicked(int position, bool ticked) { m_tradeGroups.setTicked(position, ticked); }

    // Trade group name table, indexed by GAID: the name of a group of the list, empty otherwise.
    QString tradeGroupName(int gaid) const { return m_tradeGroupNames.value(gaid); }
    // Highest known GAID; the table holds maxTradeGroupId() + 1 entries.
    int maxTradeGroupId() const { return m_maxTradeGroupId; }
    qint64 tradeGroupNameTableSize() const { return qint64(m_maxTradeGroupId) + 1; }
    // Empties the name table and sets its highest number to 0 (main window creation).
    void clearTradeGroupNames();

    // Edit2: the catalogue data version the lists belong to, stored as VerData.
    const QString& displayedDataVersion() const { return m_displayedVersion; }
    void setDisplayedDataVersion(const QString& version) { m_displayedVersion = version; }

    // Loads from the catalogue through the one query pattern; throw DatabaseError.
    void loadLanguagesFromCatalogue(CatalogueQuery& query);
    void loadBrandsFromCatalogue(CatalogueQuery& query);
    void loadTradeGroupsFromCatalogue(CatalogueQuery& query);
    // Loads from the caches beside the program, with the ticks stored in 'settings'.
    void loadBrandsFromCache(const SettingsStore& settings, const QString& folder);
    void loadTradeGroupsFromCache(const QString& path, const QString& language,
                                  const SettingsStore& settings);

    struct RestoreResult
    {
        bool initialLoad = false;
        // Lists that could not be read from the catalogue ("languages", "brands", "trade groups"),
        // and the first error; the failure has already been reported once through dialogs().
        QStringList failedLists;
        QString error;
    };
    // Start-up step "restore the catalogue lists", after the start-up connect and after the window
    // has set the displayed data version from VerData. 'settings' is the start-up's open document
    // (the window saves it at the end of start-up). A list that cannot be read from the catalogue is
    // reported once and left empty, and the rest goes on, so the start-up can restore every other
    // setting. Throws only what is not a database or file error.
    RestoreResult restoreAtStartup(SettingsStore& settings, const QString& catalogueDataVersion,
                                   CatalogueConnection& connection, StatusLine& status,
                                   const QString& folder);

    // ComboBox1Change: the user picked the language at 'position' (-1: text typed, nothing to do).
    // Re-connects, then loads the trade groups from their cache or the catalogue; the status line
    // ends with the text it had after the re-connect. Throws DatabaseError when the catalogue query
    // fails; the trade group list then stays empty. Choosing the language whose groups are shown
    // again does nothing.
    void changeExportLanguage(int position, CatalogueConnection& connection, StatusLine& status,
                              const QString& folder);

    // Shutdown, in the order the window writes its keys: [SETTINGDATA_LANG]; [SETTINGDATA_BRANDS] with
    // ListOfBrands.ini; [SETTINGDATA_TRADEGROUPS] with the trade group cache. The cache savers throw
    // FileError. A list whose catalogue load failed in this run leaves its stored section and cache
    // as they were rather than overwriting them with what little it holds. The trade groups are
    // stored under the language they were loaded for, which is the field's text unless text was
    // typed into the field afterwards.
    void saveLanguages(SettingsStore& settings) const;
    void saveBrands(SettingsStore& settings, const QString& folder) const;
    void saveTradeGroups(SettingsStore& settings, const QString& folder) const;

signals:
    void languagesChanged();
    void brandsChanged();
    void tradeGroupsChanged();

private:
    SortedItemList m_languages;
    int m_selectedLanguage = -1;
    QString m_languageText;
    int m_exportLanguageId = 0;

    SortedItemList m_brands;
    SortedItemList m_tradeGroups;
    QHash<int, QString> m_tradeGroupNames;
    int m_maxTradeGroupId = 0;
    // The language the trade group list was loaded for; text typed into the field since then
    // must not file these groups and their ticks under another language.
    QString m_tradeGroupLanguage;

    QString m_displayedVersion;

    // Set when a catalogue load of that list failed and nothing has replaced it since.
    bool m_languagesFailed = false;
    bool m_brandsFailed = false;
    bool m_tradeGroupsFailed = false;
};

// Section and key names of the lists in the settings file.
namespace ListKeys {
inline constexpr const char* LanguageSection = "SETTINGDATA_LANG";
inline constexpr const char* BrandSection = "SETTINGDATA_BRANDS";
inline constexpr const char* TradeGroupSection = "SETTINGDATA_TRADEGROUPS";
QString LanguageNumberKey(int position);             // "LanguageExport_LNGID[" + i + "]"
QString TradeGroupTicksKey(const QString& language); // "SelectTradeGroups[" + language + "]"
} // namespace ListKeys
