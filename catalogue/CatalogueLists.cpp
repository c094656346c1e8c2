#include "CatalogueLists.h"

#include "CatalogueConnection.h"
#include "CatalogueQuery.h"
#include "StatusLine.h"

#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "platform/Blanks.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"

#include <QFileInfo>
#include <QSet>

namespace ListKeys {
QString LanguageNumberKey(int position)
{
    return QStringLiteral("LanguageExport_LNGID[%1]").arg(position);
}

QString TradeGroupTicksKey(const QString& language)
{
    return QStringLiteral("SelectTradeGroups[") + language + QLatin1Char(']');
}
} // namespace ListKeys

namespace {
const QString LanguageSection = QString::fromLatin1(ListKeys::LanguageSection);
const QString BrandSection = QString::fromLatin1(ListKeys::BrandSection);
const QString TradeGroupSection = QString::fromLatin1(ListKeys::TradeGroupSection);
const QString LanguageIdKey = QStringLiteral("LanguageExportID");
const QString LanguageTextKey = QStringLiteral("LanguageExportText");
const QString BrandTicksKey = QStringLiteral("SelectBrands");
const QString BrandIdsKey = QStringLiteral("SelectBrands_ID");

// A name holding a line break would split into two cache lines and shift every pairing after it.
QString asCacheLine(QString name)
{
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

bool fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}
} // namespace

CatalogueLists::CatalogueLists(QObject* parent) : QObject(parent) {}

void CatalogueLists::selectLanguage(int position)
{
    if (position >= 0 && position < m_languages.count()) {
        m_selectedLanguage = position;
        m_languageText = m_languages.at(position).text;
    } else {
        m_selectedLanguage = -1;
        m_languageText.clear();
    }
}

void CatalogueLists::clearTradeGroupNames()
{
    m_tradeGroupNames.clear();
    m_maxTradeGroupId = 0;
}

void CatalogueLists::loadLanguagesFromCatalogue(CatalogueQuery& query)
{
    m_languagesFailed = true;
    query.run({QStringLiteral("SELECT LNGID, NAME FROM LANGUAGES ")});
    QList<CatalogueItem> items;
    items.reserve(query.recordCount());
    while (!query.eof()) {
        items.append(
            {query.fieldAsString(QStringLiteral("NAME")), query.fieldAsInteger(QStringLiteral("LNGID"))});
        query.next();
    }
    m_languages.addAll(std::move(items));
    m_languagesFailed = false;
    emit languagesChanged();
}

void CatalogueLists::loadBrandsFromCatalogue(CatalogueQuery& query)
{
    m_brands.clear();
    m_brandsFailed = true;
    emit brandsChanged();
    query.run({QStringLiteral("SELECT SUPID, BRAND FROM SUPPLIERS ")});
    QList<CatalogueItem> items;
    items.reserve(query.recordCount());
    while (!query.eof()) {
        items.append(
            {query.fieldAsString(QStringLiteral("BRAND")), query.fieldAsInteger(QStringLiteral("SUPID"))});
        query.next();
    }
    m_brands.addAll(std::move(items));
    m_brandsFailed = false;
    emit brandsChanged();
}

void CatalogueLists::loadTradeGroupsFromCatalogue(CatalogueQuery& query)
{
    m_tradeGroups.clear();
    m_tradeGroupsFailed = true;
    m_tradeGroupLanguage = m_languageText;
    emit tradeGroupsChanged();

    query.run({QStringLiteral("SELECT  "), QStringLiteral("   MAX(TG.GAID) AS MAXGAID "),
               QStringLiteral("FROM TRADEGROUPS AS TG ")});
    clearTradeGroupNames();
    // The highest number over all languages sizes the table.
    m_maxTradeGroupId = query.eof() ? 0 : qMax(0, query.fieldAsInteger(0));

    query.run({QStringLiteral("SELECT DISTINCT "), QStringLiteral("   TG.GAID AS GAID, "),
               QStringLiteral("   T.NAME AS NAME "), QStringLiteral("FROM TRADEGROUPS AS TG "),
               QStringLiteral("   JOIN DATATEXT AS T ON (T.TEXTID = TG.TEXTID)"),
               QStringLiteral("WHERE TG.LNGID = %1 ").arg(m_exportLanguageId)});
    QList<CatalogueItem> items;
    items.reserve(query.recordCount());
    while (!query.eof()) {
        CatalogueItem item{query.fieldAsString(QStringLiteral("NAME")),
                           query.fieldAsInteger(QStringLiteral("GAID"))};
        // Of two texts of one group the row read last names it.
        m_tradeGroupNames.insert(item.number, item.text);
        items.append(std::move(item));
        query.next();
    }
    m_tradeGroups.addAll(std::move(items));
    m_tradeGroupsFailed = false;
    emit tradeGroupsChanged();
}

