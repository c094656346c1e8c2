#include "MainTestSupport.h"

#include "app/MainWidgets.h"
#include "app/SettingsStore.h"
#include "harvest/DebugLog.h"
#include "harvest/SiteTable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>

using namespace maintest;

namespace {
const QString Setting = QStringLiteral("SETTINGDATA");

int ebayRow(const QString& key)
{
    for (int i = 0; i < SiteCount; ++i)
        if (EbaySortKey(i) == key)
            return i;
    return -1;
}
int firstPlainRow()
{
    for (int i = 0; i < SiteCount; ++i)
        if (!IsEbaySite(i))
            return i;
    return -1;
}

void tick(QListWidget* list, const QList<int>& rows)
{
    for (int r : rows)
        list->item(r)->setCheckState(Qt::Checked);
}

void fillList(QListWidget* list, int n)
{
    for (int i = 0; i < n; ++i) {
        auto* item = new QListWidgetItem(QStringLiteral("item %1").arg(i), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QList<bool> ticks(const QListWidget* list)
{
    QList<bool> out;
    for (int i = 0; i < list->count(); ++i)
        out << (list->item(i)->checkState() == Qt::Checked);
    return out;
}
} // namespace

class MainWindow : public ::testing::Test
{
protected:
    std::unique_ptr<TForm1> start()
    {
        auto form = OfflineWindow(OptionsFor(dir));
        form->FormShow();
        return form;
    }
    fixtures::TempDir dir;
    ScriptedDialogs dialogs;
    ShellRecorder shell;
};

TEST_F(MainWindow, DesignedLook)
{
    TForm1 form(OptionsFor(dir));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("CORVINEL"));
    EXPECT_EQ(form.size(), QSize(777, 660));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.StaticText1->text(), QStringLiteral("Running ..."));
    EXPECT_EQ(form.ComboBox2->count(), SiteCount);
    EXPECT_EQ(form.ComboBox2->itemText(0), SupplierCaption(0));
    EXPECT_EQ(form.ComboBox5->count(), 8);
    EXPECT_EQ(form.ComboBox5->currentText(), QStringLiteral("Best Match"));
    EXPECT_FALSE(form.ComboBox5->isEnabled());
    EXPECT_FALSE(form.Label28->isEnabled());
    EXPECT_EQ(form.Edit4->text(), QStringLiteral("1"));
    EXPECT_EQ(form.Edit7->text(), QStringLiteral("5"));
    EXPECT_EQ(form.Edit5->text(), QStringLiteral("1000000"));
    EXPECT_EQ(form.ComboBox3->currentText(), QStringLiteral(";"));
    EXPECT_TRUE(form.CheckBox1->isChecked());
    EXPECT_TRUE(form.CheckBox2->isChecked());
    EXPECT_TRUE(form.Edit2->isReadOnly());
    EXPECT_EQ(form.Edit8->text(), QStringLiteral("enter number"));
    EXPECT_EQ(form.ComboBox4->currentText(), QStringLiteral("select BRAND"));
    EXPECT_EQ(form.SpeedButton7->text(), QStringLiteral("   EXPORT TABLES ..."));
    EXPECT_EQ(
        form.SpeedButton8->toolTip(),
        QStringLiteral("SELECT / UNCHECK POSITIONS IN LIST OPEN PANEL : \"BRANDS\" OR \"TRADE GROUPS\""));
    EXPECT_EQ(form.Action1->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    // The comparison grid: a header and one empty row.
    ASSERT_EQ(form.StringGrid1->columnCount(), 5);
    EXPECT_EQ(form.StringGrid1->rowCount(), 1);
    const QStringList headers = {"price", "SUPPLIER", "manufacturer", "reference", "name"};
    const int widths[] = {75, 160, 100, 150, 300};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(form.StringGrid1->horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(form.StringGrid1->columnWidth(c), widths[c]);
    }
    // Panels as designed: settings open, BRANDS open, the others closed.
    EXPECT_EQ(form.SpeedButton4->text(), QStringLiteral("-"));
    EXPECT_EQ(form.settingDataPanel()->panelHeight(), 220);
    EXPECT_EQ(form.exportSettingsPanel()->panelHeight(), 185);
    EXPECT_EQ(form.SpeedButton1->text(), QStringLiteral("-"));
    for (QToolButton* b : {form.SpeedButton11, form.SpeedButton10, form.SpeedButton2, form.SpeedButton20})
        EXPECT_EQ(b->text(), QStringLiteral("+"));
}

TEST_F(MainWindow, NoSettingsFileGivesEveryDefaultAndCreatesTheFile)
{
    auto form = start();
    EXPECT_TRUE(dir.exists(QStringLiteral("Tesmarin.ini")));
    EXPECT_EQ(form->Edit1->text(), QString());
    EXPECT_EQ(form->Edit4->text(), QStringLiteral("1"));
    EXPECT_EQ(form->Edit7->text(), QStringLiteral("5"));
    EXPECT_EQ(form->Edit5->text(), QStringLiteral("1000000"));
    EXPECT_EQ(form->ComboBox3->currentIndex(), 0);
    EXPECT_EQ(form->ComboBox2->currentIndex(), 0);
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join('|'));
}

TEST_F(MainWindow, StoredValuesAreCheckedAtStartUp)
{
    const struct
    {
        QByteArray factor, maxRows;
        QString wantFactor, wantMaxRows;
    } cases[] = {
        {"1,25", "500", "1,25", "500"}, {"1.25", "0x10", "1.25", "0x10"}, {"abc", "1e6", "1", "1000000"},
        {"", "12abc", "1", "1000000"},  {"2", "-5", "2", "-5"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                              Ini("[SETTINGDATA]\nValueFactor=" + c.factor + "\nCSV_MaxRows=" + c.maxRows +
                                  "\nColThreads=zz\n")));
        auto form = start();
        EXPECT_EQ(form->Edit4->text(), c.wantFactor) << c.factor.constData();
        EXPECT_EQ(form->Edit5->text(), c.wantMaxRows) << c.maxRows.constData();
        EXPECT_EQ(form->Edit7->text(), QStringLiteral("zz")); // threads are not checked here
    }
}

