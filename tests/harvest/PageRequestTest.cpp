#include "harvest/PageRequest.h"
#include "tests/harvest/HarvestTestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>

using fixtures::HttpHeaderList;
using fixtures::HttpReply;
using fixtures::HttpRequestRecord;
using fixtures::TestHttpServer;
using harvest_test::SecondsSince;
using harvest_test::Std;
using harvest_test::TestLimits;
using namespace std::chrono_literals;

namespace {

const QByteArray kBrowserAgent = "Mozilla/5.0 (Windows NT 6.3; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
                                 "Chrome/45.0.2454.101 Safari/537.36";

QByteArray HostOf(const TestHttpServer& server)
{
    return "127.0.0.1:" + QByteArray::number(server.port());
}

HttpReply Reply(int status, const QByteArray& reason, const QByteArray& body)
{
    HttpReply reply = HttpReply::ok(body);
    reply.status = status;
    reply.reason = reason;
    return reply;
}

// A port on 127.0.0.1 that takes connections into its backlog but never accepts them: the TCP
// handshake completes, nothing ever answers (not even a TLS handshake).
class DeafListener
{
public:
    DeafListener()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_fd, 16) != 0 ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        m_port = ntohs(address.sin_port);
    }
    ~DeafListener() { ::close(m_fd); }
    DeafListener(const DeafListener&) = delete;
    DeafListener& operator=(const DeafListener&) = delete;
    QString url(const char* scheme) const
    {
        return QStringLiteral("%1://127.0.0.1:%2/s?q=1").arg(QLatin1String(scheme)).arg(m_port);
    }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};

} // namespace

TEST(FetchHttpPage, SendsOneExtraHeaderLineThroughTheSession)
{
    TestHttpServer server;
    server.route("/p", HttpReply::ok("hello"));
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());

    const HttpPageResult result = FetchHttpPage(session, server.url("/p?x=1&y=%2B"));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(Std(result.page), "hello");
    EXPECT_TRUE(result.error.isEmpty());

    ASSERT_EQ(server.requestCount(), 1);
    const HttpRequestRecord r = server.requests().at(0);
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.target, "/p?x=1&y=%2B");
    EXPECT_EQ(r.version, "HTTP/1.1");
    const HttpHeaderList expected = {
        {"Host", HostOf(server)},
        {"User-Agent", "Corvinet : Halvemark"},
        {"Accept", "*/*"},
        {"Accept-Charset", "utf-8"},
    };
    EXPECT_EQ(r.headers, expected);
    EXPECT_TRUE(r.body.isEmpty());
}

TEST(FetchHttpsPage, SendsTheBrowserHeaderLinesAndTheQueryAsBody)
{
    TestHttpServer server(TestHttpServer::Scheme::Https);
    server.route("/s", HttpReply::ok("page"));
    const struct
    {
        const char* pathAndQuery;
        const char* body; // nullptr: no body at all
    } cases[] = {
        {"/s", nullptr},
        {"/s?s=ABC", "s=ABC"},
        {"/s?a=1&b=2", "&a=1&b=2"},
        {"/s?x=%253D+y&", "&x=%253D+y&"},
    };
    int n = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(Std(FetchHttpsPage(server.url(QString::fromLatin1(c.pathAndQuery)), TestLimits())), "page")
            << c.pathAndQuery;
        ASSERT_EQ(server.requestCount(), ++n);
        const HttpRequestRecord r = server.requests().last();
        EXPECT_EQ(r.method, "GET") << c.pathAndQuery;
        EXPECT_EQ(r.target, c.pathAndQuery);
        EXPECT_EQ(r.version, "HTTP/1.1");
        HttpHeaderList expected = {
            {"Host", HostOf(server)},
            {"User-Agent", kBrowserAgent},
            {"Accept", "*/*"},
            {"X-Requested-With", "XMLHttpRequest"},
            {"Accept-Encoding", "identity"},
            {"Accept-Language", "en-US,en;q=0.8,uk;q=0.6"},
            {"Content-Type", "application/x-www-form-urlencoded"},
        };
        if (c.body)
            expected.append({"Content-Length", QByteArray::number(qstrlen(c.body))});
        EXPECT_EQ(r.headers, expected) << c.pathAndQuery;
        EXPECT_EQ(r.body, c.body ? QByteArray(c.body) : QByteArray()) << c.pathAndQuery;
    }
    // A new connection for every request.
    EXPECT_EQ(server.connectionCount(), n);
}

