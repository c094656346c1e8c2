// Start-up and shutdown of the main window against a real catalogue server.
#include "MainTestSupport.h"

#include "app/SettingsStore.h"
#include "catalogue/CatalogueLists.h"
#include "tests/catalogue/CatalogueTestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace maintest;

namespace {
const QString InitialLoad = QStringLiteral("Will be loading of initial configurations ...");

cataloguetest::TestCatalogue makeCatalogue()
{
    cataloguetest::TestCatalogue c =
        cataloguetest::CreateCatalogue(QStringLiteral("shell"), QStringLiteral("12/3"));
    c.exec({"INSERT INTO LANGUAGES VALUES (1,'de'),(4,'en')",
            "INSERT INTO SUPPLIERS VALUES (7,'BOSCH'),(9,'ARVELTA'),(3,'mann')",
            "INSERT INTO DATATEXT VALUES "
            "(100,'Filters'),(101,'Brakes'),(102,'Wipers'),(200,'Filter'),(201,'Bremsen')",
            "INSERT INTO TRADEGROUPS VALUES (10,4,100),(20,4,101),(30,4,102),(10,1,200),(20,1,201)"});
    return c;
}

QStringList texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QList<bool> ticks(const QListWidget* list)
{
    QList<bool> out;
    for (int i = 0; i < list->count(); ++i)
        out << (list->item(i)->checkState() == Qt::Checked);
    return out;
}

QByteArray golden(const QString& name, const QByteArray& actual)
{
    const QString path = QStringLiteral(CORVINEL_APP_TEST_DATA "/") + name;
    QFile f(path);
    // CORVINEL_UPDATE_GOLDEN=1 writes the files anew; review the difference before committing it.
    if (qEnvironmentVariableIntValue("CORVINEL_UPDATE_GOLDEN") == 1 && f.open(QIODevice::WriteOnly)) {
        f.write(actual);
        return actual;
    }
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class MainStartup : public ::testing::Test
{
protected:
    void SetUp() override { catalogue = makeCatalogue(); }

    std::unique_ptr<TForm1> window()
    {
        auto form = std::make_unique<TForm1>(OptionsFor(dir));
        cataloguetest::PointAt(*form->CON_MYSQL, catalogue);
        QObject::connect(form.get(), &TForm1::statusTextChanged, [this](const QString& t) { statuses << t; });
        return form;
    }

    // First start and a shutdown with some ticks, as a user would leave it.
    void firstRun()
    {
        auto form = window();
        form->FormShow();
        form->CheckListBox1->item(0)->setCheckState(Qt::Checked);
        form->CheckListBox1->item(2)->setCheckState(Qt::Checked);
        form->CheckListBox2->item(1)->setCheckState(Qt::Checked);
        ASSERT_TRUE(form->FormCloseQuery());
    }

    cataloguetest::TestCatalogue catalogue;
    fixtures::TempDir dir;
    ScriptedDialogs dialogs;
    ShellRecorder shell;
    QStringList statuses;
};

TEST_F(MainStartup, FirstStartLoadsTheCatalogue)
{
    auto form = window();
    form->FormShow();
    EXPECT_EQ(dialogs.texts(), QStringList{InitialLoad});
    EXPECT_EQ(form->ComboBox1->currentText(), QStringLiteral("en"));
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("12/3"));
    EXPECT_EQ(texts(form->CheckListBox1), QStringList({"ARVELTA", "BOSCH", "mann"}));
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>(3, false));
    EXPECT_EQ(texts(form->CheckListBox2), QStringList({"Brakes", "Filters", "Wipers"}));
    EXPECT_EQ(ticks(form->CheckListBox2), QList<bool>(3, false));
    EXPECT_EQ(form->Label13->text(), QStringLiteral("TRADE GROUPS [0]"));
    EXPECT_EQ(form->Label6->text(), QStringLiteral("SETTING DATA ::  | en | ver.data 12/3"));
    // Saved at the end of start-up, with the list sections erased.
    ASSERT_TRUE(dir.exists(QStringLiteral("Tesmarin.ini")));
    EXPECT_FALSE(SettingsStore(dir.path(QStringLiteral("Tesmarin.ini")))
                     .SectionExists(QStringLiteral("SETTINGDATA_LANG")));
    // The connect event and the connect step both report; a repeated text changes nothing shown.
    QStringList shown;
    for (const QString& t : std::as_const(statuses))
        if (shown.isEmpty() || shown.last() != t)
            shown << t;
    EXPECT_EQ(shown, QStringList({"Internet connection is OK !", "Wait, load list of languages ...",
                                  "Wait, load list of brands ...", "Wait, load list of trade groups ...",
                                  "Running ...", "No internet connection !", "Internet connection is OK !"}));
}

