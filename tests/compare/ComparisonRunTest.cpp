#include "CompareTestSupport.h"

#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "compare/CompareSupplierList.h"
#include "harvest/SiteTable.h"
#include "platform/Error.h"
#include "tests/fixtures/TempDir.h"
#include "tests/fixtures/TestHttpServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHash>

#include <condition_variable>
#include <mutex>
#include <thread>

using namespace comparetest;
using fixtures::HttpReply;
using fixtures::TestHttpServer;

namespace {

const QString Item = QStringLiteral("[BOSCH] >0 986 424 815< - Brake pad");
const QString Brand = QStringLiteral("BOSCH");
const QString Code = QStringLiteral("0 986 424 815");

QStringList Captions(int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("SHOP-%1 [FR]").arg(i);
    return out;
}

// Rows of the site table pointed at the test servers for the length of a test; other rows empty.
class SiteRows
{
public:
    explicit SiteRows(const QHash<int, QString>& rows)
        : m_previous(setSiteTableOverride([rows](int index) { return rows.value(index); }))
    {
    }
    ~SiteRows() { setSiteTableOverride(m_previous); }

private:
    SiteTableOverride m_previous;
};

QString SimpleRow(const TestHttpServer& server, const QString& path)
{
    return MakeSiteTemplate({server.baseUrl(), server.url(path), QStringLiteral("<div>{_brand_}"),
                             std::nullopt, std::nullopt, QStringLiteral("<b>{_price_}</b>")});
}
const QByteArray SimplePage = "<b>1</b><div>BOSCH <b>12.50</b></div>";

ComparisonSettings FastSettings(const QString& factor = QStringLiteral("1"))
{
    ComparisonSettings s;
    s.factorText = factor;
    s.deadline = std::chrono::milliseconds(1500);
    s.limits.caFile = TestHttpServer::caCertificateFile();
    s.limits.connectTimeout = std::chrono::milliseconds(5000);
    s.limits.transferTimeout = std::chrono::milliseconds(10000);
    return s;
}

// Holds every request until 'expected' requests arrived, so a run that asks its suppliers one
// after another shows up as handlers that gave up waiting.
class Meeting
{
public:
    explicit Meeting(int expected) : m_expected(expected) {}
    void arrive()
    {
        std::unique_lock lock(m_mutex);
        ++m_arrived;
        m_all.notify_all();
        if (m_all.wait_for(lock, std::chrono::seconds(10), [&] { return m_arrived >= m_expected; }))
            ++m_metAll;
    }
    int metAll() const
    {
        const std::lock_guard lock(m_mutex);
        return m_metAll;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_all;
    int m_expected;
    int m_arrived = 0;
    int m_metAll = 0;
};

// Threads of this process now. A joined thread may stay listed for a moment, so a count that
// should drop back to 'expected' is given a little while to do so.
int ThreadCount(int expected = -1)
{
    const auto count = [] {
        return static_cast<int>(
            QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    };
    for (int i = 0; i < 100 && count() > expected && expected >= 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return count();
}

QStringList Row(const QString& price, const QString& supplier, const QString& name,
                const QString& code = Code)
{
    return {price, supplier, Brand, code, name};
}

} // namespace

TEST(ComparisonRun, AsksEveryTickedSupplierAtOnceAndFillsTheGridInListOrder)
{
    Meeting meeting(4);
    TestHttpServer familyOne;
    familyOne.route("*", [&](const fixtures::HttpRequestRecord&) {
        meeting.arrive();
        // A decoy entry of another brand before the wanted one.
        return HttpReply::ok("<span itemprop=\"brand\">FEBI</span> - </span>R\xc3\xa9"
                             "f. 0 986 424 815</a>"
                             "<meta itemprop=\"price\" content=\"99.00\" />"
                             "<span itemprop=\"brand\">BOSCH</span> - </span>R\xc3\xa9"
                             "f. 0 986 424 815</a>"
                             "<span>stock</span><meta itemprop=\"price\" content=\"12.50\" />");
    });
    TestHttpServer slow;
    slow.route("*", [&](const fixtures::HttpRequestRecord&) {
        meeting.arrive();
        HttpReply reply = HttpReply::ok("<div>BOSCH <b>3.00</b></div>........................");
        reply.chunkBytes = 16;
        reply.delayBetweenChunksMs = 2500;
        return reply;
    });
    TestHttpServer nextStartLine;
    nextStartLine.route("*", [&](const fixtures::HttpRequestRecord&) {
        meeting.arrive();
        return HttpReply::ok("<a>BOSCH</a><span class=\"article_number\">Art. 1 111</span>"
                             "<meta itemprop=\"price\" content=\"5.00\" />"
                             "<span class=\"article_number\">Art. 0 986 424 815</span>"
                             "<meta itemprop=\"price\" content=\"7,25\" />");
    });
    TestHttpServer secure(TestHttpServer::Scheme::Https);
    secure.route("*", [&](const fixtures::HttpRequestRecord&) {
        meeting.arrive();
        return HttpReply::ok("<div class=\"item\">BOSCH <b>20</b></div>");
    });

    const SiteRows rows({
        {3,
         MakeSiteTemplate({familyOne.baseUrl(), familyOne.url("/fr/search_s_refoem_{_codepart_}.html"),
                           QString::fromUtf8("<span itemprop=\"brand\">{_brand_}</span> - </span>R\xc3\xa9"
                                             "f. "
                                             "{_codepart_}</a>"),
                           std::nullopt, std::nullopt, "<meta itemprop=\"price\" content=\"{_price_}\" />"})},
        {6, SimpleRow(slow, "/slow")},
        {12, MakeSiteTemplate({nextStartLine.baseUrl(),
                               nextStartLine.url("/search?keyword={_cleancodepart_}"), ">{_brand_}",
                               QStringLiteral("<span class=\"article_number\">Art. {_codepart_}</span>"),
                               QString(), "<meta itemprop=\"price\" content=\"{_price_}\" />"})},
        {20,
         MakeSiteTemplate({secure.baseUrl(), secure.url("/p?q={_codepart_}"), "<div class=\"item\">{_brand_}",
                           std::nullopt, std::nullopt, "<b>{_price_}</b>"})},
    });

    ScriptedDialogs dialogs;
    FakeComparisonWindow window(Captions(24));
    for (const int i : {3, 6, 12, 20})
        window.ticks[i] = true;
    ComparisonSettings settings = FastSettings(QStringLiteral("2"));
    settings.mainSupplier = 5;

    EXPECT_TRUE(RunComparison(Brand, Code, Item, window, settings));

    EXPECT_EQ(meeting.metAll(), 4) << "the suppliers were not all asked at the same time";
    const QList<QStringList> expected{
        FakeComparisonWindow::Header(),
        Row("25", "SHOP-3 [FR]", Item),
        Row("0", "SHOP-6 [FR]", kLargeIntervalErrorText),
        Row("14.5", "SHOP-12 [FR]", Item),
        Row("40", "SHOP-20 [FR]", Item),
        QStringList(5),
    };
    EXPECT_EQ(window.grid, expected);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(window.waitShown, 1);
    EXPECT_EQ(window.waitClosed, 1);
    EXPECT_TRUE(window.mainEnabled);
    EXPECT_FALSE(window.ticks[5]) << "the main supplier is only the fallback";

    ASSERT_EQ(familyOne.requestCount(), 1);
    EXPECT_EQ(familyOne.requests().at(0).target, QByteArray("/fr/search_s_refoem_0%20986%20424%20815.html"));
    ASSERT_EQ(nextStartLine.requestCount(), 1);
    EXPECT_EQ(nextStartLine.requests().at(0).target, QByteArray("/search?keyword=0986424815"));
    EXPECT_EQ(secure.requestCount(), 1);
}

TEST(ComparisonRun, NothingTickedAsksTheMainSupplierAlone)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    QHash<int, QString> sites;
    for (int i = 0; i < 24; ++i)
        sites.insert(i, SimpleRow(server, QStringLiteral("/row%1").arg(i)));
    const SiteRows rows(sites);

    ScriptedDialogs dialogs;
    FakeComparisonWindow window(Captions(24));
    ComparisonSettings settings = FastSettings();
    settings.mainSupplier = 5;

    EXPECT_TRUE(RunComparison(Brand, Code, Item, window, settings));

    ASSERT_EQ(server.requestCount(), 1);
    EXPECT_EQ(server.requests().at(0).path(), QByteArray("/row5"));
    EXPECT_EQ(window.grid, (QList<QStringList>{FakeComparisonWindow::Header(),
                                               Row("12.5", "SHOP-5 [FR]", Item), QStringList(5)}));
    QList<bool> onlyFive(24, false);
    onlyFive[5] = true;
    EXPECT_EQ(window.ticks, onlyFive);

    // The list window stores the tick it now shows at its next close.
    fixtures::TempDir dir;
    StoreCompareTicks(window.ticks, dir.folder());
    EXPECT_EQ(
        SettingsStore(SettingsFilePath(dir.folder())).ReadString("SETTINGDATA", "CheckListForCompare", ""),
        QStringLiteral("[5]"));
}

TEST(ComparisonRun, NoSupplierAtAllShowsTheMessageAndAsksNobody)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    QHash<int, QString> sites;
    for (int i = 0; i < 96; ++i)
        sites.insert(i, SimpleRow(server, "/any"));
    const SiteRows rows(sites);