TEST(FetchHttpsPage, OnlyTheReasonPhraseOkGivesTheBody)
{
    TestHttpServer server(TestHttpServer::Scheme::Https);
    const struct
    {
        const char* path;
        HttpReply reply;
        const char* page;
    } cases[] = {
        {"/ok", Reply(200, "OK", "body ok"), "body ok"},
        {"/lower", Reply(200, "ok", "body lower"), "body lower"},
        {"/mixed", Reply(200, "oK", "body mixed"), "body mixed"},
        {"/moved", HttpReply::redirect(301, "/ok"), ""},
        {"/found", HttpReply::redirect(302, "/ok"), ""},
        {"/missing", Reply(404, "Not Found", "no such page"), ""},
        {"/okay", Reply(200, "Okay", "body okay"), ""},
        {"/none", Reply(200, "", "body without reason"), ""},
        {"/odd", Reply(500, "OK", "the reason decides"), "the reason decides"},
    };
    for (const auto& c : cases)
        server.route(c.path, c.reply);
    for (const auto& c : cases) {
        server.clearRequests();
        EXPECT_EQ(Std(FetchHttpsPage(server.url(QString::fromLatin1(c.path)), TestLimits())), c.page)
            << c.path;
        // Redirects are not followed.
        EXPECT_EQ(server.requestCount(), 1) << c.path;
    }
}

TEST(PageRequest, InvalidUtf8GivesAnEmptyPageOnBothTransports)
{
    for (const auto scheme : {TestHttpServer::Scheme::Http, TestHttpServer::Scheme::Https}) {
        TestHttpServer server(scheme);
        server.route("/latin1", HttpReply::ok("caf\xE9 12,50"));
        server.route("/overlong", HttpReply::ok("\xC0\xAF"));
        server.route("/utf8", HttpReply::ok("\xD0\x9A\xD0\xB0\xD1\x82 \xE2\x82\xAC"));
        InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
        for (const char* path : {"/latin1", "/overlong"}) {
            const HttpPageResult plain = FetchHttpPage(session, server.url(QString::fromLatin1(path)));
            EXPECT_TRUE(plain.ok) << path; // not a transport failure
            EXPECT_TRUE(plain.page.isEmpty()) << path;
            EXPECT_TRUE(FetchHttpsPage(server.url(QString::fromLatin1(path)), TestLimits()).isEmpty())
                << path;
        }
        EXPECT_EQ(FetchHttpPage(session, server.url("/utf8")).page, QStringLiteral("Кат €"));
        EXPECT_EQ(FetchHttpsPage(server.url("/utf8"), TestLimits()), QStringLiteral("Кат €"));
    }
}

TEST(FetchHttpPage, TheBodyIsThePageWhateverTheStatus)
{
    TestHttpServer server;
    const struct
    {
        const char* path;
        HttpReply reply;
    } cases[] = {
        {"/missing", Reply(404, "Not Found", "no such part")},
        {"/broken", Reply(500, "Internal Server Error", "try later")},
        {"/empty", Reply(204, "No Content", "")},
    };
    for (const auto& c : cases)
        server.route(c.path, c.reply);
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    for (const auto& c : cases) {
        const HttpPageResult result = FetchHttpPage(session, server.url(QString::fromLatin1(c.path)));
        EXPECT_TRUE(result.ok) << c.path;
        EXPECT_EQ(result.page.toUtf8(), c.reply.body) << c.path;
        EXPECT_TRUE(result.error.isEmpty()) << c.path;
    }
}

