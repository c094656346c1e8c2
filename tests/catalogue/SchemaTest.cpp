#include "CatalogueTestSupport.h"

#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "catalogue/CatalogueLists.h"
#include "harvest/TextHelpers.h"
#include "tests/fixtures/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace cataloguetest;

namespace {

const QString DemoFolder = QStringLiteral(CORVINEL_SOURCE_DIR "/data/demo-catalogue/");
const QStringList DataScripts{"language.sql", "suppliers.sql", "tradegroups.sql", "datatext.sql",
                              "parts.sql"};

int Count(const QString& database, const QString& table)
{
    return fixtures::querySql(database, QStringLiteral("SELECT COUNT(*) FROM `%1`").arg(table))
        .at(0)
        .at(0)
        .toInt();
}

// A data script: one INSERT statement per line.
void LoadDataScript(const QString& database, const QString& file)
{
    fixtures::execSql(database, ReadRawLines(DemoFolder + file));
}

QString NewDemoCatalogue()
{
    const QString database = fixtures::createDatabase("demo");
    fixtures::execSql(
        {}, CreationStatements(ReadRawLines(DemoFolder + "1-CREATING_DATABASE_AND_TABLES.sql"), database));
    for (const QString& file : DataScripts)
        LoadDataScript(database, file);
    return database;
}

} // namespace

TEST(CatalogueSchema, CreationScriptCreatesEveryTableEmpty)
{
    const TestCatalogue catalogue = CreateCatalogue("schema");
    QStringList tables;
    for (const QVariantList& row : fixtures::querySql(catalogue.database, "SHOW TABLES"))
        tables << row.at(0).toString();
    tables.sort();
    EXPECT_EQ(tables, (QStringList{"DATATEXT", "LANGUAGES", "MANUFACTURERS", "MODELS", "PARAMETERS", "PARTS",
                                   "SUPPLIERS", "SYSTEMGROUPS", "TRADEGROUPS"}));
    for (const QString& table : tables)
        EXPECT_EQ(Count(catalogue.database, table), table == "PARAMETERS" ? 1 : 0) << qPrintable(table);

    // Keys as the readers rely on them: ARTID is unique, a group may have two texts per language.
    catalogue.exec({"INSERT INTO PARTS VALUES (1, 2, 3, 'A-1', 'A1')",
                    "INSERT INTO TRADEGROUPS VALUES (7, 4, 1)", "INSERT INTO TRADEGROUPS VALUES (7, 4, 2)"});
    EXPECT_THROW(catalogue.exec({"INSERT INTO PARTS VALUES (1, 5, 6, 'B', 'B')"}), std::runtime_error);
    EXPECT_THROW(catalogue.exec({"INSERT INTO PARTS (ARTID, SUPID, GAID) VALUES (NULL, 1, 1)"}),
                 std::runtime_error);
    EXPECT_EQ(Count(catalogue.database, "TRADEGROUPS"), 2);

    // Loading the creation script again empties the catalogue.
    fixtures::execSql({}, CreationStatements(CreationScriptLines(), catalogue.database));
    EXPECT_EQ(Count(catalogue.database, "PARTS"), 0);
    EXPECT_EQ(Count(catalogue.database, "PARAMETERS"), 0);
}

TEST(CatalogueSchema, LinesKeepTheirExactForm)
{
    const QStringList lines = CreationScriptLines(QStringLiteral("INSERT ...; "));
    ASSERT_EQ(lines.size(), 27);
    EXPECT_EQ(lines[12], "INSERT ...; ");
    EXPECT_EQ(CreationScriptLines().size(), 26);
    EXPECT_EQ(lines[3], " ");
    EXPECT_TRUE(lines[26].contains("NOT NULL,  PRIMARY KEY (`MODID`)"));
    for (int i : {4, 10, 19, 20, 21, 22, 23, 24, 25, 26})
        EXPECT_TRUE(lines[i].endsWith("; ")) << i;
}

// The demo catalogue is written as the builder writes its scripts, and its creation script is
// the schema of this program.
TEST(DemoCatalogue, ScriptsHaveTheBuilderFormat)
{
    const QStringList files = QStringList{"1-CREATING_DATABASE_AND_TABLES.sql"} + DataScripts;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(DemoFolder + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
        if (name == files.first())
            continue;
        for (const QString& line : ReadRawLines(file.fileName())) {
            EXPECT_TRUE(line.startsWith("INSERT INTO `") && line.endsWith(";"));
            EXPECT_LE(line.count("),("), 999);
        }
    }
    const QStringList creation = ReadRawLines(DemoFolder + files.first());
    ASSERT_EQ(creation.size(), 27);
    EXPECT_EQ(creation.mid(0, 12) + creation.mid(13), CreationScriptLines());
    EXPECT_TRUE(
        creation[12].startsWith("INSERT INTO `PARAMETERS` (`name`, `value`) VALUES ('DB_DATA_VERSION','"));
}

TEST(DemoCatalogue, LoadsAndFillsTheLists)
{
    const QString database = NewDemoCatalogue();
    EXPECT_GE(Count(database, "SUPPLIERS"), 24);
    EXPECT_GE(Count(database, "PARTS"), 2000);
    EXPECT_GE(
        fixtures::querySql(database, "SELECT COUNT(DISTINCT GAID) FROM TRADEGROUPS").at(0).at(0).toInt(),
        200);
    EXPECT_EQ(Count(database, "TRADEGROUPS"), Count(database, "DATATEXT"));

    // Every clean code is what the lookup computes from the printed number.
    int mismatches = 0;
    for (const QVariantList& row : fixtures::querySql(database, "SELECT CODEPART, FREECODEPART FROM PARTS"))
        mismatches += CleanCode(row.at(0).toString()) != row.at(1).toString();
    EXPECT_EQ(mismatches, 0);
    EXPECT_FALSE(fixtures::querySql(database, "SELECT 1 FROM PARTS WHERE CODEPART LIKE '% %'").isEmpty());
    EXPECT_FALSE(fixtures::querySql(database, "SELECT 1 FROM PARTS WHERE CODEPART LIKE '%/%'").isEmpty());

    TestCatalogue catalogue{database, fixtures::createAccount(database)};
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    RecordingStatusLine status;
    RecordingDialogs dialogs;
    fixtures::TempDir dir;
    CatalogueLists lists;
    const QString version = connection.StartupConnect();
    EXPECT_FALSE(version.isEmpty());
    SettingsStore settings(SettingsFilePath(dir.folder()));
    const auto result = lists.restoreAtStartup(settings, version, connection, status, dir.folder());
    EXPECT_TRUE(result.initialLoad);
    EXPECT_TRUE(result.failedLists.isEmpty());
    EXPECT_GE(lists.languages().count(), 3);
    EXPECT_EQ(lists.languageFieldText(), "en");
    EXPECT_EQ(lists.brands().count(), Count(database, "SUPPLIERS"));
    EXPECT_GE(lists.tradeGroups().count(), 200);
    for (const CatalogueItem& item : lists.tradeGroups().items())
        EXPECT_FALSE(lists.tradeGroupName(item.number).isEmpty());
}

TEST(DemoCatalogue, DataScriptsLoadOnceOnly)
{
    const QString database = NewDemoCatalogue();
    const int groups = Count(database, "TRADEGROUPS");
    for (const char* file : {"language.sql", "suppliers.sql", "datatext.sql", "parts.sql"})
        EXPECT_THROW(LoadDataScript(database, QString::fromLatin1(file)), std::runtime_error) << file;
    LoadDataScript(database, "tradegroups.sql");
    EXPECT_EQ(Count(database, "TRADEGROUPS"), 2 * groups);
}
