#include "harvest/PriceJob.h"
#include "tests/harvest/HarvestTestSupport.h"

#include <gtest/gtest.h>

using fixtures::HttpReply;
using fixtures::TestHttpServer;
using harvest_test::Std;
using harvest_test::TestLimits;
using namespace std::chrono_literals;

namespace {

PriceJob Job(const QString& searchPage, const char16_t* startLine, const char16_t* price,
             const char16_t* nextStartLine = u"", const char16_t* strip = u"")
{
    PriceJob job;
    job.brand = QStringLiteral("BOSCH");
    job.codepart = QStringLiteral("0 986");
    job.S_searchpage = searchPage;
    job.S_getstartline = QString::fromUtf16(startLine);
    job.S_getnextstartline = QString::fromUtf16(nextStartLine);
    job.S_getprice = QString::fromUtf16(price);
    job.S_textforzaminacode = QString::fromUtf16(strip);
    return job;
}

struct PageCase
{
    const char* name;
    const char16_t* page;
    const char16_t* startLine;
    const char16_t* nextStartLine;
    const char16_t* price;
    double overHttp;
    double overHttps;
};

const char16_t* const kStart = u"{_brand_} {_codepart_}";
const char16_t* const kPrice = u"<b>{_price_} €</b>";

const PageCase kPageCases[] = {
    {"found", u"<li>BOSCH 0 986</li><b>12,50 €</b>", kStart, u"", kPrice, 12.5, 12.5},
    {"dot decimal", u"BOSCH 0 986 <b>12.50 €</b>", kStart, u"", kPrice, 12.5, 12.5},
    {"start line twice", u"BOSCH 0 986 <b>5,00 €</b> BOSCH 0 986 <b>7,00 €</b>", kStart, u"", kPrice, 5, 5},
    {"price before the start line too", u"<b>1,00 €</b> BOSCH 0 986 <b>2,00 €</b>", kStart, u"", kPrice, 2,
     2},
    {"next start line missing", u"BOSCH 0 986 <b>3,00 €</b>", kStart, u"<i>none</i>", kPrice, 3, 3},
    {"next start line cuts again",
     u">BOSCH <b>1,00 €</b><span>Art 1 111</span><b>2,00 €</b><span>Art 0 986</span><b>3,00 €</b>",
     u">{_brand_}", u"<span>Art {_codepart_}</span>", kPrice, 3, 3},
    {"next start line only before the start line", u"<span>Art 0 986</span> >BOSCH <b>4,00 €</b>",
     u">{_brand_}", u"<span>Art {_codepart_}</span>", kPrice, 4, 4},
    {"blank next start line is no marker", u"BOSCH 0 986 <b>4,50 €</b>", kStart, u"  ", kPrice, 4.5, 4.5},
    {"prefix only before the start line", u"<b>9,99 €</b> BOSCH 0 986 no price", kStart, u"", kPrice, 0, 0},
    {"no-break space grouping", u"BOSCH 0 986 <b> 1\u00A0234,56 €</b>", kStart, u"", kPrice, 1234.56, 0},
    {"leading no-break space", u"BOSCH 0 986 <b>\u00A012,50 €</b>", kStart, u"", kPrice, 12.5, 0},
    {"blanks around the price", u"BOSCH 0 986 <b>\t12,50 €</b>", kStart, u"", kPrice, 12.5, 12.5},
    {"upper-case placeholders", u"BOSCH 0 986 <b>6 €</b>", u"{_BRAND_} {_CODEPART_}", u"", kPrice, 6, 6},
    {"clean code in the start line", u"code=0986 <b>8 €</b>", u"code={_cleancodepart_}", u"", kPrice, 8, 8},
    {"pattern without price mark", u"BOSCH 0 986 <b>12,50 €</b>", kStart, u"", u"<b>", 0, 0},
    {"empty start line", u"BOSCH 0 986 <b>12,50 €</b>", u"", u"", kPrice, 0, 0},
    {"start line is case-sensitive", u"bosch 0 986 <b>12,50 €</b>", kStart, u"", kPrice, 0, 0},
    {"suffix missing", u"BOSCH 0 986 <b>12,50 EUR", kStart, u"", kPrice, 0, 0},
    {"not a number", u"BOSCH 0 986 <b>call us €</b>", kStart, u"", kPrice, 0, 0},
    {"grouped with dot and comma", u"BOSCH 0 986 <b>1.234,56 €</b>", kStart, u"", kPrice, 0, 0},
    {"negative", u"BOSCH 0 986 <b>-5 €</b>", kStart, u"", kPrice, -5, -5},
    {"exponent", u"BOSCH 0 986 <b>1,5e2 €</b>", kStart, u"", kPrice, 150, 150},
};

} // namespace

