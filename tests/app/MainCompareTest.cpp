// The price comparison from the main window: lookup in a real catalogue, runs against local shops.
#include "MainTestSupport.h"

#include "app/SettingsStore.h"
#include "compare/ComparisonRun.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/PartLookup.h"
#include "compare/WaitCompare.h"
#include "harvest/PageRequest.h"
#include "harvest/SiteTable.h"
#include "platform/Error.h"
#include "tests/catalogue/CatalogueTestSupport.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using fixtures::HttpReply;
using fixtures::TestHttpServer;
using namespace maintest;

namespace {

const QString Typed = QStringLiteral("0 986-424.815");
const QString BoschItem = QStringLiteral("[BOSCH] >0 986 424 815< - Brake pad set");
const QString AteItem = QStringLiteral("[ATE] >09.8642-4815< - Brake disc");
const QStringList LookupItems{SelectBrandText, QStringLiteral("[] >0986 424815< - "), AteItem, BoschItem,
                              QStringLiteral("[BOSCH] >0986424815< - Brake pad set")};
const QByteArray ShopPage = "<b>1</b><div>BOSCH <b>12.50</b></div><div>ATE <b>30</b></div>";

cataloguetest::TestCatalogue makeCatalogue()
{
    cataloguetest::TestCatalogue c = cataloguetest::CreateCatalogue(QStringLiteral("compare"));
    c.exec({"INSERT INTO LANGUAGES VALUES (4,'en')",
            "INSERT INTO SUPPLIERS (SUPID, BRAND) VALUES (1,'BOSCH'),(2,'ATE'),(4,'FEBI')",
            "INSERT INTO DATATEXT VALUES (100,'Brake pad set'),(101,'Brake disc')",
            "INSERT INTO TRADEGROUPS VALUES (10,4,100),(20,4,101)",
            // Two written forms of one BOSCH number, a brand missing from SUPPLIERS, another number.
            "INSERT INTO PARTS (ARTID, SUPID, GAID, CODEPART, FREECODEPART) VALUES "
            "(1,1,10,'0986424815','0986424815'),(2,2,20,'09.8642-4815','0986424815'),"
            "(3,1,10,'0 986 424 815','0986424815'),(4,3,99,'0986 424815','0986424815'),"
            "(5,4,10,'0 986 424 816','0986424816')"});
    return c;
}

QString shopRow(const TestHttpServer& server, int row)
{
    return MakeSiteTemplate({server.baseUrl(), server.url(QStringLiteral("/row%1?c={_codepart_}").arg(row)),
                             QStringLiteral("<div>{_brand_}"), std::nullopt, std::nullopt,
                             QStringLiteral("<b>{_price_}</b>")});
}

// Site rows pointed at the test shops while alive; a row mapped to an empty function is empty.
class SiteRows
{
public:
    explicit SiteRows(std::function<QString(int)> rows) : m_previous(setSiteTableOverride(std::move(rows))) {}
    ~SiteRows() { setSiteTableOverride(m_previous); }

private:
    SiteTableOverride m_previous;
};

QList<QStringList> gridRows(const QTableWidget* grid)
{
    QList<QStringList> rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->columnCount(); ++c)
            row << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        rows << row;
    }
    return rows;
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList row(const QString& price, int supplier, const QString& name, const QString& brand = "BOSCH",
                const QString& code = "0 986 424 815")
{
    return {price, SupplierCaption(supplier), brand, code, name};
}

} // namespace

class MainCompare : public ::testing::Test
{
protected:
    void SetUp() override
    {
        catalogue = makeCatalogue();
        for (const int r : {2, 5, 7, 11})
            ASSERT_FALSE(IsEbaySite(r));
        options = OptionsFor(dir);
        options.pageDeadline = std::chrono::milliseconds(1500);
        options.transferLimits.caFile = TestHttpServer::caCertificateFile();
        options.transferLimits.connectTimeout = std::chrono::milliseconds(5000);
        options.transferLimits.transferTimeout = std::chrono::milliseconds(10000);
    }

