#include "CatalogueTestSupport.h"

#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DatabaseError.h"
#include "tests/fixtures/TempDir.h"

#include <gtest/gtest.h>

using namespace cataloguetest;

namespace {

const QString Ok = CatalogueConnection::ConnectedText;
const QString Version = QStringLiteral("12/3");

// Three languages, three brands, trade groups in two languages: GAID 200 has two English texts and
// 950 exists only in German, so the highest number (950) comes from another language.
void FillCatalogue(const TestCatalogue& c)
{
    c.exec({"INSERT INTO LANGUAGES VALUES (1,'de'),(4,'en'),(6,'fr')",
            "INSERT INTO SUPPLIERS VALUES (30,'zeta'),(10,'Alpha'),(20,'beta')",
            "INSERT INTO DATATEXT VALUES (1,'Oil Filter'),(2,'air filter'),(3,'Air Filter, panel'),"
            "(4,'Brake Disc'),(5,'Ölfilter'),(6,'Luftfilter'),(7,'Zündkerze')",
            "INSERT INTO TRADEGROUPS VALUES "
            "(100,4,1),(200,4,2),(200,4,3),(900,4,4),(100,1,5),(200,1,6),(950,1,7)"});
}

QStringList Texts(const SortedItemList& list)
{
    return list.texts();
}

QList<int> TickedPositions(const SortedItemList& list)
{
    QList<int> out;
    for (int i = 0; i < list.count(); ++i)
        if (list.at(i).ticked)
            out << i;
    return out;
}

// One run of the program: the start-up and shutdown steps that touch the lists, in the order the
// main window runs them, against the catalogue and the settings folder given.
class ProgramRun
{
public:
    ProgramRun(const TestCatalogue& catalogue, const QString& folder) : m_folder(folder)
    {
        PointAt(connection, catalogue);
        status.attach(connection);
    }

    CatalogueLists::RestoreResult start()
    {
        const QString version = connection.StartupConnect();
        SettingsStore settings(SettingsFilePath(m_folder));
        lists.setDisplayedDataVersion(settings.ReadString("SETTINGDATA", "VerData", QString()));
        const auto result = lists.restoreAtStartup(settings, version, connection, status, m_folder);
        settings.UpdateFile();
        connection.Reconnect();
        return result;
    }

    void shutdown()
    {
        connection.Disconnect();
        SettingsStore settings(SettingsFilePath(m_folder));
        lists.saveLanguages(settings);
        settings.WriteString("SETTINGDATA", "VerData", lists.displayedDataVersion());
        lists.saveBrands(settings, m_folder);
        lists.saveTradeGroups(settings, m_folder);
        settings.UpdateFile();
    }

    void changeLanguage(const QString& name)
    {
        lists.changeExportLanguage(lists.languages().indexOfText(name), connection, status, m_folder);
    }

    CatalogueConnection connection;
    CatalogueLists lists;
    RecordingStatusLine status;

private:
    QString m_folder;
};

class CatalogueListsTest : public ::testing::Test
{
protected:
    SettingsStore settings() const { return SettingsStore(SettingsFilePath(dir.folder())); }
    void writeSettings(const QString& text) const { ASSERT_TRUE(dir.write("Tesmarin.ini", text.toUtf8())); }

    fixtures::TempDir dir;
    RecordingDialogs dialogs;
};

} // namespace