TEST(RunPriceJob, ReadsThePriceFromEachPage)
{
    TestHttpServer http;
    TestHttpServer https(TestHttpServer::Scheme::Https);
    int n = 0;
    for (const PageCase& c : kPageCases) {
        const QByteArray path = "/case" + QByteArray::number(n++);
        const QByteArray body = QString::fromUtf16(c.page).toUtf8();
        http.route(path, HttpReply::ok(body));
        https.route(path, HttpReply::ok(body));
    }
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    n = 0;
    for (const PageCase& c : kPageCases) {
        const QString path = QStringLiteral("/case%1?q={_codepart_}").arg(n++);
        for (TestHttpServer* server : {&http, &https}) {
            const bool secure = server == &https;
            PriceJob job = Job(server->url(path), c.startLine, c.price, c.nextStartLine);
            RunPriceJob(job, session);
            EXPECT_EQ(job.value, secure ? c.overHttps : c.overHttp)
                << c.name << (secure ? " (https)" : " (http)");
            EXPECT_TRUE(job._err.isEmpty()) << c.name;
        }
    }
    EXPECT_EQ(http.requestCount(), n);
    EXPECT_EQ(https.requestCount(), n);
}

TEST(RunPriceJob, BlankBrandOrPartNumberMakesNoRequest)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok("BOSCH 1 <b>1 €</b>"));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    const struct
    {
        const char16_t* brand;
        const char16_t* code;
        const char* error;
    } cases[] = {
        {u" ", u"0 986", "Error : brand=[ ],code=[0 986]"},
        {u"BOSCH", u"", "Error : brand=[BOSCH],code=[]"},
        {u"\t\r\n", u"\x01", "Error : brand=[\t\r\n],code=[\x01]"},
    };
    for (const auto& c : cases) {
        PriceJob job = Job(server.url("/s"), kStart, kPrice);
        job.brand = QString::fromUtf16(c.brand);
        job.codepart = QString::fromUtf16(c.code);
        job.value = 99; // the job clears what an earlier one left
        RunPriceJob(job, session);
        EXPECT_EQ(Std(job._err), c.error);
        EXPECT_EQ(job.value, 0);
    }
    EXPECT_EQ(server.requestCount(), 0);

    // A no-break space is not blank: the request goes out.
    PriceJob job = Job(server.url("/s"), kStart, kPrice);
    job.brand = QStringLiteral("\u00A0");
    RunPriceJob(job, session);
    EXPECT_TRUE(job._err.isEmpty());
    EXPECT_EQ(server.requestCount(), 1);
}

TEST(RunPriceJob, PlainFetchFailuresBecomeTheErrorText)
{
    QString gone;
    {
        TestHttpServer server;
        gone = server.url("/s");
    }
    TestHttpServer server;
    HttpReply dribble = HttpReply::ok(QByteArray(3000, 'x'));
    dribble.chunkBytes = 100;
    dribble.delayBetweenChunksMs = 100;
    server.route("/slow", dribble);
    server.route("/missing", HttpReply::ok("not used"));
    TestHttpServer https(TestHttpServer::Scheme::Https);
    HttpReply notFound = HttpReply::ok("BOSCH 0 986 <b>1 €</b>");
    notFound.status = 404;
    notFound.reason = "Not Found";
    https.route("/s", notFound);
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());

    PriceJob refused = Job(gone, kStart, kPrice);
    RunPriceJob(refused, session, 1s);
    EXPECT_EQ(Std(refused._err), Std(kConnectionErrorText));
    EXPECT_EQ(refused.value, 0);

    PriceJob slow = Job(server.url("/slow"), kStart, kPrice);
    RunPriceJob(slow, session, 1s);
    EXPECT_EQ(Std(slow._err), Std(kLargeIntervalErrorText));
    EXPECT_EQ(slow.value, 0);

    // An https failure only gives an empty page, never an error text.
    PriceJob secure = Job(https.url("/s"), kStart, kPrice);
    RunPriceJob(secure, session, 1s);
    EXPECT_TRUE(secure._err.isEmpty());
    EXPECT_EQ(secure.value, 0);
}

TEST(RunPriceJob, EncodedAddressAndTransportChoice)
{
    TestHttpServer server;
    server.route("*", HttpReply::ok("BOSCH 0 986/424 <b>3,5 €</b>"));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());

    PriceJob job = Job(server.url("/p/{_codepart_}.html?c={_cleancodepart_}"), kStart, kPrice);
    job.codepart = QStringLiteral("0 986/424");
    RunPriceJob(job, session);
    EXPECT_EQ(job.value, 3.5);
    ASSERT_EQ(server.requestCount(), 1);
    EXPECT_EQ(server.requests().at(0).target, "/p/0%20986/424.html?c=0986424");
    EXPECT_FALSE(server.requests().at(0).hasHeader("X-Requested-With")); // through the session

    // "https://" anywhere in the address, even in the query, picks the https client.
    server.clearRequests();
    PriceJob redirected = Job(server.url("/r?u=https://x.test/{_codepart_}"), kStart, kPrice);
    redirected.codepart = QStringLiteral("0 986/424");
    RunPriceJob(redirected, session);
    EXPECT_EQ(redirected.value, 3.5); // no clean-up of the price text either way here
    ASSERT_EQ(server.requestCount(), 1);
    const auto r = server.requests().at(0);
    EXPECT_EQ(r.header("X-Requested-With"), "XMLHttpRequest");
    EXPECT_EQ(r.target, "/r?u=https://x.test/0%20986/424");
    EXPECT_EQ(r.body, "u=https://x.test/0%20986/424");
}