void CatalogueLists::loadBrandsFromCache(const SettingsStore& settings, const QString& folder)
{
    m_brands.clear();
    // Each cache line pairs with the id token and the tick at its place in the file, before
    // sorting, so two brands of one name keep their own numbers, and a file sorted in another order
    // keeps its ticks on their brands.
    const QStringList lines = ReadRawLines(BrandCachePath(folder));
    const int count = int(lines.size());
    const QList<int> ids = ReadIdList(settings.ReadString(BrandSection, BrandIdsKey, QString()), count);
    const QList<bool> ticks =
        ReadIndexList(settings.ReadString(BrandSection, BrandTicksKey, QString()), count);
    QList<CatalogueItem> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.append({lines[i], ids[i], ticks[i]});
    m_brands.addAll(std::move(items));
    m_brandsFailed = false;
    emit brandsChanged();
}

void CatalogueLists::loadTradeGroupsFromCache(const QString& path, const QString& language,
                                              const SettingsStore& settings)
{
    clearTradeGroupNames();
    m_tradeGroups.clear();
    m_tradeGroupLanguage = language;
    // The file was written in list order with a tick per position: each line takes the tick at its
    // place in the file before sorting, so groups of equal names, or a file sorted in another order,
    // keep their ticks. A line repeated exactly is still read once.
    const QStringList lines = ReadRawLines(path);
    const QList<bool> ticks = ReadIndexList(
        settings.ReadString(TradeGroupSection, ListKeys::TradeGroupTicksKey(language), QString()),
        int(lines.size()));
    QList<CatalogueItem> items;
    QSet<QString> seen;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString key = lines[i].toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        const CacheLine parsed = ParseCacheLine(lines[i]);
        items.append({parsed.name, parsed.number, ticks[i]});
        m_maxTradeGroupId = qMax(m_maxTradeGroupId, parsed.number);
    }
    m_tradeGroups.addAll(std::move(items));
    for (const CatalogueItem& item : m_tradeGroups.items())
        m_tradeGroupNames.insert(item.number, item.text);
    m_tradeGroupsFailed = false;
    emit tradeGroupsChanged();
}

CatalogueLists::RestoreResult CatalogueLists::restoreAtStartup(SettingsStore& settings,
                                                               const QString& catalogueDataVersion,
                                                               CatalogueConnection& connection,
                                                               StatusLine& status, const QString& folder)
{
    RestoreResult result;
    CatalogueQuery& query = connection.query();
    m_languages.clear();
    m_selectedLanguage = -1;
    m_languageText.clear();
    emit languagesChanged();

    // Each list is tried on its own: one that fails is reported once at the end, the others load.
    auto attempt = [&](const QString& what, auto&& load) {
        try {
            load();
        } catch (const AppError& e) {
            result.failedLists << what;
            if (result.error.isEmpty())
                result.error = e.message();
        }
    };

    const QString displayed = TrimBlanks(m_displayedVersion);
    if (connection.isOpen() && (displayed.isEmpty() || displayed != catalogueDataVersion)) {
        result.initialLoad = true;
        m_displayedVersion = catalogueDataVersion;
        dialogs().show(InitialLoadMessage);
        settings.EraseSection(LanguageSection);
        settings.EraseSection(BrandSection);
        settings.EraseSection(TradeGroupSection);

        status.setText(LoadLanguagesText);
        attempt(QStringLiteral("languages"), [&] { loadLanguagesFromCatalogue(query); });
        const int en = m_languages.indexOfText(QStringLiteral("en"));
        if (en >= 0) {
            selectLanguage(en);
            m_exportLanguageId = m_languages.at(en).number;
            emit languagesChanged();
        }
        status.setText(LoadBrandsText);
        attempt(QStringLiteral("brands"), [&] { loadBrandsFromCatalogue(query); });
        status.setText(LoadTradeGroupsText);
        attempt(QStringLiteral("trade groups"), [&] { loadTradeGroupsFromCatalogue(query); });
        query.close();
        // Lists that did not load must not be stored under the new version, or the next start would
        // take them as complete; an empty version makes the next start load them again.
        if (!result.failedLists.isEmpty())
            m_displayedVersion.clear();
    } else {
        // Languages from the settings file. Each name takes its number by its stored position before
        // the list sorts, so two languages of the same name cannot shift the numbers after them.
        const QStringList names =
            DecodeLanguageTextLines(settings.ReadString(LanguageSection, LanguageTextKey, QString()));
        QList<CatalogueItem> items;
        items.reserve(names.size());
        for (qsizetype i = 0; i < names.size(); ++i)
            items.append(
                {names[i], settings.ReadInteger(LanguageSection, ListKeys::LanguageNumberKey(int(i)), 0)});
        m_languages.addAll(std::move(items));
        const int position = settings.ReadInteger(LanguageSection, LanguageIdKey, -1);
        selectLanguage(position);
        if (m_selectedLanguage >= 0)
            m_exportLanguageId = m_languages.at(m_selectedLanguage).number;
        emit languagesChanged();

        if (m_selectedLanguage >= 0) {
            if (fileExists(BrandCachePath(folder))) {
                attempt(QStringLiteral("brands"), [&] { loadBrandsFromCache(settings, folder); });
            } else {
                status.setText(LoadBrandsText);
                attempt(QStringLiteral("brands"), [&] { loadBrandsFromCatalogue(query); });
            }
            const QString cache = TradeGroupCachePath(m_languageText, m_displayedVersion, folder);
            if (fileExists(cache)) {
                attempt(QStringLiteral("trade groups"),
                        [&] { loadTradeGroupsFromCache(cache, m_languageText, settings); });
            } else {
                status.setText(LoadTradeGroupsText);
                attempt(QStringLiteral("trade groups"), [&] { loadTradeGroupsFromCatalogue(query); });
            }
        }
    }

    if (!result.failedLists.isEmpty()) {
        dialogs().show(QStringLiteral("Could not load the list of %1 from the catalogue server: %2")
                           .arg(result.failedLists.join(QStringLiteral(" and ")), result.error),
                       Dialogs::Icon::Error);
    }
    return result;
}