    struct Case
    {
        const char* name;
        int suppliers;
        int mainSupplier;
    };
    const Case cases[] = {
        {"no main supplier", 24, -1},
        {"main supplier past the list", 24, 24},
        {"empty list", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        FakeComparisonWindow window(Captions(c.suppliers));
        window.grid[1] = QStringList{"9", "OLD", "B", "C", "N"};
        const QList<QStringList> before = window.grid;
        ComparisonSettings settings = FastSettings();
        settings.mainSupplier = c.mainSupplier;

        EXPECT_FALSE(RunComparison(Brand, Code, Item, window, settings));
        EXPECT_EQ(dialogs.shown, QStringList{NoSupplierMessage});
        EXPECT_EQ(window.waitShown, 0);
        EXPECT_EQ(window.grid, before);
        EXPECT_EQ(window.ticks, QList<bool>(c.suppliers, false));
    }
    EXPECT_EQ(server.requestCount(), 0);
}

TEST(ComparisonRun, PricesTimesTheFactor)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    const SiteRows rows({{0, SimpleRow(server, "/p")}});

    const struct
    {
        const char* factor;
        const char* price;
    } cases[] = {{"2", "25"}, {"x", "12.5"}, {"1,2", "15"}, {"0.5", "6.25"}, {"", "12.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.factor);
        ScriptedDialogs dialogs;
        FakeComparisonWindow window(Captions(1));
        window.ticks[0] = true;
        ASSERT_TRUE(RunComparison(Brand, Code, Item, window, FastSettings(QString::fromLatin1(c.factor))));
        EXPECT_EQ(window.grid.at(1).at(PriceColumn), QString::fromLatin1(c.price));
    }
}

TEST(ComparisonRun, GridOfAHeaderAloneKeepsItsHeader)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    const SiteRows rows({{0, SimpleRow(server, "/p")}});
    ScriptedDialogs dialogs;
    FakeComparisonWindow window(Captions(1));
    window.ticks[0] = true;
    window.setGridRowCount(1);