    // The windows as the program creates them, after the start-up on the test catalogue.
    void start()
    {
        form1 = std::make_unique<TForm1>(options);
        cataloguetest::PointAt(*form1->CON_MYSQL, catalogue);
        form3 = std::make_unique<TForm3>(form1.get());
        form3->FormCreate(form1->supplierCaptions(), options.folder);
        form4 = std::make_unique<TForm4>(form1.get());
        form1->setCompareWindows(form3.get(), form4.get());
        form1->FormShow();
        form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form1.get()));
        QCoreApplication::processEvents();
        if (form1->SpeedButton20->text() == QStringLiteral("+"))
            form1->SpeedButton20Click();
        dialogs.shown.clear(); // the initial configuration load
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (form1->isComparing())
                sawWaitOverDisabledMain = sawWaitOverDisabledMain ||
                                          (form4->isVisible() && !form1->isEnabled() && form4->isEnabled());
        });
        watch.start();
    }

    void lookUp(const QString& typed)
    {
        form1->Edit8->setText(typed);
        QTest::keyClick(form1->Edit8, Qt::Key_Return);
    }

    // Picks an item of the dropped-down brand list as the keyboard does; the run follows the close-up.
    void choose(int index)
    {
        QAbstractItemView* view = form1->ComboBox4->view();
        ASSERT_TRUE(view->isVisible()) << "the brand list is not dropped down";
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    cataloguetest::TestCatalogue catalogue;
    fixtures::TempDir dir;
    MainOptions options;
    ScriptedDialogs dialogs;
    ShellRecorder shell;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    QTimer watch;
    bool sawWaitOverDisabledMain = false;
};

TEST_F(MainCompare, EnterLooksUpAndAnyOtherKeyResetsTheBrandList)
{
    start();
    lookUp(Typed);
    EXPECT_EQ(comboItems(form1->ComboBox4), LookupItems);
    EXPECT_EQ(form1->ComboBox4->currentIndex(), -1);
    EXPECT_TRUE(form1->ComboBox4->view()->isVisible());
    EXPECT_EQ(form1->Edit8->text(), Typed) << "Enter must not reach the field";

    // Closing the list without a choice still clicks the run button, which stops at its input check.
    form1->ComboBox4->hidePopup();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.texts(), QStringList{NoPartMessage});

    // Choosing "select BRAND" stops at the input check too, and the list drops down again.
    dialogs.shown.clear();
    form1->ComboBox4->showPopup();
    choose(0);
    EXPECT_EQ(dialogs.texts(), QStringList{NoPartMessage});
    EXPECT_TRUE(form1->ComboBox4->view()->isVisible());
    form1->ComboBox4->hidePopup();
    QCoreApplication::processEvents();

    QTest::keyClick(form1->Edit8, Qt::Key_7);
    EXPECT_EQ(comboItems(form1->ComboBox4), QStringList{SelectBrandText});
    EXPECT_EQ(form1->ComboBox4->currentIndex(), 0);
    EXPECT_EQ(form1->Edit8->text(), Typed + QLatin1Char('7'));

    // Nothing found: "select BRAND" alone, not chosen, not dropped down; a further key changes nothing.
    lookUp(QStringLiteral(" -- "));
    EXPECT_EQ(comboItems(form1->ComboBox4), QStringList{SelectBrandText});
    EXPECT_EQ(form1->ComboBox4->currentIndex(), -1);
    EXPECT_FALSE(form1->ComboBox4->view()->isVisible());
    QTest::keyClick(form1->Edit8, Qt::Key_A);
    EXPECT_EQ(form1->ComboBox4->currentIndex(), -1);

    // The mouse over the field selects the whole text, so the next number replaces it.
    form1->Edit8->deselect();
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
    QCoreApplication::sendEvent(form1->Edit8, &enter);
    EXPECT_EQ(form1->Edit8->selectedText(), form1->Edit8->text());
}

namespace {
// Messages as real modal boxes, each closed a moment after it opened. A modal window closes any
// dropped-down list, as it does for the user.
class ModalDialogs : public Dialogs
{
public:
    ModalDialogs() : m_previous(setDialogs(this)) {}
    ~ModalDialogs() override { setDialogs(m_previous); }
    void show(const QString& text, Icon, const QString&) override
    {
        shown << text;
        QMessageBox box(QMessageBox::Information, QString(), text);
        QTimer::singleShot(100, &box, &QMessageBox::accept);
        box.exec();
    }
    bool confirm(const QString& text, const QString&) override
    {
        shown << text;
        return false;
    }
    QStringList shown;

private:
    Dialogs* m_previous;
};
} // namespace