TEST_F(CatalogueListsTest, FirstStartLoadsEverythingFromTheCatalogueUnticked)
{
    const TestCatalogue catalogue = CreateCatalogue("initial");
    FillCatalogue(catalogue);
    writeSettings("[SETTINGDATA]\r\nFolderForFiles=/work\r\nVerData=11/9\r\n"
                  "[SETTINGDATA_LANG]\r\nLanguageExportID=0\r\n"
                  "[SETTINGDATA_BRANDS]\r\nSelectBrands=[0][1]\r\n"
                  "[SETTINGDATA_TRADEGROUPS]\r\nSelectTradeGroups[en]=[0]\r\n");
    // A brand cache of an older catalogue is not consulted.
    SaveLineFile(BrandCachePath(dir.folder()), {"Stale"});

    ProgramRun run(catalogue, dir.folder());
    const auto result = run.start();

    EXPECT_TRUE(result.initialLoad);
    EXPECT_TRUE(result.failedLists.isEmpty());
    EXPECT_EQ(dialogs.shown, QStringList{CatalogueLists::InitialLoadMessage});
    EXPECT_EQ(run.lists.displayedDataVersion(), Version);
    const QStringList expectedStatus{Ok,
                                     Ok,
                                     CatalogueLists::LoadLanguagesText,
                                     CatalogueLists::LoadBrandsText,
                                     CatalogueLists::LoadTradeGroupsText,
                                     CatalogueConnection::DisconnectedText,
                                     Ok,
                                     Ok};
    EXPECT_EQ(run.status.history(), expectedStatus);

    EXPECT_EQ(Texts(run.lists.languages()), (QStringList{"de", "en", "fr"}));
    EXPECT_EQ(run.lists.selectedLanguage(), 1);
    EXPECT_EQ(run.lists.languageFieldText(), "en");
    EXPECT_EQ(run.lists.exportLanguageId(), 4);

    EXPECT_EQ(Texts(run.lists.brands()), (QStringList{"Alpha", "beta", "zeta"}));
    EXPECT_EQ(run.lists.brands().numbers(), (QList<int>{10, 20, 30}));
    EXPECT_EQ(run.lists.brands().tickedCount(), 0);

    EXPECT_EQ(Texts(run.lists.tradeGroups()),
              (QStringList{"air filter", "Air Filter, panel", "Brake Disc", "Oil Filter"}));
    EXPECT_EQ(run.lists.tradeGroups().numbers(), (QList<int>{200, 200, 900, 100}));
    EXPECT_EQ(run.lists.tradeGroups().tickedCount(), 0);
    EXPECT_EQ(run.lists.tradeGroupNameTableSize(), 951);
    EXPECT_EQ(run.lists.tradeGroupName(100), "Oil Filter");
    EXPECT_TRUE(run.lists.tradeGroupName(200) == "air filter" ||
                run.lists.tradeGroupName(200) == "Air Filter, panel");
    EXPECT_EQ(run.lists.tradeGroupName(950), QString());

    // The start-up saved the erasures; everything else in the file stays.
    const SettingsStore stored = settings();
    EXPECT_FALSE(stored.SectionExists("SETTINGDATA_LANG"));
    EXPECT_FALSE(stored.SectionExists("SETTINGDATA_BRANDS"));
    EXPECT_FALSE(stored.SectionExists("SETTINGDATA_TRADEGROUPS"));
    EXPECT_EQ(stored.ReadString("SETTINGDATA", "FolderForFiles", ""), "/work");
}

TEST_F(CatalogueListsTest, SecondStartWithBothCachesSendsOnlyTheVersionQuery)
{
    const TestCatalogue catalogue = CreateCatalogue("second");
    FillCatalogue(catalogue);
    {
        ProgramRun first(catalogue, dir.folder());
        first.start();
        first.lists.setBrandTicked(2, true);      // zeta
        first.lists.setTradeGroupTicked(1, true); // Air Filter, panel
        first.lists.setTradeGroupTicked(3, true); // Oil Filter
        first.shutdown();
    }
    EXPECT_TRUE(dir.exists("ListOfBrands.ini"));
    EXPECT_TRUE(dir.exists("ListOfTradeGroup[en][123].ini"));
    dialogs.shown.clear();
    const qsizetype before = SentStatements(catalogue).size();

    ProgramRun second(catalogue, dir.folder());
    const auto result = second.start();

    // Proved on the server: nothing but the data version query reached it.
    EXPECT_EQ(SentStatements(catalogue).mid(before),
              QStringList{"SELECT value FROM PARAMETERS WHERE name = 'DB_DATA_VERSION'"});
    EXPECT_FALSE(result.initialLoad);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(second.lists.languageFieldText(), "en");
    EXPECT_EQ(second.lists.exportLanguageId(), 4);
    EXPECT_EQ(second.lists.languages().numbers(), (QList<int>{1, 4, 6}));
    EXPECT_EQ(second.lists.brands().numbers(), (QList<int>{10, 20, 30}));
    EXPECT_EQ(TickedPositions(second.lists.brands()), QList<int>{2});
    EXPECT_EQ(second.lists.tradeGroups().numbers(), (QList<int>{200, 200, 900, 100}));
    EXPECT_EQ(TickedPositions(second.lists.tradeGroups()), (QList<int>{1, 3}));
    EXPECT_EQ(second.lists.tradeGroupNameTableSize(), 901); // from the cache: highest 900
    EXPECT_EQ(second.lists.tradeGroupName(900), "Brake Disc");
}

