// The comparison supplier list and the wait window with the main window as their owner, and the
// grid's clean button.
#include "MainTestSupport.h"

#include "app/SettingsStore.h"
#include "compare/ComparisonRun.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/WaitCompare.h"
#include "harvest/SiteTable.h"

#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace maintest;

namespace {
const QString Section = QStringLiteral("SETTINGDATA");
const QString Key = QStringLiteral("CheckListForCompare");

QList<bool> only(std::initializer_list<int> rows)
{
    QList<bool> ticks(SiteCount, false);
    for (const int r : rows)
        ticks[r] = true;
    return ticks;
}
} // namespace

class CompareWindows : public ::testing::Test
{
protected:
    // No start-up: nothing here needs the catalogue, and the windows are made as the program makes them.
    void create()
    {
        form1 = std::make_unique<TForm1>(OptionsFor(dir));
        form3 = std::make_unique<TForm3>(form1.get());
        form3->FormCreate(form1->supplierCaptions(), dir.folder());
        form4 = std::make_unique<TForm4>(form1.get());
        form1->setCompareWindows(form3.get(), form4.get());
    }
    QString stored() const
    {
        return SettingsStore(SettingsFilePath(dir.folder()))
            .ReadString(Section, Key, QStringLiteral("<none>"));
    }

    fixtures::TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
};

TEST_F(CompareWindows, ListHoldsTheSuppliersWithTheStoredTicks)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nCheckListForCompare=x[0]y [5][12]z[200][-1]\n")));
    create();
    QStringList texts;
    for (int i = 0; i < form3->CheckListBox1->count(); ++i)
        texts << form3->CheckListBox1->item(i)->text();
    EXPECT_EQ(texts, SupplierCaptions());
    EXPECT_EQ(form3->ticks(), only({0, 5, 12}));
    EXPECT_FALSE(form3->isVisible());
}

TEST_F(CompareWindows, ShownListDisablesTheMainWindowAndEveryCloseStoresTheTicks)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"),
                          Ini("[SETTINGDATA]\nValueFactor=2,5\nCheckListForCompare=[2][5]\n")));
    create();

    form1->SpeedButton22->click();
    ASSERT_TRUE(form3->isVisible());
    EXPECT_FALSE(form1->isEnabled());
    EXPECT_TRUE(form3->isEnabled()) << "the list must stay usable over the disabled main window";
    EXPECT_TRUE(form3->SpeedButton18->isEnabled());

    // Toggle all from the selected item: ticked item 2 unticks everything, then ticks everything.
    form3->CheckListBox1->setCurrentRow(2);
    form3->SpeedButton18->click();
    EXPECT_EQ(form3->ticks(), QList<bool>(SiteCount, false));
    form3->SpeedButton18->click();
    EXPECT_EQ(form3->ticks(), QList<bool>(SiteCount, true));

    form3->SpeedButton1->click();
    EXPECT_FALSE(form3->isVisible());
    EXPECT_TRUE(form1->isEnabled());
    QString all;
    for (int i = 0; i < SiteCount; ++i)
        all += QStringLiteral("[%1]").arg(i);
    EXPECT_EQ(stored(), all);
    EXPECT_EQ(SettingsStore(SettingsFilePath(dir.folder())).ReadString(Section, "ValueFactor", ""),
              QStringLiteral("2,5"))
        << "other keys stay as they were";

    // Any close stores; no selection takes item 0 as the reference, also while another row is
    // current without being selected.
    form1->SpeedButton22Click();
    form3->setTicked(0, false);
    form3->CheckListBox1->setCurrentRow(2);
    form3->CheckListBox1->clearSelection();
    form3->SpeedButton18Click();
    EXPECT_EQ(form3->ticks(), QList<bool>(SiteCount, true)) << "item 0 (unticked) is the reference";
    form3->SpeedButton18Click();
    form3->close();
    EXPECT_TRUE(form1->isEnabled());
    EXPECT_EQ(stored(), QString());

    // Ticks survive hiding in memory, and a new list reads what was stored.
    form3->setTicked(40, true);
    form1->SpeedButton22Click();
    form3->close();
    TForm3 again(form1.get());
    again.FormCreate(form1->supplierCaptions(), dir.folder());
    EXPECT_EQ(again.ticks(), only({40}));
}

TEST_F(CompareWindows, FailedSaveIsReportedAndTheListStillCloses)
{
    const QByteArray before = Ini("[SETTINGDATA]\nCheckListForCompare=[1]\n");
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"), before));
    create();
    form1->SpeedButton22Click();
    form3->setTicked(3, true);
    {
        const fixtures::FileSizeLimit full(8);
        form3->SpeedButton1->click();
    }
    EXPECT_FALSE(form3->isVisible());
    EXPECT_TRUE(form1->isEnabled());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("CORVINEL"));
    EXPECT_FALSE(dialogs.shown[0].text.isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("Tesmarin.ini")), before);

    // The ticks were kept and go out with the next close.
    form1->SpeedButton22Click();
    form3->SpeedButton1->click();
    EXPECT_EQ(stored(), QStringLiteral("[1][3]"));
}

TEST_F(CompareWindows, WaitWindowCoversTheDisabledMainWindow)
{
    create();
    form1->showWaitWindow();
    EXPECT_TRUE(form4->isVisible());
    EXPECT_FALSE(form1->isEnabled());
    EXPECT_TRUE(form4->isEnabled());
    form1->closeWaitWindow();
    EXPECT_FALSE(form4->isVisible());
    EXPECT_TRUE(form1->isEnabled());
}

TEST_F(CompareWindows, CleanOfTableAsksFirst)
{
    create();
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        dialogs.shown.clear();
        dialogs.answers = {yes};
        form1->setGridRowCount(4);
        form1->setGridCell(1, PriceColumn, QStringLiteral("12.5"));
        form1->setGridCell(2, NameColumn, QStringLiteral("[BOSCH] >1< - Pad"));
        form1->SpeedButton24->click();
        EXPECT_EQ(dialogs.texts(), QStringList{CleanGridQuestion});
        EXPECT_EQ(form1->StringGrid1->rowCount(), yes ? 1 : 3);
        const QTableWidgetItem* price = form1->StringGrid1->item(0, PriceColumn);
        EXPECT_EQ(price ? price->text() : QString(), yes ? QString() : QStringLiteral("12.5"));
        EXPECT_EQ(form1->StringGrid1->horizontalHeaderItem(PriceColumn)->text(), QStringLiteral("price"));
    }
}