TEST_F(MainCompare, ChoosingSelectBrandDropsTheListAgainAfterItsMessage)
{
    start();
    const ModalDialogs modal;
    lookUp(Typed);
    choose(0);
    for (int i = 0; i < 50 && !form1->ComboBox4->view()->isVisible(); ++i)
        QTest::qWait(20);
    EXPECT_EQ(modal.shown, QStringList{NoPartMessage});
    EXPECT_TRUE(form1->ComboBox4->view()->isVisible()) << "the message closed the list and it stayed closed";
    EXPECT_EQ(form1->ComboBox4->currentIndex(), 0);

    // Closed without a choice: the run button once more, and the list stays closed.
    form1->ComboBox4->hidePopup();
    QTest::qWait(300);
    EXPECT_EQ(modal.shown, (QStringList{NoPartMessage, NoPartMessage}));
    EXPECT_FALSE(form1->ComboBox4->view()->isVisible());
}

TEST_F(MainCompare, ChoosingAnItemAsksEveryTickedSupplierInListOrder)
{
    TestHttpServer shopA;
    shopA.route("*", HttpReply::ok(ShopPage));
    TestHttpServer slow;
    slow.route("*", [](const fixtures::HttpRequestRecord&) {
        HttpReply reply = HttpReply::ok(ShopPage + QByteArray(64, '.'));
        reply.chunkBytes = 16;
        reply.delayBetweenChunksMs = 2500;
        return reply;
    });
    TestHttpServer secure(TestHttpServer::Scheme::Https);
    secure.route("*", HttpReply::ok(ShopPage));
    const SiteRows rows([&](int r) {
        switch (r) {
        case 2:
            return shopRow(shopA, 2);
        case 7:
            return shopRow(slow, 7);
        case 11:
            return shopRow(secure, 11);
        }
        return QString();
    });
    start();
    for (const int r : {11, 2, 7})
        form3->setTicked(r, true);
    form1->Edit4->setText(QStringLiteral("x"));
    ASSERT_TRUE(form1->CheckBox2->isChecked());
    form1->setGridCell(1, PriceColumn, QStringLiteral("stale"));

    lookUp(Typed);
    choose(3);

    EXPECT_EQ(form1->ComboBox4->currentText(), BoschItem);
    const QList<QStringList> expected{row("12.5", 2, BoschItem), row("0", 7, kLargeIntervalErrorText),
                                      row("12.5", 11, BoschItem), QStringList(5)};
    EXPECT_EQ(gridRows(form1->StringGrid1), expected);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join('|'));
    EXPECT_TRUE(sawWaitOverDisabledMain);
    EXPECT_TRUE(form1->isEnabled());
    EXPECT_FALSE(form4->isVisible());
    EXPECT_EQ(form1->focusWidget(), form1->Edit8);
    ASSERT_EQ(shopA.requestCount(), 1);
    EXPECT_EQ(shopA.requests().at(0).target, QByteArray("/row2?c=0%20986%20424%20815"));
    EXPECT_EQ(secure.requestCount(), 1);
    EXPECT_EQ(slow.requestCount(), 1);

    // The run button again with another factor: cleaning keeps only this run's rows. A click on the
    // main window while the run waits is not answered.
    form1->Edit4->setText(QStringLiteral("2"));
    bool clicked = false;
    QTimer clicker;
    clicker.setInterval(30);
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (clicked || !form1->isComparing())
            return;
        clicked = true;
        QTest::mouseClick(form1->windowHandle(), Qt::LeftButton, {},
                          form1->SpeedButton24->mapTo(form1.get(), form1->SpeedButton24->rect().center()));
    });
    clicker.start();
    form1->SpeedButton23->click();
    clicker.stop();
    QCoreApplication::processEvents();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(gridRows(form1->StringGrid1),
              (QList<QStringList>{row("25", 2, BoschItem), row("0", 7, kLargeIntervalErrorText),
                                  row("25", 11, BoschItem), QStringList(5)}));
    EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join('|'));
    EXPECT_TRUE(form1->isEnabled());
}