    ASSERT_TRUE(RunComparison(Brand, Code, Item, window, FastSettings()));
    EXPECT_FALSE(window.headerWritten);
    EXPECT_EQ(window.grid, (QList<QStringList>{FakeComparisonWindow::Header(),
                                               Row("12.5", "SHOP-0 [FR]", Item), QStringList(5)}));
}

TEST(ComparisonRun, CleaningForEachSearchOnAndOff)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    const SiteRows rows({{1, SimpleRow(server, "/a")}, {2, SimpleRow(server, "/b")}});
    const QString first = QStringLiteral("[BOSCH] >111< - Pad");
    const QString second = QStringLiteral("[BOSCH] >222< - Disc");

    for (const bool clean : {false, true}) {
        SCOPED_TRACE(clean ? "cleaning" : "keeping");
        ScriptedDialogs dialogs;
        FakeComparisonWindow window(Captions(3));
        window.ticks[1] = window.ticks[2] = true;
        EXPECT_EQ(CompareButtonClick(first, clean, nullptr, window, FastSettings()), CompareOutcome::Done);
        EXPECT_EQ(CompareButtonClick(second, clean, nullptr, window, FastSettings()), CompareOutcome::Done);

        QList<QStringList> expected{FakeComparisonWindow::Header()};
        if (!clean)
            expected << Row("12.5", "SHOP-1 [FR]", first, "111") << Row("12.5", "SHOP-2 [FR]", first, "111");
        expected << Row("12.5", "SHOP-1 [FR]", second, "222") << Row("12.5", "SHOP-2 [FR]", second, "222")
                 << QStringList(5);
        EXPECT_EQ(window.grid, expected);
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}

TEST(ComparisonRun, BrandListTextWithoutBrandOrNumberIsRejected)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    const SiteRows rows({{0, SimpleRow(server, "/p")}});
    const char* texts[] = {
        "select BRAND",      "",          "[] >0986< - Pad", "[ \t] >0986< - Pad", "[BOSCH] >< - Pad",
        "[BOSCH] > < - Pad", "BOSCH 0986"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ScriptedDialogs dialogs;
        FakeComparisonWindow window(Captions(1));
        window.ticks[0] = true;
        window.grid[1] = QStringList{"9", "OLD", "B", "C", "N"};
        const QList<QStringList> before = window.grid;
        EXPECT_EQ(CompareButtonClick(QString::fromUtf8(text), true, nullptr, window, FastSettings()),
                  CompareOutcome::InputRejected);
        EXPECT_EQ(dialogs.shown, QStringList{NoPartMessage});
        EXPECT_EQ(window.grid, before);
        EXPECT_EQ(window.waitShown, 0);
    }
    EXPECT_EQ(server.requestCount(), 0);
}