TEST(PageRequest, UntrustedCertificateIsRefused)
{
    // The test CA is not in the system's store: without it no page may come back.
    TestHttpServer server(TestHttpServer::Scheme::Https);
    server.route("/s", HttpReply::ok("secret price"));
    TransferLimits systemStore = TestLimits();
    systemStore.caFile.clear();

    EXPECT_TRUE(FetchHttpsPage(server.url("/s?q=1"), systemStore).isEmpty());
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), systemStore);
    const HttpPageResult plain = FetchHttpPage(session, server.url("/s"));
    EXPECT_FALSE(plain.ok);
    EXPECT_EQ(Std(plain.error), Std(kConnectionErrorText));
    EXPECT_EQ(server.requestCount(), 0);

    // The same server with its CA trusted answers, so the refusal above was the certificate's.
    EXPECT_EQ(Std(FetchHttpsPage(server.url("/s?q=1"), TestLimits())), "secret price");
}

TEST(PageRequest, CertificateForAnotherNameIsRefused)
{
    // The test certificate names only 127.0.0.1 and localhost; the machine's own name, where it
    // resolves to 127.0.0.1, reaches the same server under a name the certificate lacks.
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || qstricmp(name, "localhost") == 0)
        GTEST_SKIP() << "no host name";
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &found) != 0 || !found)
        GTEST_SKIP() << "the host name does not resolve";
    const bool loopback =
        reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr == htonl(INADDR_LOOPBACK);
    ::freeaddrinfo(found);
    if (!loopback)
        GTEST_SKIP() << "the host name does not resolve to 127.0.0.1";

    TestHttpServer server(TestHttpServer::Scheme::Https);
    server.route("/s", HttpReply::ok("secret price"));
    const QString address =
        QStringLiteral("https://%1:%2/s").arg(QString::fromLocal8Bit(name)).arg(server.port());
    qputenv("no_proxy", QByteArray("127.0.0.1,localhost,") + name);
    EXPECT_TRUE(FetchHttpsPage(address, TestLimits()).isEmpty());
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    EXPECT_EQ(Std(FetchHttpPage(session, address).error), Std(kConnectionErrorText));
    EXPECT_EQ(server.requestCount(), 0);
    EXPECT_EQ(Std(FetchHttpsPage(server.url("/s"), TestLimits())), "secret price");
}

TEST(PageRequest, ServerThatNeverAnswersTheConnectionIsBounded)
{
    DeafListener deaf;
    TransferLimits limits = TestLimits();
    limits.connectTimeout = 1s;
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), limits);
    for (const char* scheme : {"http", "https"}) {
        auto start = std::chrono::steady_clock::now();
        const HttpPageResult plain = FetchHttpPage(session, deaf.url(scheme));
        EXPECT_FALSE(plain.ok) << scheme;
        EXPECT_EQ(Std(plain.error), Std(kConnectionErrorText)) << scheme;
        EXPECT_LT(SecondsSince(start), 6.0) << scheme;

        start = std::chrono::steady_clock::now();
        EXPECT_TRUE(FetchHttpsPage(deaf.url(scheme), limits).isEmpty()) << scheme;
        EXPECT_LT(SecondsSince(start), 6.0) << scheme;
    }
}

TEST(FetchHttpPage, FollowsRedirectsAsFarAsTheLimit)
{
    TestHttpServer server;
    server.route("/old", HttpReply::redirect(302, "/new"));
    server.route("/new", HttpReply::ok("moved here"));
    server.route("/loop", HttpReply::redirect(302, "/loop"));
    TransferLimits limits = TestLimits();
    limits.maxRedirects = 3;
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), limits);

    const HttpPageResult moved = FetchHttpPage(session, server.url("/old"));
    EXPECT_TRUE(moved.ok);
    EXPECT_EQ(Std(moved.page), "moved here");

    server.clearRequests();
    const HttpPageResult loop = FetchHttpPage(session, server.url("/loop"));
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(Std(loop.error), Std(kConnectionErrorText));
    EXPECT_EQ(server.requestCount(), 4); // the first request and three redirects
}