TEST_F(MainCompare, CleaningOffKeepsTheRowsOfBothRuns)
{
    TestHttpServer shop;
    shop.route("*", HttpReply::ok(ShopPage));
    const SiteRows rows([&](int r) { return shopRow(shop, r); });
    start();
    form3->setTicked(2, true);
    form3->setTicked(11, true);
    form1->CheckBox2->setChecked(false);

    lookUp(Typed);
    choose(3);
    lookUp(Typed);
    choose(2);

    const QList<QStringList> expected{row("12.5", 2, BoschItem), row("12.5", 11, BoschItem),
                                      row("30", 2, AteItem, "ATE", "09.8642-4815"),
                                      row("30", 11, AteItem, "ATE", "09.8642-4815"), QStringList(5)};
    EXPECT_EQ(gridRows(form1->StringGrid1), expected);
    // Without cleaning the grid takes the focus on its last row.
    EXPECT_EQ(form1->StringGrid1->currentRow(), 4);
    EXPECT_EQ(form1->focusWidget(), form1->StringGrid1);
    EXPECT_EQ(shop.requestCount(), 4);
}

TEST_F(MainCompare, NothingTickedAsksTheMainSupplierAloneAndStoresItsTick)
{
    TestHttpServer shop;
    shop.route("*", HttpReply::ok(ShopPage));
    const SiteRows rows([&](int r) { return shopRow(shop, r); });
    start();
    form1->ComboBox2->setCurrentIndex(5);

    lookUp(Typed);
    choose(3);

    ASSERT_EQ(shop.requestCount(), 1);
    EXPECT_EQ(shop.requests().at(0).path(), QByteArray("/row5"));
    EXPECT_EQ(gridRows(form1->StringGrid1), (QList<QStringList>{row("12.5", 5, BoschItem), QStringList(5)}));
    QList<bool> onlyFive(SiteCount, false);
    onlyFive[5] = true;
    EXPECT_EQ(form3->ticks(), onlyFive);

    // The tick the run set is stored at the next close of the list window.
    form1->SpeedButton22->click();
    EXPECT_TRUE(form3->isVisible());
    EXPECT_FALSE(form1->isEnabled());
    form3->SpeedButton1->click();
    EXPECT_FALSE(form3->isVisible());
    EXPECT_TRUE(form1->isEnabled());
    EXPECT_EQ(
        SettingsStore(SettingsFilePath(dir.folder()))
            .ReadString(QStringLiteral("SETTINGDATA"), QStringLiteral("CheckListForCompare"), QString()),
        QStringLiteral("[5]"));
}

TEST_F(MainCompare, NoSupplierAtAllShowsTheMessageWithoutWaitWindow)
{
    TestHttpServer shop;
    shop.route("*", HttpReply::ok(ShopPage));
    const SiteRows rows([&](int r) { return shopRow(shop, r); });
    start();
    form1->ComboBox2->setCurrentIndex(-1);
    form1->CheckBox2->setChecked(false);
    form1->setGridCell(1, SupplierColumn, QStringLiteral("earlier"));
    const QList<QStringList> before = gridRows(form1->StringGrid1);
    int waitShown = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] { waitShown += form4->isVisible() ? 1 : 0; });

    lookUp(Typed);
    choose(3);

    EXPECT_EQ(dialogs.texts(), QStringList{NoSupplierMessage});
    EXPECT_EQ(waitShown, 0);
    EXPECT_FALSE(form4->isVisible());
    EXPECT_EQ(shop.requestCount(), 0);
    EXPECT_EQ(gridRows(form1->StringGrid1), before);
    EXPECT_EQ(form3->ticks(), QList<bool>(SiteCount, false));
    EXPECT_TRUE(form1->isEnabled());
}

TEST_F(MainCompare, RunThatFailsPartWayIsReportedAndEnablesTheMainWindow)
{
    TestHttpServer shop;
    shop.route("*", HttpReply::ok(ShopPage));
    const SiteRows rows([&](int r) {
        if (r == 7)
            throw AppError(QStringLiteral("Site table unreadable"));
        return shopRow(shop, r);
    });
    start();
    form3->setTicked(2, true);
    form3->setTicked(7, true);

    lookUp(Typed);
    choose(3);

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Site table unreadable."));
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(form1->isEnabled());
    EXPECT_FALSE(form4->isVisible());
    EXPECT_FALSE(form1->isComparing());
    EXPECT_EQ(shop.requestCount(), 0);

    // The next run works as usual.
    form3->setTicked(7, false);
    dialogs.shown.clear();
    form1->SpeedButton23->click();
    EXPECT_EQ(gridRows(form1->StringGrid1), (QList<QStringList>{row("12.5", 2, BoschItem), QStringList(5)}));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