TEST(ComparisonRun, BrandAndNumberGoToTheRunUntrimmed)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok(SimplePage));
    const SiteRows rows({{0, MakeSiteTemplate({server.baseUrl(), server.url("/s?b={_brand_}&c={_codepart_}"),
                                               "<div>", std::nullopt, std::nullopt, "<b>{_price_}</b>"})}});
    ScriptedDialogs dialogs;
    FakeComparisonWindow window(Captions(1));
    window.ticks[0] = true;
    const QString text = QStringLiteral("[ FAG] > 1-2 < - Bearing [rear]");
    EXPECT_EQ(CompareButtonClick(text, false, nullptr, window, FastSettings()), CompareOutcome::Done);
    ASSERT_EQ(server.requestCount(), 1);
    EXPECT_EQ(server.requests().at(0).target, QByteArray("/s?b=%20FAG&c=%201-2%20"));
    EXPECT_EQ(window.grid.at(1), (QStringList{"12.5", "SHOP-0 [FR]", " FAG", " 1-2 ", text}));
}

TEST(ComparisonRun, NoSupplierAfterTheInputCheckStillCleansTheGrid)
{
    ScriptedDialogs dialogs;
    FakeComparisonWindow window(Captions(3));
    window.setGridRowCount(4);
    window.grid[1] = QStringList{"9", "OLD", "B", "C", "N"};
    EXPECT_EQ(CompareButtonClick(Item, true, nullptr, window, FastSettings()), CompareOutcome::NoSupplier);
    EXPECT_EQ(dialogs.shown, QStringList{NoSupplierMessage});
    EXPECT_EQ(window.grid, (QList<QStringList>{FakeComparisonWindow::Header(), QStringList(5)}));
}