TEST_F(MainStartup, ShutdownWritesTheGoldenSettingsFile)
{
    firstRun();
    const QByteArray written = dir.read(QStringLiteral("Tesmarin.ini"));
    EXPECT_EQ(QString::fromUtf8(written),
              QString::fromUtf8(golden(QStringLiteral("shutdown-Tesmarin.ini"), written)));
    EXPECT_EQ(dir.read(QStringLiteral("ListOfBrands.ini")), Ini("ARVELTA\nBOSCH\nmann\n"));
    EXPECT_EQ(dir.read(QStringLiteral("ListOfTradeGroup[en][123].ini")),
              Ini("[20]Brakes\n[10]Filters\n[30]Wipers\n"));
}

TEST_F(MainStartup, SecondStartRestoresTheListsWithoutListQueries)
{
    firstRun();
    dialogs.shown.clear();
    statuses.clear();
    const qsizetype sentBefore = cataloguetest::SentStatements(catalogue).size();

    auto form = window();
    form->FormShow();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join('|'));
    EXPECT_EQ(form->ComboBox1->currentText(), QStringLiteral("en"));
    EXPECT_EQ(texts(form->CheckListBox1), QStringList({"ARVELTA", "BOSCH", "mann"}));
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>({true, false, true}));
    EXPECT_EQ(ticks(form->CheckListBox2), QList<bool>({false, true, false}));
    EXPECT_EQ(form->Label13->text(), QStringLiteral("TRADE GROUPS [1]"));
    const QStringList sent = cataloguetest::SentStatements(catalogue).mid(sentBefore);
    ASSERT_EQ(sent.size(), 1) << qPrintable(sent.join(QLatin1Char('\n')));
    EXPECT_EQ(sent[0].trimmed(),
              QStringLiteral("SELECT value FROM PARAMETERS WHERE name = 'DB_DATA_VERSION'"));
}

TEST_F(MainStartup, ChangedDataVersionReloadsWithoutTicks)
{
    firstRun();
    dialogs.shown.clear();
    catalogue.exec({"UPDATE PARAMETERS SET value = '12/4'"});
    auto form = window();
    form->FormShow();
    EXPECT_EQ(dialogs.texts(), QStringList{InitialLoad});
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("12/4"));
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>(3, false));
    EXPECT_EQ(ticks(form->CheckListBox2), QList<bool>(3, false));
}

TEST_F(MainStartup, UnreachableServerUsesTheStoredLists)
{
    firstRun();
    dialogs.shown.clear();
    statuses.clear();
    auto form = window();
    form->CON_MYSQL->setPort(ClosedPort());
    form->CON_MYSQL->setConnectTimeout(2);
    form->FormShow();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join('|'));
    EXPECT_EQ(statuses.first(), QStringLiteral("No internet connection !"));
    EXPECT_EQ(statuses.last(), QStringLiteral("No internet connection !"));
    EXPECT_TRUE(statuses.contains(QStringLiteral("Running ...")));
    EXPECT_FALSE(statuses.contains(QStringLiteral("Internet connection is OK !")));
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("12/3"));
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>({true, false, true}));
    EXPECT_EQ(texts(form->CheckListBox2), QStringList({"Brakes", "Filters", "Wipers"}));
}

TEST_F(MainStartup, MissingCacheWhileUnreachableStillRestoresTheOtherSettings)
{
    firstRun();
    {
        SettingsStore store(dir.path(QStringLiteral("Tesmarin.ini")));
        store.WriteString(QStringLiteral("SETTINGDATA"), QStringLiteral("ValueFactor"),
                          QStringLiteral("2,5"));
        store.WriteString(QStringLiteral("SETTINGDATA"), QStringLiteral("FolderForFiles"),
                          QStringLiteral("D:\\kept"));
        store.UpdateFile();
    }
    QFile::remove(dir.path(QStringLiteral("ListOfBrands.ini")));
    dialogs.shown.clear();
    auto form = window();
    form->CON_MYSQL->setPort(ClosedPort());
    form->CON_MYSQL->setConnectTimeout(2);
    form->FormShow();
    EXPECT_EQ(dialogs.shown.size(), 1); // the brand list could not be read
    EXPECT_EQ(form->Edit4->text(), QStringLiteral("2,5"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("D:\\kept"));
    EXPECT_EQ(texts(form->CheckListBox2), QStringList({"Brakes", "Filters", "Wipers"}));
    ASSERT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(SettingsStore(dir.path(QStringLiteral("Tesmarin.ini")))
                  .ReadString(QStringLiteral("SETTINGDATA"), QStringLiteral("ValueFactor"), QString()),
              QStringLiteral("2,5"));
}