TEST_F(CatalogueListsTest, LanguageChangeUsesTheCacheWhenThereIsOne)
{
    const TestCatalogue catalogue = CreateCatalogue("language");
    FillCatalogue(catalogue);
    {
        ProgramRun first(catalogue, dir.folder());
        first.start();
        first.lists.setTradeGroupTicked(2, true); // Brake Disc, en
        first.shutdown();
    }

    ProgramRun run(catalogue, dir.folder());
    run.start();
    run.status.clear();
    qsizetype before = SentStatements(catalogue).size();

    // No cache for German: read from the catalogue, unticked, the status put back afterwards.
    run.changeLanguage("de");
    EXPECT_EQ(run.lists.exportLanguageId(), 1);
    // CompareListText folds case and then compares code units: "Ö" sorts after "Z".
    EXPECT_EQ(Texts(run.lists.tradeGroups()), (QStringList{"Luftfilter", "Zündkerze", "Ölfilter"}));
    EXPECT_EQ(run.lists.tradeGroups().tickedCount(), 0);
    EXPECT_EQ(run.status.history().mid(run.status.history().size() - 2),
              (QStringList{CatalogueLists::LoadTradeGroupsText, Ok}));
    const QStringList sent = SentStatements(catalogue).mid(before);
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0], "SELECT  \n   MAX(TG.GAID) AS MAXGAID \nFROM TRADEGROUPS AS TG");
    EXPECT_EQ(sent[1], "SELECT DISTINCT \n   TG.GAID AS GAID, \n   T.NAME AS NAME \nFROM TRADEGROUPS AS TG \n"
                       "   JOIN DATATEXT AS T ON (T.TEXTID = TG.TEXTID)\nWHERE TG.LNGID = 1");

    // Back to English: its cache, with the ticks of the last shutdown, and no query.
    run.lists.setTradeGroupTicked(0, true);
    before = SentStatements(catalogue).size();
    run.changeLanguage("en");
    EXPECT_EQ(SentStatements(catalogue).size(), before);
    EXPECT_EQ(TickedPositions(run.lists.tradeGroups()), QList<int>{2});
    EXPECT_EQ(run.status.history().last(), Ok);

    // A shutdown in German keeps the English ticks; the next change to German finds its cache.
    run.changeLanguage("de");
    run.lists.setTradeGroupTicked(1, true); // Zündkerze
    run.shutdown();
    const SettingsStore stored = settings();
    EXPECT_EQ(stored.ReadString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[en]", ""), "[2]");
    EXPECT_EQ(stored.ReadString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[de]", ""), "[1]");
    EXPECT_EQ(stored.ReadInteger("SETTINGDATA_LANG", "LanguageExportID", -1), 0);

    ProgramRun third(catalogue, dir.folder());
    before = SentStatements(catalogue).size();
    third.start();
    EXPECT_EQ(SentStatements(catalogue).size(), before + 1);
    EXPECT_EQ(third.lists.languageFieldText(), "de");
    EXPECT_EQ(TickedPositions(third.lists.tradeGroups()), QList<int>{1});
    EXPECT_EQ(third.lists.tradeGroupName(950), "Zündkerze");

    // A typed text selects nothing, and nothing changes.
    third.lists.changeExportLanguage(-1, third.connection, third.status, dir.folder());
    EXPECT_EQ(third.lists.exportLanguageId(), 1);
}

TEST_F(CatalogueListsTest, CatalogueWithoutEnglishSelectsNoLanguage)
{
    const TestCatalogue catalogue = CreateCatalogue("noen");
    catalogue.exec({"INSERT INTO LANGUAGES VALUES (1,'de'),(6,'fr')",
                    "INSERT INTO SUPPLIERS VALUES (10,'Alpha')", "INSERT INTO DATATEXT VALUES (1,'Ölfilter')",
                    "INSERT INTO TRADEGROUPS VALUES (100,1,1)"});
    ProgramRun run(catalogue, dir.folder());
    const auto result = run.start();

    EXPECT_TRUE(result.initialLoad);
    EXPECT_EQ(run.lists.languages().count(), 2);
    EXPECT_EQ(run.lists.selectedLanguage(), -1);
    EXPECT_EQ(run.lists.languageFieldText(), QString());
    EXPECT_EQ(run.lists.exportLanguageId(), 0);
    EXPECT_EQ(Texts(run.lists.brands()), QStringList{"Alpha"});
    // Read for language 0, which has no groups; the table still knows the highest number.
    EXPECT_TRUE(run.lists.tradeGroups().isEmpty());
    EXPECT_EQ(run.lists.tradeGroupNameTableSize(), 101);
}

TEST_F(CatalogueListsTest, ShutdownErasesTheSectionsOfEmptyListsAndKeepsTheRest)
{
    const TestCatalogue catalogue = CreateCatalogue("sections");
    FillCatalogue(catalogue);
    // Same version, no languages stored: all three lists stay empty.
    writeSettings("[SETTINGDATA]\r\nVerData=12/3\r\n"
                  "[SETTINGDATA_BRANDS]\r\nSelectBrands=[0]\r\nSelectBrands_ID=[10]\r\n"
                  "[SETTINGDATA_TRADEGROUPS]\r\nSelectTradeGroups[en]=[0]\r\nSelectTradeGroups[de]=[1]\r\n"
                  "[OTHER]\r\nKeep=1\r\n");
    SaveLineFile(BrandCachePath(dir.folder()), {"Alpha"});
    {
        ProgramRun run(catalogue, dir.folder());
        EXPECT_FALSE(run.start().initialLoad);
        EXPECT_TRUE(run.lists.languages().isEmpty());
        EXPECT_TRUE(run.lists.brands().isEmpty());
        EXPECT_TRUE(run.lists.tradeGroups().isEmpty());
        run.shutdown();
    }
    SettingsStore erased(SettingsFilePath(dir.folder()));
    EXPECT_FALSE(erased.SectionExists("SETTINGDATA_LANG"));
    EXPECT_FALSE(erased.SectionExists("SETTINGDATA_BRANDS"));
    EXPECT_FALSE(erased.SectionExists("SETTINGDATA_TRADEGROUPS"));
    EXPECT_EQ(erased.ReadString("OTHER", "Keep", ""), "1");
    EXPECT_TRUE(dir.exists("ListOfBrands.ini")); // caches are never deleted

    // Languages: every position's number; a longer earlier list's keys stay unread.
    erased.WriteString("SETTINGDATA", "VerData", "");
    erased.UpdateFile();
    {
        ProgramRun run(catalogue, dir.folder());
        run.start();
        run.shutdown();
    }
    {
        SettingsStore longer(SettingsFilePath(dir.folder()));
        longer.WriteInteger("SETTINGDATA_LANG", "LanguageExport_LNGID[7]", 99);
        longer.UpdateFile();
        ProgramRun run(catalogue, dir.folder());
        EXPECT_FALSE(run.start().initialLoad);
        run.shutdown();
    }
    const SettingsStore stored(SettingsFilePath(dir.folder()));
    EXPECT_EQ(stored.ReadInteger("SETTINGDATA_LANG", "LanguageExportID", -1), 1);
    EXPECT_EQ(DecodeLanguageText(stored.ReadString("SETTINGDATA_LANG", "LanguageExportText", "")),
              (QStringList{"de", "en", "fr"}));
    EXPECT_EQ(stored.ReadInteger("SETTINGDATA_LANG", "LanguageExport_LNGID[0]", 0), 1);
    EXPECT_EQ(stored.ReadInteger("SETTINGDATA_LANG", "LanguageExport_LNGID[1]", 0), 4);
    EXPECT_EQ(stored.ReadInteger("SETTINGDATA_LANG", "LanguageExport_LNGID[2]", 0), 6);
    EXPECT_EQ(stored.ReadInteger("SETTINGDATA_LANG", "LanguageExport_LNGID[7]", 0), 99);
    EXPECT_EQ(stored.ReadString("SETTINGDATA_BRANDS", "SelectBrands_ID", ""), "[10][20][30]");
    EXPECT_EQ(stored.ReadString("SETTINGDATA_BRANDS", "SelectBrands", "x"), "");
    EXPECT_EQ(stored.ReadString("SETTINGDATA", "VerData", ""), Version);
    EXPECT_EQ(
        ReadRawLines(TradeGroupCachePath("en", Version, dir.folder())),
        (QStringList{"[200]air filter", "[200]Air Filter, panel", "[900]Brake Disc", "[100]Oil Filter"}));
}

// Two brands of one name keep their own numbers and ticks through the cache; so do the brands after
// a name with a line break in it.
TEST_F(CatalogueListsTest, BrandsOfTheSameNameKeepTheirNumbers)
{
    const TestCatalogue catalogue = CreateCatalogue("dupes");
    catalogue.exec(
        {"INSERT INTO LANGUAGES VALUES (4,'en')",
         "INSERT INTO SUPPLIERS VALUES (5,'DUPLEX'),(7,'Acme'),(9,'Duplex'),(3,'Zed'),(11,'Multi\\nLine')"});
    {
        ProgramRun first(catalogue, dir.folder());
        first.start();
        ASSERT_EQ(Texts(first.lists.brands()),
                  (QStringList{"Acme", "DUPLEX", "Duplex", "Multi\nLine", "Zed"}));
        first.lists.setBrandTicked(2, true);
        first.lists.setBrandTicked(4, true);
        first.shutdown();
    }
    ProgramRun second(catalogue, dir.folder());
    second.start();
    EXPECT_EQ(Texts(second.lists.brands()), (QStringList{"Acme", "DUPLEX", "Duplex", "Multi Line", "Zed"}));
    EXPECT_EQ(second.lists.brands().numbers(), (QList<int>{7, 5, 9, 11, 3}));
    EXPECT_EQ(TickedPositions(second.lists.brands()), (QList<int>{2, 4}));
}

TEST_F(CatalogueListsTest, BrandCachePairsEachLineWithTheIdAtItsPlace)
{
    struct Case
    {
        const char* name;
        QStringList lines;
        QString ids;
        QString ticks;
        QStringList texts;
        QList<int> numbers;
        QList<int> ticked;
    };
    const Case cases[] = {
        {"as always written: sorted, unique",
         {"Acme", "Bolt", "Zed"},
         "[7][8][3]",
         "[1]",
         {"Acme", "Bolt", "Zed"},
         {7, 8, 3},
         {1}},
        // Another program's sort order (accents, punctuation): ids and ticks follow their lines.
        {"lines in another order", {"Zed", "Acme"}, "[3][7]", "[0]", {"Acme", "Zed"}, {7, 3}, {1}},
        {"accent sorted as its letter",
         {"LÖBRO", "LPR", "LZ"},
         "[5][6][7]",
         "[1]",
         {"LPR", "LZ", "LÖBRO"},
         {6, 7, 5},
         {0}},
        {"fewer ids than lines",
         {"Acme", "Bolt", "Zed"},
         "[7][9]",
         "",
         {"Acme", "Bolt", "Zed"},
         {7, 9, 0},
         {}},
        {"unreadable id", {"Acme", "Bolt"}, "[x][4]", "[5]", {"Acme", "Bolt"}, {0, 4}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixtures::TempDir folder;
        SaveLineFile(BrandCachePath(folder.folder()), c.lines);
        SettingsStore store(SettingsFilePath(folder.folder()));
        store.WriteString("SETTINGDATA_BRANDS", "SelectBrands_ID", c.ids);
        store.WriteString("SETTINGDATA_BRANDS", "SelectBrands", c.ticks);
        CatalogueLists lists;
        lists.loadBrandsFromCache(store, folder.folder());
        EXPECT_EQ(Texts(lists.brands()), c.texts);
        EXPECT_EQ(lists.brands().numbers(), c.numbers);
        EXPECT_EQ(TickedPositions(lists.brands()), c.ticked);
    }
}

TEST_F(CatalogueListsTest, TradeGroupCacheKeepsTicksOfEqualNamesAndSizesTheTable)
{
    // Two groups named alike: their order in the file is the order their ticks were saved in.
    SaveLineFile(dir.path("groups.ini"), {"[5]Belt", "[300]Filter", "[1000]Filter", "Loose", "[300]Filter"});
    SettingsStore store(SettingsFilePath(dir.folder()));
    store.WriteString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[en]", "[2][3]");
    CatalogueLists lists;
    lists.loadTradeGroupsFromCache(dir.path("groups.ini"), "en", store);

    EXPECT_EQ(Texts(lists.tradeGroups()), (QStringList{"Belt", "Filter", "Filter", "Loose"}));
    EXPECT_EQ(lists.tradeGroups().numbers(), (QList<int>{5, 300, 1000, 0}));
    EXPECT_EQ(TickedPositions(lists.tradeGroups()), (QList<int>{2, 3}));
    EXPECT_EQ(lists.tradeGroupNameTableSize(), 1001);
    EXPECT_EQ(lists.tradeGroupName(1000), "Filter");
    EXPECT_EQ(lists.tradeGroupName(999), QString());
}

// A cache whose lines are in another sort order than ours (written elsewhere, or before a change of
// the list order) keeps each tick on the group it was saved for.
TEST_F(CatalogueListsTest, TradeGroupCacheTicksFollowTheirLines)
{
    SaveLineFile(dir.path("groups.ini"), {"[6]ABS Ring", "[5]A.B.S. Sensor", "[7]LÖBRO Joint", "[8]LPR Pad"});
    SettingsStore store(SettingsFilePath(dir.folder()));
    store.WriteString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[en]", "[1][3]");
    CatalogueLists lists;
    lists.loadTradeGroupsFromCache(dir.path("groups.ini"), "en", store);

    EXPECT_EQ(lists.tradeGroups().numbers(), (QList<int>{5, 6, 8, 7}));
    QList<int> ticked;
    for (const CatalogueItem& item : lists.tradeGroups().items())
        if (item.ticked)
            ticked << item.number;
    EXPECT_EQ(ticked, (QList<int>{5, 8}));
}

TEST_F(CatalogueListsTest, UnreachableServerWithoutBrandCacheStillRestoresTheRest)
{
    const TestCatalogue catalogue = CreateCatalogue("offline");
    FillCatalogue(catalogue);
    {
        ProgramRun first(catalogue, dir.folder());
        first.start();
        first.lists.setTradeGroupTicked(3, true);
        first.lists.setBrandTicked(0, true);
        first.shutdown();
    }
    ASSERT_TRUE(QFile::remove(BrandCachePath(dir.folder())));
    dialogs.shown.clear();

    ProgramRun offline(catalogue, dir.folder());
    offline.connection.setPassword("refused");
    const auto result = offline.start();

    EXPECT_FALSE(result.initialLoad);
    EXPECT_EQ(result.failedLists, QStringList{"brands"});
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains("brands"));
    EXPECT_EQ(offline.lists.languageFieldText(), "en");
    EXPECT_TRUE(offline.lists.brands().isEmpty());
    EXPECT_EQ(TickedPositions(offline.lists.tradeGroups()), QList<int>{3});
    EXPECT_EQ(offline.status.history().last(), CatalogueConnection::DisconnectedText);

    // The failed list leaves what is stored alone, so the ticks come back with the server.
    offline.shutdown();
    EXPECT_EQ(settings().ReadString("SETTINGDATA_BRANDS", "SelectBrands", ""), "[0]");
    EXPECT_EQ(settings().ReadString("SETTINGDATA_BRANDS", "SelectBrands_ID", ""), "[10][20][30]");
}

TEST_F(CatalogueListsTest, FailedInitialLoadIsReportedOnceAndRepeatedNextTime)
{
    const TestCatalogue catalogue = CreateCatalogue("partial");
    FillCatalogue(catalogue);
    catalogue.exec({"DROP TABLE SUPPLIERS"});
    {
        ProgramRun run(catalogue, dir.folder());
        const auto result = run.start();
        EXPECT_TRUE(result.initialLoad);
        EXPECT_EQ(result.failedLists, QStringList{"brands"});
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(dialogs.shown.size(), 2); // the initial load message, then the failure
        EXPECT_EQ(run.lists.languageFieldText(), "en");
        EXPECT_EQ(run.lists.tradeGroups().count(), 4);
        // The lists are not complete for this version, so they do not claim it.
        EXPECT_EQ(run.lists.displayedDataVersion(), QString());
        run.shutdown();
    }
    catalogue.exec({"CREATE TABLE SUPPLIERS (SUPID INT NOT NULL, BRAND VARCHAR(60) NOT NULL)",
                    "INSERT INTO SUPPLIERS VALUES (10,'Alpha')"});
    dialogs.shown.clear();
    ProgramRun again(catalogue, dir.folder());
    EXPECT_TRUE(again.start().initialLoad);
    EXPECT_EQ(dialogs.shown, QStringList{CatalogueLists::InitialLoadMessage});
    EXPECT_EQ(Texts(again.lists.brands()), QStringList{"Alpha"});
    EXPECT_EQ(again.lists.displayedDataVersion(), Version);
}

TEST_F(CatalogueListsTest, LanguageChangeFailureLeavesTheStatusAndTheStoredCacheAlone)
{
    const TestCatalogue catalogue = CreateCatalogue("changefail");
    FillCatalogue(catalogue);
    {
        ProgramRun first(catalogue, dir.folder());
        first.start();
        first.shutdown();
    }
    ProgramRun run(catalogue, dir.folder());
    run.start();
    catalogue.exec({"DROP TABLE DATATEXT"});
    EXPECT_THROW(run.changeLanguage("de"), DatabaseError);
    EXPECT_EQ(run.status.history().last(), Ok);
    EXPECT_TRUE(run.lists.tradeGroups().isEmpty());
    run.shutdown();
    EXPECT_FALSE(dir.exists("ListOfTradeGroup[de][123].ini"));
    EXPECT_TRUE(settings().SectionExists("SETTINGDATA_TRADEGROUPS"));
}

// Text typed into the language field after the groups were loaded names no loaded list: the groups
// and their ticks stay filed under the language they belong to, whatever the field says.
TEST_F(CatalogueListsTest, TypedLanguageTextDoesNotFileTheGroupsUnderAnotherLanguage)
{
    const TestCatalogue catalogue = CreateCatalogue("typed");
    FillCatalogue(catalogue);
    for (const QString& typed : {QStringLiteral("de"), QStringLiteral("en/de")}) {
        SCOPED_TRACE(typed.toStdString());
        fixtures::TempDir folder;
        {
            ProgramRun first(catalogue, folder.folder());
            first.start();
            first.lists.setTradeGroupTicked(2, true); // Brake Disc
            first.lists.setLanguageFieldText(typed);
            ASSERT_NO_THROW(first.shutdown());
        }
        EXPECT_FALSE(folder.exists(TradeGroupCacheName("de", Version)));
        const SettingsStore stored(SettingsFilePath(folder.folder()));
        EXPECT_EQ(stored.ReadString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[en]", ""), "[2]");
        EXPECT_EQ(stored.ReadString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[" + typed + "]", "none"),
                  "none");

        // German comes from the catalogue in German, not from a cache of English names.
        ProgramRun second(catalogue, folder.folder());
        second.start();
        EXPECT_EQ(TickedPositions(second.lists.tradeGroups()), QList<int>{2});
        second.changeLanguage("de");
        EXPECT_EQ(Texts(second.lists.tradeGroups()), (QStringList{"Luftfilter", "Zündkerze", "Ölfilter"}));
    }
}

// Choosing the language whose groups are shown (again from the list, or Enter in the field) keeps
// the ticks made since the start; after a failed load the same choice tries again.
TEST_F(CatalogueListsTest, ChoosingTheShownLanguageAgainKeepsTheTicks)
{
    const TestCatalogue catalogue = CreateCatalogue("again");
    FillCatalogue(catalogue);
    {
        ProgramRun first(catalogue, dir.folder());
        first.start();
        first.shutdown();
    }
    ProgramRun run(catalogue, dir.folder());
    run.start();
    run.lists.setTradeGroupTicked(1, true);
    const qsizetype before = SentStatements(catalogue).size();
    run.changeLanguage("en");
    EXPECT_EQ(TickedPositions(run.lists.tradeGroups()), QList<int>{1});
    EXPECT_EQ(SentStatements(catalogue).size(), before);

    catalogue.exec({"RENAME TABLE DATATEXT TO DATATEXT_AWAY"});
    EXPECT_THROW(run.changeLanguage("de"), DatabaseError);
    catalogue.exec({"RENAME TABLE DATATEXT_AWAY TO DATATEXT"});
    run.changeLanguage("de");
    EXPECT_EQ(Texts(run.lists.tradeGroups()), (QStringList{"Luftfilter", "Zündkerze", "Ölfilter"}));
}

TEST_F(CatalogueListsTest, RepeatedLanguageNamesKeepTheirNumbers)
{
    // A catalogue with two languages of the same name (case aside): the stored list is restored
    // whole, each name with the number stored at its place, and the selection stays on "fr".
    const TestCatalogue catalogue = CreateCatalogue("samelang");
    FillCatalogue(catalogue);
    SettingsStore stored(SettingsFilePath(dir.folder()));
    stored.WriteString("SETTINGDATA", "VerData", Version);
    stored.WriteInteger("SETTINGDATA_LANG", "LanguageExportID", 3);
    stored.WriteString("SETTINGDATA_LANG", "LanguageExportText",
                       EncodeLanguageText({"de", "EN", "en", "fr"}));
    for (int i = 0; i < 4; ++i)
        stored.WriteInteger("SETTINGDATA_LANG", QStringLiteral("LanguageExport_LNGID[%1]").arg(i), 11 + i);
    stored.UpdateFile();

    ProgramRun run(catalogue, dir.folder());
    const auto result = run.start();

    EXPECT_FALSE(result.initialLoad);
    EXPECT_EQ(Texts(run.lists.languages()), (QStringList{"de", "EN", "en", "fr"}));
    EXPECT_EQ(run.lists.languages().numbers(), (QList<int>{11, 12, 13, 14}));
    EXPECT_EQ(run.lists.languageFieldText(), "fr");
    EXPECT_EQ(run.lists.exportLanguageId(), 14);
}