TEST_F(MainWindow, StoredControlValuesAreRestored)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nFolderForFiles=D:\\work\nVerData=12/3\nCSV_Separator=2\n"
                              "CSV_EditZeroPrice=0\nCleanListForComparePrice=yes\nActiveSupplier=5\n")));
    auto form = start();
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("D:\\work"));
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("12/3"));
    EXPECT_EQ(form->ComboBox3->currentText(), QStringLiteral("TAB"));
    EXPECT_FALSE(form->CheckBox1->isChecked());
    EXPECT_TRUE(form->CheckBox2->isChecked()); // not a number: the default
    EXPECT_EQ(form->ComboBox2->currentIndex(), 5);
}

TEST_F(MainWindow, SupplierOutsideTheListSelectsNone)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nActiveSupplier=96\nCSV_Separator=7\n")));
    auto form = start();
    EXPECT_EQ(form->ComboBox2->currentIndex(), -1);
    EXPECT_FALSE(form->ComboBox5->isEnabled());
    EXPECT_EQ(form->ComboBox3->currentIndex(), -1);
    form->SpeedButton5Click();
    EXPECT_TRUE(shell.opened.filter(QStringLiteral("http")).isEmpty());
}

TEST_F(MainWindow, StoredEbaySupplierRestoresItsSortChoice)
{
    const int coUk = ebayRow(QStringLiteral("SotfForEbayCoUk"));
    const int de = ebayRow(QStringLiteral("SotfForEbayDe"));
    ASSERT_GE(coUk, 0);
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nActiveSupplier=" + QByteArray::number(coUk) +
                              "\n[SettForEbaySite]\nSotfForEbayCoUk=3\nSotfForEbayDe=6\n")));
    auto form = start();
    EXPECT_TRUE(form->ComboBox5->isEnabled());
    EXPECT_TRUE(form->Label28->isEnabled());
    EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("Price: Lowest First"));

    // Another eBay site shows its own choice; a plain shop disables the sort list.
    form->ComboBox2->setCurrentIndex(de);
    form->ComboBox2Change();
    EXPECT_EQ(form->ComboBox5->currentIndex(), 6);
    form->ComboBox2->setCurrentIndex(firstPlainRow());
    form->ComboBox2Change();
    EXPECT_FALSE(form->ComboBox5->isEnabled());
    EXPECT_FALSE(form->Label28->isEnabled());
}

