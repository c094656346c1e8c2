#include "harvest/DebugLog.h"
#include "harvest/PageRequest.h"
#include "harvest/PriceJob.h"
#include "platform/Error.h"
#include "tests/fixtures/TempDir.h"
#include "tests/harvest/HarvestTestSupport.h"

#include <gtest/gtest.h>

using fixtures::HttpReply;
using fixtures::TestHttpServer;
using harvest_test::RecordingDialogs;
using harvest_test::Std;
using harvest_test::TestLimits;

namespace {

const QByteArray kHashes = "#########################################################";

// Entries as they stand in the file: each followed by CR LF.
QByteArray Lines(const QList<QByteArray>& entries)
{
    QByteArray out;
    for (const QByteArray& e : entries)
        out += e + "\r\n";
    return out;
}

class DebugLogTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetDebugMode(); }
    void TearDown() override { ResetDebugMode(); }

    // Switches debug mode on, runs 'work', switches it off and returns the bytes of Debugg.log.
    template <typename Work> QByteArray Trace(Work work)
    {
        ToggleDebugMode(dir.folder());
        work();
        ToggleDebugMode(dir.folder());
        return dir.read(QStringLiteral("Debugg.log"));
    }

    fixtures::TempDir dir;
    RecordingDialogs dialogs;
};

} // namespace

TEST_F(DebugLogTest, SwitchingOnAndOffWritesAnEmptyLogOverAnOldOne)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Debugg.log"), "old entries\r\n"));
    DebugLogAppend(QStringLiteral("dropped: debug mode is off"));
    EXPECT_FALSE(DebugModeOn());
    ToggleDebugMode(dir.folder());
    EXPECT_TRUE(DebugModeOn());
    ToggleDebugMode(dir.folder());
    EXPECT_FALSE(DebugModeOn());
    EXPECT_TRUE(dir.exists(QStringLiteral("Debugg.log")));
    EXPECT_EQ(dir.read(QStringLiteral("Debugg.log")), QByteArray());
    EXPECT_EQ(dialogs.shown, QStringList({QStringLiteral("Enabled debugging mode !"),
                                          QStringLiteral("Data was saved in Debugg.log !")}));
}

TEST_F(DebugLogTest, EntriesAre8BitWithCrLfAndTheirOwnBreaksUnchanged)
{
    const QByteArray bytes = Trace([] {
        DebugLogAppend(QStringLiteral("plain"));
        DebugLogAppend(QStringLiteral("Réf € Кат"));
        DebugLogAppend(QStringLiteral("[INITIAL DATA] => \ra\rb"));
        DebugLogAppend(QStringLiteral("h1\r\nh2\r\n"));
        DebugLogAppend(QString());
    });
    EXPECT_EQ(bytes, QByteArray("plain\r\nR\xE9"
                                "f \x80 ???\r\n[INITIAL DATA] => \ra\rb\r\nh1\r\nh2\r\n\r\n\r\n"));
    // A new session of debug mode starts with an empty log.
    EXPECT_EQ(Trace([] {}), QByteArray());
}