void CatalogueLists::changeExportLanguage(int position, CatalogueConnection& connection, StatusLine& status,
                                          const QString& folder)
{
    if (position < 0 || position >= m_languages.count())
        return;
    // The language whose groups are shown chosen again (or Enter in the field) changes nothing;
    // reloading would drop the ticks made since the start.
    const bool shown = position == m_selectedLanguage && !m_tradeGroupsFailed &&
                       m_tradeGroupLanguage == m_languages.at(position).text;
    selectLanguage(position);
    if (shown)
        return;
    connection.Reconnect();

    const QString remembered = status.text();
    m_exportLanguageId = m_languages.at(position).number;
    const QString cache = TradeGroupCachePath(m_languageText, m_displayedVersion, folder);
    try {
        if (fileExists(cache)) {
            const SettingsStore settings(SettingsFilePath(folder));
            loadTradeGroupsFromCache(cache, m_languageText, settings);
        } else {
            status.setText(LoadTradeGroupsText);
            loadTradeGroupsFromCatalogue(connection.query());
        }
    } catch (...) {
        // A "Wait, ..." text left behind would claim the load is still running.
        status.setText(remembered);
        throw;
    }
    status.setText(remembered);
}

void CatalogueLists::saveLanguages(SettingsStore& settings) const
{
    if (m_languagesFailed)
        return;
    if (m_languages.isEmpty()) {
        settings.EraseSection(LanguageSection);
        return;
    }
    settings.WriteInteger(LanguageSection, LanguageIdKey, m_selectedLanguage);
    settings.WriteString(LanguageSection, LanguageTextKey, EncodeLanguageText(m_languages.texts()));
    for (int i = 0; i < m_languages.count(); ++i)
        settings.WriteInteger(LanguageSection, ListKeys::LanguageNumberKey(i), m_languages.at(i).number);
}

void CatalogueLists::saveBrands(SettingsStore& settings, const QString& folder) const
{
    if (m_brandsFailed)
        return;
    if (m_brands.isEmpty()) {
        settings.EraseSection(BrandSection);
        return;
    }
    settings.WriteString(BrandSection, BrandTicksKey, WriteIndexList(m_brands.ticks()));
    QStringList lines;
    lines.reserve(m_brands.count());
    for (const CatalogueItem& item : m_brands.items())
        lines << asCacheLine(item.text);
    SaveLineFile(BrandCachePath(folder), lines);
    settings.WriteString(BrandSection, BrandIdsKey, WriteIdList(m_brands.numbers()));
}

void CatalogueLists::saveTradeGroups(SettingsStore& settings, const QString& folder) const
{
    if (m_tradeGroupsFailed)
        return;
    if (m_tradeGroups.isEmpty()) {
        settings.EraseSection(TradeGroupSection);
        return;
    }
    settings.WriteString(TradeGroupSection, ListKeys::TradeGroupTicksKey(m_tradeGroupLanguage),
                         WriteIndexList(m_tradeGroups.ticks()));
    QStringList lines;
    lines.reserve(m_tradeGroups.count());
    for (const CatalogueItem& item : m_tradeGroups.items())
        lines << FormatCacheLine(item.number, asCacheLine(item.text));
    SaveLineFile(TradeGroupCachePath(m_tradeGroupLanguage, m_displayedVersion, folder), lines);
}