TEST(FetchHttpPage, DeadlineEndsADribblingTransfer)
{
    TestHttpServer server;
    HttpReply dribble = HttpReply::ok(QByteArray(6000, 'x'));
    dribble.chunkBytes = 50;
    dribble.delayBetweenChunksMs = 50; // about six seconds in all
    server.route("/dribble", dribble);
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());

    const auto start = std::chrono::steady_clock::now();
    const HttpPageResult result = FetchHttpPage(session, server.url("/dribble"), 1s);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(Std(result.error), Std(kLargeIntervalErrorText));
    EXPECT_TRUE(result.page.isEmpty());
    EXPECT_LT(SecondsSince(start), 4.5);
}

TEST(FetchHttpPage, DeadlineCountsFromTheOpen)
{
    // A slow answer to the open itself is bounded by the transfer limits, not by the deadline.
    TestHttpServer server;
    HttpReply slowStart = HttpReply::ok("late but whole");
    slowStart.delayBeforeFirstByteMs = 1500;
    server.route("/slow", slowStart);
    TransferLimits limits = TestLimits();
    limits.stallTimeout = 5s;
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), limits);

    const HttpPageResult result = FetchHttpPage(session, server.url("/slow"), 1s);
    EXPECT_TRUE(result.ok) << Std(result.error);
    EXPECT_EQ(Std(result.page), "late but whole");
}

TEST(PageRequest, DeadOrBrokenServersFailWithinTheBounds)
{
    HttpReply silent;
    silent.silent = true;
    HttpReply byteAMinute = HttpReply::ok("abcdef");
    byteAMinute.chunkBytes = 1;
    byteAMinute.delayBetweenChunksMs = 60000;
    HttpReply silentAfterHeaders = HttpReply::ok("first piece, then a long pause");
    silentAfterHeaders.chunkBytes = 11;
    silentAfterHeaders.delayBetweenChunksMs = 60000;
    HttpReply cutOff = HttpReply::ok(QByteArray(5000, 'y'));
    cutOff.closeMidBody = true;
    HttpReply garbage;
    garbage.raw = "NOT HTTP AT ALL\r\n\r\n";
    garbage.closeConnection = true;

    const struct
    {
        const char* name;
        HttpReply reply;
    } cases[] = {
        {"silent", silent},
        {"byte a minute", byteAMinute},
        {"silent after headers", silentAfterHeaders},
        {"closed mid-body", cutOff},
        {"not http", garbage},
    };
    for (const auto scheme : {TestHttpServer::Scheme::Http, TestHttpServer::Scheme::Https}) {
        TestHttpServer server(scheme);
        for (const auto& c : cases)
            server.route(QByteArray("/") + QByteArray(c.name).replace(' ', '-'), c.reply);
        InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
        for (const auto& c : cases) {
            const QString address =
                server.url(QStringLiteral("/") + QString::fromLatin1(c.name).replace(' ', '-'));
            auto start = std::chrono::steady_clock::now();
            const HttpPageResult plain = FetchHttpPage(session, address);
            EXPECT_FALSE(plain.ok) << c.name;
            EXPECT_EQ(Std(plain.error), Std(kConnectionErrorText)) << c.name;
            EXPECT_TRUE(plain.page.isEmpty()) << c.name;
            EXPECT_LT(SecondsSince(start), 8.0) << c.name;

            start = std::chrono::steady_clock::now();
            EXPECT_TRUE(FetchHttpsPage(address, TestLimits()).isEmpty()) << c.name;
            EXPECT_LT(SecondsSince(start), 8.0) << c.name;
        }
    }
}

TEST(PageRequest, RefusedConnectionFails)
{
    QString address;
    {
        TestHttpServer server;
        address = server.url("/gone");
    } // nobody listens on the port any more
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
    const HttpPageResult plain = FetchHttpPage(session, address);
    EXPECT_FALSE(plain.ok);
    EXPECT_EQ(Std(plain.error), Std(kConnectionErrorText));
    EXPECT_TRUE(FetchHttpsPage(address, TestLimits()).isEmpty());
    // An address that cannot be parsed fails the same way.
    EXPECT_EQ(Std(FetchHttpPage(session, QString()).error), Std(kConnectionErrorText));
    EXPECT_EQ(Std(FetchHttpPage(session, QStringLiteral("ftp://127.0.0.1/x")).error),
              Std(kConnectionErrorText));
}