TEST_F(DebugLogTest, FailedSaveKeepsDebugModeAndEntries)
{
    ASSERT_TRUE(dir.write(QStringLiteral("Debugg.log"), "earlier log\r\n"));
    ToggleDebugMode(dir.folder());
    DebugLogAppend(QStringLiteral("first entry"));
    const QString missingFolder = dir.path(QStringLiteral("no/such/folder"));
    try {
        ToggleDebugMode(missingFolder);
        FAIL() << "a save into a missing folder must fail";
    } catch (const FileError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_TRUE(DebugModeOn());
    {
        fixtures::FileSizeLimit fullDisk(4); // the log is longer than this
        EXPECT_THROW(ToggleDebugMode(dir.folder()), FileError);
    }
    EXPECT_TRUE(DebugModeOn());
    EXPECT_EQ(dir.read(QStringLiteral("Debugg.log")), QByteArray("earlier log\r\n"));
    DebugLogAppend(QStringLiteral("second entry"));
    ToggleDebugMode(dir.folder());
    EXPECT_FALSE(DebugModeOn());
    EXPECT_EQ(dir.read(QStringLiteral("Debugg.log")), QByteArray("first entry\r\nsecond entry\r\n"));
    EXPECT_EQ(dialogs.shown.last(), QStringLiteral("Data was saved in Debugg.log !"));
}

TEST_F(DebugLogTest, HttpsRequestTraceByteForByte)
{
    TestHttpServer server(TestHttpServer::Scheme::Https);
    HttpReply reply;
    reply.headers = {{"Content-Type", "text/html"}, {"X-Shop", "a b"}};
    reply.body = "<p>R\xC3\xA9"
                 "f</p>";
    server.route("/t", reply);
    const QString address = server.url("/t?q=1");
    QString page;
    const QByteArray bytes = Trace([&] { page = FetchHttpsPage(address, TestLimits()); });
    EXPECT_EQ(page, QStringLiteral("<p>Réf</p>"));

    const QByteArray a = address.toLatin1();
    const QByteArray expected = Lines({
        "=========== START SEND DATA ============",
        "[INITIAL DATA] => \r" + a,
        "[searchpage] => " + a,
        "[START Headers] => ",
        " ",
        "Accept: */*\r\nX-Requested-With: XMLHttpRequest\r\nAccept-Encoding: identity\r\n"
        "Accept-Language: en-US,en;q=0.8,uk;q=0.6\r\n",
        " ",
        "[END Headers] <= ",
        "=========== END SEND DATA ============",
        kHashes,
        "=========== START RESULT FROM [" + a + "] ============",
        "[ResultString] => OK",
        "[START Headers] => ",
        " ",
        "Content-Type: text/html\r\nX-Shop: a b\r\nContent-Length: 11\r\n",
        " ",
        "[END Headers] <= ",
        "[START Document] => ",
        " ",
        "<p>R\xE9"
        "f</p>",
        " ",
        "[END Document] <= ",
        "=========== END RESULT FROM [" + a + "] ============",
        kHashes,
        kHashes,
        kHashes,
        kHashes,
    });
    EXPECT_EQ(bytes, expected);
}

TEST_F(DebugLogTest, HttpsTraceIsWrittenForAFailureToo)
{
    TestHttpServer server(TestHttpServer::Scheme::Https);
    HttpReply missing;
    missing.status = 404;
    missing.reason = "Not Found";
    missing.body = "gone";
    server.route("/m", missing);
    const QByteArray bytes =
        Trace([&] { EXPECT_TRUE(FetchHttpsPage(server.url("/m"), TestLimits()).isEmpty()); });
    EXPECT_TRUE(bytes.contains("\r\n[ResultString] => Not Found\r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("\r\n[START Document] => \r\n \r\ngone\r\n \r\n")) << bytes.constData();
}

TEST_F(DebugLogTest, HttpJobTracesRequestAndExtractionByteForByte)
{
    TestHttpServer server;
    const QString page = QStringLiteral("head>BOSCH<b>1,00 €</b><i>0 986</i><b> 12,50 €</b>tail");
    server.route("/s", HttpReply::ok(page.toUtf8()));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    PriceJob job;
    job.brand = QStringLiteral("BOSCH");
    job.codepart = QStringLiteral("0 986");
    job.S_searchpage = server.url("/s?q={_codepart_}");
    job.S_getstartline = QStringLiteral(">{_brand_}");
    job.S_getnextstartline = QStringLiteral("<i>{_codepart_}</i>");
    job.S_getprice = QStringLiteral("<b>{_price_} €</b>");

    const QByteArray bytes = Trace([&] { RunPriceJob(job, session); });
    EXPECT_EQ(job.value, 12.5);
    EXPECT_TRUE(job._err.isEmpty());

    const QByteArray searchPage = job.S_searchpage.toLatin1();
    const QByteArray a = server.url("/s?q=0%20986").toLatin1();
    const QByteArray expected = Lines({
        "=========== START SEND DATA ============",
        "[INITIAL DATA] => \r" + searchPage + "\r>{_brand_}\r<b>{_price_} \x80</b>",
        "[searchpage] => " + a,
        "=========== END SEND DATA ============",
        kHashes,
        "=========== START RESULT FROM [" + a + "] ============",
        " ",
        "head>BOSCH<b>1,00 \x80</b><i>0 986</i><b> 12,50 \x80</b>tail",
        " ",
        "=========== END RESULT FROM [" + a + "] ============",
        kHashes,
        kHashes,
        kHashes,
        kHashes,
        "=========== START PROCESSING DATA ============",
        "[_S_getstartline] => >BOSCH",
        " ",
        "[TextSite - 1 edit for _S_getstartline] => >BOSCH<b>1,00 \x80</b><i>0 986</i><b> 12,50 \x80</b>tail",
        " ",
        " ",
        "[_S_getnextstartline] => <i>0 986</i>",
        " ",
        "[TextSite - 2 edit for _S_getnextstartline] => <i>0 986</i><b> 12,50 \x80</b>tail",
        " ",
        " ",
        "[TextSite - 3 edit for get price] => [S1 = <b>] => [S2 =  \x80</b>] => <b> 12,50 \x80</b>tail",
        " ",
        " ",
        "[get price] => \"12,50\"",
        " ",
        "=========== END PROCESSING DATA ============",
        kHashes,
        kHashes,
        kHashes,
        kHashes,
    });
    EXPECT_EQ(bytes, expected);
}

TEST_F(DebugLogTest, HttpJobTracesAMissingStartLine)
{
    TestHttpServer server;
    server.route("/s", HttpReply::ok("nothing here <b>"));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    PriceJob job;
    job.brand = QStringLiteral("BOSCH");
    job.codepart = QStringLiteral("0 986");
    job.S_searchpage = server.url("/s");
    job.S_getstartline = QStringLiteral("{_brand_} {_codepart_}");
    job.S_getprice = QStringLiteral("<b>{_price_} €</b>");

    const QByteArray bytes = Trace([&] { RunPriceJob(job, session); });
    EXPECT_EQ(job.value, 0);
    const QByteArray expectedTail = Lines({
        "=========== PROCESSING DATA ERROR ============",
        "[_S_getstartline] => BOSCH 0 986",
        "[Pos(_S_getstartline, TextSite)] => 0",
        "[_S_getprice] => <b>{_price_} \x80</b>",
        "[to _S_getprice] => <b>",
        "[Pos(S1, TextSite)] => 14",
        "==============================================",
        kHashes,
        kHashes,
        kHashes,
        kHashes,
    });
    EXPECT_TRUE(bytes.endsWith(expectedTail)) << bytes.constData();
    EXPECT_TRUE(bytes.startsWith("=========== START SEND DATA ============\r\n"));
    EXPECT_FALSE(bytes.contains("START PROCESSING DATA"));
}

TEST_F(DebugLogTest, PrefixOnlyBeforeTheStartLinePassesTheFoundTestButCutsNothing)
{
    // The found test looks at the whole page; the third cut only at what is left after the first.
    TestHttpServer server;
    server.route("/s", HttpReply::ok("<b>9 \xE2\x82\xAC</b> BOSCH 1 no price"));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    PriceJob job;
    job.brand = QStringLiteral("BOSCH");
    job.codepart = QStringLiteral("1");
    job.S_searchpage = server.url("/s");
    job.S_getstartline = QStringLiteral("{_brand_} {_codepart_}");
    job.S_getprice = QStringLiteral("<b>{_price_} €</b>");

    const QByteArray bytes = Trace([&] { RunPriceJob(job, session); });
    EXPECT_EQ(job.value, 0);
    EXPECT_TRUE(job._err.isEmpty());
    const QByteArray expectedTail = Lines({
        "=========== START PROCESSING DATA ============",
        "[_S_getstartline] => BOSCH 1",
        " ",
        "[TextSite - 1 edit for _S_getstartline] => BOSCH 1 no price",
        " ",
        " ",
        "[TextSite - 3 edit for get price] => [S1 = <b>] => [S2 =  \x80</b>] => BOSCH 1 no price",
        " ",
        " ",
        "[get price] => \"\"",
        " ",
        "=========== END PROCESSING DATA ============",
        kHashes,
        kHashes,
        kHashes,
        kHashes,
    });
    EXPECT_TRUE(bytes.endsWith(expectedTail)) << bytes.constData();
    EXPECT_FALSE(bytes.contains("PROCESSING DATA ERROR"));
}

TEST_F(DebugLogTest, NoTraceAfterAFailedPlainFetchAndNoExtractionTraceOverHttps)
{
    QString gone;
    {
        TestHttpServer server;
        gone = server.url("/s");
    }
    TestHttpServer https(TestHttpServer::Scheme::Https);
    https.route("/s", HttpReply::ok("BOSCH 1 <b>2 \xE2\x82\xAC</b>"));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());

    PriceJob failed;
    failed.brand = QStringLiteral("BOSCH");
    failed.codepart = QStringLiteral("1");
    failed.S_searchpage = gone;
    failed.S_getstartline = QStringLiteral("{_brand_} {_codepart_}");
    failed.S_getprice = QStringLiteral("<b>{_price_} €</b>");
    PriceJob secure = failed;
    secure.S_searchpage = https.url("/s");

    const QByteArray bytes = Trace([&] {
        RunPriceJob(failed, session);
        RunPriceJob(secure, session);
    });
    EXPECT_EQ(Std(failed._err), Std(kConnectionErrorText));
    EXPECT_EQ(secure.value, 2);
    // Only the https client's request trace.
    EXPECT_EQ(bytes.count("=========== START SEND DATA ============"), 1);
    EXPECT_TRUE(bytes.contains("[START Headers] => "));
    EXPECT_FALSE(bytes.contains("PROCESSING DATA"));
}