TEST_F(MainWindow, PlainStoredSupplierLeavesTheSortListDisabled)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"), Ini("[SETTINGDATA]\nActiveSupplier=" +
                                                              QByteArray::number(firstPlainRow()) + "\n")));
    auto form = start();
    EXPECT_FALSE(form->ComboBox5->isEnabled());
    EXPECT_FALSE(form->Label28->isEnabled());
}

TEST_F(MainWindow, SortChoiceIsStoredAtOnceForItsEbaySiteOnly)
{
    auto form = start();
    const int it = ebayRow(QStringLiteral("SotfForEbayIt"));
    form->ComboBox2->setCurrentIndex(it);
    form->ComboBox2Change();
    form->ComboBox5->setCurrentIndex(4);
    form->ComboBox5CloseUp();
    {
        SettingsStore store(dir.path(QStringLiteral("Tesmarin.ini")));
        EXPECT_EQ(store.ReadInteger(QStringLiteral("SettForEbaySite"), QStringLiteral("SotfForEbayIt"), -1),
                  4);
        EXPECT_FALSE(store.ValueExists(QStringLiteral("SettForEbaySite"), QStringLiteral("SotfForEbayDe")));
    }
    EXPECT_TRUE(SiteTemplate(it, dir.folder()).contains(QStringLiteral("&_sop=3<")));

    // A plain shop writes nothing.
    const QByteArray before = dir.read(QStringLiteral("Tesmarin.ini"));
    form->ComboBox2->setCurrentIndex(firstPlainRow());
    form->ComboBox5CloseUp();
    EXPECT_EQ(dir.read(QStringLiteral("Tesmarin.ini")), before);
}

TEST_F(MainWindow, HomePageButtonOpensTheChosenShop)
{
    auto form = start();
    shell.opened.clear();
    form->ComboBox2->setCurrentIndex(7);
    form->SpeedButton5Click();
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(shell.opened[0], SiteHomePage(7, dir.folder()));
}

TEST_F(MainWindow, CaptionIsExtendedOnce)
{
    MainOptions options = OptionsFor(dir);
    options.programVersion = QStringLiteral("1.4.2");
    TForm1 form(options);
    form.FormActivate();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("CORVINEL ver [1.4.2] - created by Halvemark"));
    EXPECT_EQ(form.programVersionText, QStringLiteral("1.4.2"));
    form.FormActivate();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("CORVINEL ver [1.4.2] - created by Halvemark"));
}

TEST_F(MainWindow, StartUpFoldsTheSettingsPanelsWithTheirSummaries)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nFolderForFiles=D:\\work\nVerData=12/3\nValueFactor=1,5\n")));
    auto form = start();
    EXPECT_EQ(form->SpeedButton4->text(), QStringLiteral("+"));
    EXPECT_EQ(form->SpeedButton6->text(), QStringLiteral("+"));
    EXPECT_EQ(form->settingDataPanel()->panelHeight(), 41);
    EXPECT_EQ(form->exportSettingsPanel()->panelHeight(), 41);
    EXPECT_EQ(form->Label6->text(), QStringLiteral("SETTING DATA :: D:\\work |  | ver.data 12/3"));
    EXPECT_EQ(form->Label12->text(),
              QStringLiteral("EXPORT PRICES :: ") + SupplierCaption(0) + " | factor 1,5");
    // BRANDS open, the rest closed, the trade group count shown.
    const int work = form->workAreaHeight();
    EXPECT_EQ(form->listPanel(PanelFolding::Brands)->panelHeight(), work - 202);
    EXPECT_EQ(form->CheckListBox1->height(), work - 252);
    EXPECT_EQ(form->Label13->text(), QStringLiteral("TRADE GROUPS [0]"));
    EXPECT_EQ(form->Label1->text(), QStringLiteral("BRANDS"));

    // Opening a settings panel shrinks the work area, the open list panel and its list with it.
    form->SpeedButton4Click();
    EXPECT_EQ(form->Label6->text(), QStringLiteral("SETTING DATA"));
    EXPECT_EQ(form->settingDataPanel()->panelHeight(), 220);
    EXPECT_EQ(form->workAreaHeight(), work - 179);
    EXPECT_EQ(form->listPanel(PanelFolding::Brands)->panelHeight(), work - 179 - 202);
    EXPECT_EQ(form->CheckListBox1->height(), work - 179 - 252);
    // The summary is built from the controls at the moment the panel closes.
    form->Edit1->setText(QStringLiteral("E:\\other"));
    form->SpeedButton4Click();
    EXPECT_EQ(form->Label6->text(), QStringLiteral("SETTING DATA :: E:\\other |  | ver.data 12/3"));
    EXPECT_EQ(form->workAreaHeight(), work);
}