TEST(PageRequest, BodyOverTheCapFails)
{
    constexpr int kCap = 64 * 1024;
    const QByteArray big(200 * 1024, 'z');
    HttpReply chunked = HttpReply::ok(big);
    chunked.chunkedEncoding = true;
    chunked.chunkBytes = 8192;
    HttpReply withLength = HttpReply::ok(big);
    HttpReply untilClose = HttpReply::ok(big);
    untilClose.omitContentLength = true;
    HttpReply atCap = HttpReply::ok(QByteArray(kCap, 'a'));
    atCap.chunkedEncoding = true;
    atCap.chunkBytes = 4096;

    TransferLimits limits = TestLimits();
    limits.maxBodyBytes = kCap;
    for (const auto scheme : {TestHttpServer::Scheme::Http, TestHttpServer::Scheme::Https}) {
        TestHttpServer server(scheme);
        server.route("/chunked", chunked);
        server.route("/length", withLength);
        server.route("/close", untilClose);
        server.route("/at-cap", atCap);
        InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), limits);
        for (const char* path : {"/chunked", "/length", "/close"}) {
            const QString address = server.url(QString::fromLatin1(path));
            const HttpPageResult plain = FetchHttpPage(session, address);
            EXPECT_FALSE(plain.ok) << path;
            EXPECT_EQ(Std(plain.error), Std(kConnectionErrorText)) << path;
            EXPECT_TRUE(FetchHttpsPage(address, limits).isEmpty()) << path;
        }
        const HttpPageResult whole = FetchHttpPage(session, server.url("/at-cap"));
        EXPECT_TRUE(whole.ok);
        EXPECT_EQ(whole.page.size(), kCap);
        EXPECT_EQ(FetchHttpsPage(server.url("/at-cap"), limits).size(), kCap);
    }
}

TEST(InternetSession, RequestReportsStatusAndFillsEachRead)
{
    TestHttpServer server;
    HttpReply pieces = Reply(404, "Not Found", QByteArray("0123456789").repeated(15));
    pieces.chunkBytes = 10;
    pieces.delayBetweenChunksMs = 20;
    server.route("/pieces", pieces);
    InternetSession session(QStringLiteral("HalvemarkUpload"), TestLimits());

    const auto request = session.openUrl(server.url("/pieces"));
    EXPECT_TRUE(request->isOpen());
    EXPECT_EQ(request->statusCode(), 404);
    QByteArray block;
    // One read waits for all it asked for, as the release check relies on.
    ASSERT_TRUE(request->read(block, 101));
    EXPECT_EQ(block, QByteArray("0123456789").repeated(15).left(101));
    ASSERT_TRUE(request->read(block, 1024));
    EXPECT_EQ(block.size(), 49);
    ASSERT_TRUE(request->read(block, 1024));
    EXPECT_TRUE(block.isEmpty());
    EXPECT_EQ(server.requests().at(0).header("User-Agent"), "HalvemarkUpload");

    const auto refused = session.openUrl(QStringLiteral("http://127.0.0.1:1/"));
    EXPECT_FALSE(refused->isOpen());
    EXPECT_EQ(refused->statusCode(), 0);
    EXPECT_FALSE(refused->read(block, 10));
    EXPECT_FALSE(refused->errorText().isEmpty());
}

TEST(InternetSession, OutlivedByItsRequests)
{
    TestHttpServer server;
    server.route("/p", HttpReply::ok("still here"));
    std::unique_ptr<InternetRequest> request;
    {
        InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), TestLimits());
        request = session.openUrl(server.url("/p"));
    }
    QByteArray block;
    ASSERT_TRUE(request->read(block, 1025));
    EXPECT_EQ(block, "still here");
}