TEST(ComparisonRun, CleanOfTableAsksFirst)
{
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        ScriptedDialogs dialogs;
        dialogs.answers = {yes};
        FakeComparisonWindow window(Captions(1));
        window.setGridRowCount(4);
        window.grid[1] = QStringList{"1", "A", "B", "C", "D"};
        window.grid[2] = QStringList{"2", "A", "B", "C", "D"};
        const QList<QStringList> before = window.grid;

        EXPECT_EQ(AskCleanComparisonGrid(window), yes);
        EXPECT_EQ(dialogs.shown, QStringList{CleanGridQuestion});
        const QList<QStringList> cleaned{FakeComparisonWindow::Header(), QStringList(5)};
        EXPECT_EQ(window.grid, yes ? cleaned : before);
    }
}

namespace {
// A window that fails while the run hands out its jobs.
class FailingWindow : public FakeComparisonWindow
{
public:
    using FakeComparisonWindow::FakeComparisonWindow;
    QString compareSupplierCaption(int index) const override
    {
        if (index == 2)
            throw AppError(QStringLiteral("no caption"));
        return FakeComparisonWindow::compareSupplierCaption(index);
    }
};
} // namespace

TEST(ComparisonRun, FailurePartWayReleasesWorkersAndClosesTheWaitWindow)
{
    TestHttpServer server;
    HttpReply reply = HttpReply::ok(SimplePage);
    reply.delayBeforeFirstByteMs = 300;
    server.route("*", reply);
    const SiteRows rows({{0, SimpleRow(server, "/a")}, {2, SimpleRow(server, "/b")}});
    ScriptedDialogs dialogs;
    FailingWindow window(Captions(3));
    window.ticks[0] = window.ticks[2] = true;
    const QList<QStringList> before = window.grid;

    const int threadsBefore = ThreadCount();
    EXPECT_THROW(RunComparison(Brand, Code, Item, window, FastSettings()), AppError);
    EXPECT_EQ(ThreadCount(threadsBefore), threadsBefore)
        << "the workers made before the failure were not released";
    EXPECT_EQ(window.waitShown, 1);
    EXPECT_EQ(window.waitClosed, 1);
    EXPECT_TRUE(window.mainEnabled);
    EXPECT_EQ(window.grid, before);
    EXPECT_LE(server.requestCount(), 1);
}

TEST(ComparisonRun, EveryRunEndsWithItsWorkersReleased)
{
    ScriptedDialogs dialogs;
    FakeComparisonWindow window(Captions(8));
    window.ticks = QList<bool>(8, true);
    // Counted without a test server, whose connection threads come and go on their own.
    const auto runs = [&](int count) {
        TestHttpServer server;
        server.route("*", HttpReply::ok(SimplePage));
        QHash<int, QString> sites;
        for (int i = 0; i < 8; ++i)
            sites.insert(i, SimpleRow(server, QStringLiteral("/row%1").arg(i)));
        const SiteRows rows(sites);
        for (int run = 0; run < count; ++run)
            ASSERT_TRUE(RunComparison(Brand, Code, Item, window, FastSettings()));
        EXPECT_EQ(server.requestCount(), 8 * count);
    };
    // The first run starts whatever the libraries keep for later.
    runs(1);
    const int threadsBefore = ThreadCount();
    runs(3);
    EXPECT_EQ(ThreadCount(threadsBefore), threadsBefore);
    EXPECT_EQ(window.grid.size(), 2 + 4 * 8);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