TEST_F(MainWindow, ListPanelsFoldOneAtATime)
{
    auto form = start();
    fillList(form->CheckListBox1, 5);
    tick(form->CheckListBox1, {0, 2, 4});
    const int work = form->workAreaHeight();

    form->SpeedButton20Click(); // open COMPARE PRICES while BRANDS is open
    EXPECT_EQ(form->SpeedButton1->text(), QStringLiteral("+"));
    EXPECT_EQ(form->SpeedButton20->text(), QStringLiteral("-"));
    EXPECT_EQ(form->Label1->text(), QStringLiteral("BRANDS [3]"));
    EXPECT_EQ(form->listPanel(PanelFolding::ComparePrices)->panelHeight(), work - 202);
    EXPECT_EQ(form->listPanel(PanelFolding::ComparePrices)->innerPart()->height(), work - 252);
    EXPECT_FALSE(form->listPanel(PanelFolding::ComparePrices)->innerPart()->isHidden());
    EXPECT_TRUE(form->CheckListBox1->isHidden());
    for (auto p : {PanelFolding::Brands, PanelFolding::TradeGroups, PanelFolding::PreparationTables,
                   PanelFolding::ExportPrices})
        EXPECT_EQ(form->listPanel(p)->panelHeight(), 41);
    // Panels stack from the top of the work area.
    EXPECT_EQ(form->listPanel(PanelFolding::ComparePrices)->y(), 4 * 41);

    form->SpeedButton20Click(); // close it: none open
    for (int p = 0; p < PanelFolding::ListPanelCount; ++p)
        EXPECT_EQ(form->listPanel(PanelFolding::ListPanel(p))->panelHeight(), 41);
    EXPECT_TRUE(form->listPanel(PanelFolding::ComparePrices)->innerPart()->isHidden());

    form->SpeedButton1Click(); // reopening BRANDS shows its plain title
    EXPECT_EQ(form->Label1->text(), QStringLiteral("BRANDS"));
    EXPECT_FALSE(form->CheckListBox1->isHidden());

    form->SpeedButton10Click(); // PREPARATION TABLES: the brand count is there for the export
    EXPECT_EQ(form->Label1->text(), QStringLiteral("BRANDS [3]"));
    EXPECT_EQ(form->listPanel(PanelFolding::PreparationTables)->panelHeight(), work - 202);
    form->SpeedButton2Click();
    EXPECT_EQ(form->listPanel(PanelFolding::ExportPrices)->innerPart()->height(), work - 252);
    EXPECT_EQ(form->listPanel(PanelFolding::PreparationTables)->panelHeight(), 41);
}

TEST_F(MainWindow, TickAllWorksOnTheOpenList)
{
    auto form = start();
    fillList(form->CheckListBox1, 3);
    fillList(form->CheckListBox2, 6);
    form->CheckListBox2->item(4)->setCheckState(Qt::Checked);
    form->CheckListBox2->item(1)->setCheckState(Qt::Checked);

    form->SpeedButton11Click(); // TRADE GROUPS open
    form->CheckListBox2->setCurrentRow(4);
    form->SpeedButton8Click();
    EXPECT_EQ(ticks(form->CheckListBox2), QList<bool>(6, false));
    form->SpeedButton8Click();
    EXPECT_EQ(ticks(form->CheckListBox2), QList<bool>(6, true));
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>(3, false));
    EXPECT_EQ(form->Label13->text(), QStringLiteral("TRADE GROUPS")); // titles untouched

    form->SpeedButton11Click(); // nothing open: nothing changes
    form->SpeedButton8Click();
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>(3, false));
    EXPECT_EQ(ticks(form->CheckListBox2), QList<bool>(6, true));
    EXPECT_EQ(form->Label13->text(), QStringLiteral("TRADE GROUPS [6]"));

    form->SpeedButton1Click(); // BRANDS open, no selection: the first item is the reference
    form->CheckListBox1->setCurrentRow(-1);
    form->SpeedButton8Click();
    EXPECT_EQ(ticks(form->CheckListBox1), QList<bool>(3, true));
}

TEST_F(MainWindow, ExplainButtonsKeepTheirTrailingBlank)
{
    TForm1 form(OptionsFor(dir));
    form.SpeedButton19Click();
    form.SpeedButton25Click();
    EXPECT_EQ(
        dialogs.texts(),
        QStringList({"Number of threads that will run for determining the price for the specified parts. ",
                     "Factor, on which will be multiplied all obtained prices. "}));
}

TEST_F(MainWindow, HelpFileIsWrittenAtStartUpOnlyWhenMissing)
{
    auto form = start();
    EXPECT_TRUE(dir.exists(QStringLiteral("help.txt")));
    EXPECT_EQ(shell.opened.filter(QStringLiteral("help.txt")).size(), 1);

    ASSERT_TRUE(dir.write(QStringLiteral("help.txt"), "kept"));
    auto second = start();
    EXPECT_EQ(dir.read(QStringLiteral("help.txt")), QByteArray("kept"));
    EXPECT_EQ(shell.opened.filter(QStringLiteral("help.txt")).size(), 1);
}

TEST_F(MainWindow, LinksOpenMailAndHistory)
{
    MainOptions options = OptionsFor(dir);
    options.updateHost = QStringLiteral("updates.example.org");
    TForm1 form(options);
    form.Label14Click();
    form.Label27Click();
    ASSERT_EQ(shell.opened.size(), 2);
    EXPECT_TRUE(shell.opened[0].startsWith(QStringLiteral("mailto:")));
    EXPECT_EQ(shell.opened[1],
              QStringLiteral("http://updates.example.org/download/versionhistoryforargentleaf.txt"));
}

TEST_F(MainWindow, CtrlMSwitchesTheDebugLog)
{
    TForm1 form(OptionsFor(dir));
    EXPECT_FALSE(DebugModeOn());
    form.Action1->trigger();
    EXPECT_TRUE(DebugModeOn());
    form.Action1->trigger();
    EXPECT_FALSE(DebugModeOn());
    EXPECT_TRUE(dir.exists(QStringLiteral("Debugg.log")));
}

TEST_F(MainWindow, ShutdownWritesEverySettingInOrder)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nCheckListForCompare=[1][5]\nUnknown=kept\n\n[Other]\nx=1\n")));
    auto form = start();
    form->Edit1->setText(QStringLiteral("D:\\work"));
    form->Edit4->setText(QStringLiteral("not checked"));
    form->Edit7->setText(QStringLiteral("7"));
    form->Edit5->setText(QStringLiteral("20"));
    form->ComboBox3->setEditText(QStringLiteral("|"));
    form->CheckBox1->setChecked(false);
    form->ComboBox2->setCurrentIndex(3);
    ASSERT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("Tesmarin.ini"))),
              QString::fromUtf8(Ini("[SETTINGDATA]\n"
                                    "CheckListForCompare=[1][5]\n"
                                    "Unknown=kept\n"
                                    "FolderForFiles=D:\\work\n"
                                    "VerData=\n"
                                    "ActiveSupplier=3\n"
                                    "ValueFactor=not checked\n"
                                    "ColThreads=7\n"
                                    "CSV_MaxRows=20\n"
                                    "CSV_Separator=-1\n"
                                    "CSV_EditZeroPrice=0\n"
                                    "CleanListForComparePrice=1\n"
                                    "\n"
                                    "[Other]\n"
                                    "x=1\n"
                                    "\n")));
    EXPECT_EQ(form->statusText(), QStringLiteral("Wait, saving settings ..."));
}

TEST_F(MainWindow, FailedSaveShowsTheErrorAndKeepsTheWindowOpen)
{
    auto form = start();
    form->show();
    const QByteArray before = dir.read(QStringLiteral("Tesmarin.ini"));
    form->Edit1->setText(QStringLiteral("a folder name long enough to need more room"));
    dialogs.shown.clear();
    {
        fixtures::FileSizeLimit limit(8);
        EXPECT_FALSE(form->close());
    }
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("CORVINEL"));
    EXPECT_EQ(dir.read(QStringLiteral("Tesmarin.ini")), before);
    // Once the disk has room again, closing works.
    dialogs.shown.clear();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    EXPECT_TRUE(SettingsStore(dir.path(QStringLiteral("Tesmarin.ini")))
                    .ReadString(Setting, QStringLiteral("FolderForFiles"), QString())
                    .startsWith(QStringLiteral("a folder")));
}

TEST_F(MainWindow, ClosingBeforeTheStartUpKeepsTheStoredSettings)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"), Ini("[SETTINGDATA]\nFolderForFiles=D:\\mine\n")));
    const QByteArray before = dir.read(QStringLiteral("Tesmarin.ini"));
    auto form = OfflineWindow(OptionsFor(dir));
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(dir.read(QStringLiteral("Tesmarin.ini")), before);
}

TEST_F(MainWindow, ServerUnreachableStatusTexts)
{
    auto form = OfflineWindow(OptionsFor(dir));
    QStringList texts;
    QObject::connect(form.get(), &TForm1::statusTextChanged, [&](const QString& t) { texts << t; });
    form->FormShow();
    EXPECT_EQ(texts.first(), QStringLiteral("No internet connection !"));
    EXPECT_EQ(texts.filter(QStringLiteral("Running ...")).size(), 1);
    EXPECT_EQ(texts.last(), QStringLiteral("No internet connection !"));
    EXPECT_LT(texts.indexOf(QStringLiteral("Running ...")), texts.size() - 1);
    EXPECT_EQ(form->statusText(), QStringLiteral("No internet connection !"));
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join('|'));
}

TEST_F(MainWindow, FirstActivationChecksForARelease)
{
    const QByteArray path = "/download/versionhistoryforargentleaf.txt";
    fixtures::HttpReply errorPage =
        fixtures::HttpReply::ok("<html>\r\n\"CORVINEL\" 9.9.9 released\r\n</html>\r\n");
    errorPage.status = 503;
    errorPage.reason = "Service Unavailable";
    const struct
    {
        fixtures::HttpReply reply;
        bool opensHistory;
    } cases[] = {
        {fixtures::HttpReply::ok("\"CORVINEL\" 1.4.3 released\r\n- fixes\r\n", "text/plain"), true},
        {fixtures::HttpReply::ok("\"CORVINEL\" 1.4.2 released\r\n- fixes\r\n", "text/plain"), false},
        {errorPage, false},
    };
    for (const auto& c : cases) {
        fixtures::TestHttpServer server;
        server.route(path, c.reply);
        MainOptions options = OptionsFor(dir);
        options.releaseCheck = true;
        options.releaseDeadline = std::chrono::seconds(5);
        options.programVersion = QStringLiteral("1.4.2");
        options.updateHost = QStringLiteral("127.0.0.1:%1").arg(server.port());
        TForm1 form(options);
        shell.opened.clear();
        form.FormActivate();
        form.FormActivate(); // the check runs once
        EXPECT_EQ(server.requestCount(), 1);
        const QStringList want =
            c.opensHistory ? QStringList{server.url(QString::fromLatin1(path))} : QStringList{};
        EXPECT_EQ(shell.opened, want) << c.reply.body.constData();
    }
}

TEST_F(MainWindow, CloseDuringTheStartUpWaitsForItsEnd)
{
    auto form = OfflineWindow(OptionsFor(dir));
    std::optional<bool> closedAtOnce;
    QStringList texts;
    QObject::connect(form.get(), &TForm1::statusTextChanged, [&](const QString& t) {
        texts << t;
        if (!closedAtOnce)
            closedAtOnce = form->close(); // the user closes while the first connect reports
    });
    form->show();
    QElapsedTimer timer;
    timer.start();
    while (form->isVisible() && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(closedAtOnce.has_value());
    EXPECT_FALSE(*closedAtOnce);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->startupDone());
    // The shutdown ran after the start-up and saved what it restored.
    EXPECT_EQ(texts.last(), QStringLiteral("Wait, saving settings ..."));
    EXPECT_EQ(SettingsStore(dir.path(QStringLiteral("Tesmarin.ini")))
                  .ReadString(Setting, QStringLiteral("CSV_MaxRows"), QString()),
              QStringLiteral("1000000"));
}
