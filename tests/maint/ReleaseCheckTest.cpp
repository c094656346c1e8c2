#include "maint/ReleaseCheck.h"
#include "tests/fixtures/TestHttpServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
ReleaseAnswer answer(const QByteArray& bytes, int status = 200)
{
    ReleaseAnswer a;
    a.readOk = true;
    a.httpStatus = status;
    a.bytes = bytes;
    return a;
}
} // namespace

TEST(ReleaseCheck, FirstLineDecides)
{
    const struct
    {
        QByteArray history;
        bool newRelease;
    } cases[] = {
        {"\"CORVINEL\" 1.4.2 released\r\nfixed things\r\n", false},
        {"\"CORVINEL\" 1.4.3 released\r\nnew things\r\n", true},
        {"  \"CORVINEL\" 1.4.2 released  \nmore\n", false},
        // Only the first line counts, and it must end within the first 101 bytes.
        {"\"CORVINEL\" 1.4.3 released", false},
        {"\"CORVINEL\" 1.4.3 released\r\n", false}, // trimmed: no line feed left
        {QByteArray(120, 'x') + "\n", false},
        {"\r\n\r\n", false},
        {"", false},
        {"garbage line\nsecond\n", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewRelease(answer(c.history), QStringLiteral("1.4.2")), c.newRelease)
            << c.history.constData();
}

TEST(ReleaseCheck, FailedLateOrErrorAnswersAreNoRelease)
{
    const QByteArray newer = "\"CORVINEL\" 9.0.0 released\r\nx\r\n";
    ReleaseAnswer failed = answer(newer);
    failed.readOk = false;
    EXPECT_FALSE(IsNewRelease(failed, QStringLiteral("1.0.0")));
    ReleaseAnswer late = answer(newer);
    late.deadlinePassed = true;
    EXPECT_FALSE(IsNewRelease(late, QStringLiteral("1.0.0")));
    EXPECT_FALSE(IsNewRelease(answer("<html>Not Found</html>\r\n<body>\r\n", 404), QStringLiteral("1.0.0")));
    EXPECT_FALSE(IsNewRelease(answer("<html>oops</html>\r\n\r\n", 500), QStringLiteral("1.0.0")));
    EXPECT_TRUE(IsNewRelease(answer(newer), QStringLiteral("1.0.0")));
}

TEST(ReleaseCheck, AgainstTheServer)
{
    const QByteArray path = "/download/versionhistoryforargentleaf.txt";
    const struct
    {
        fixtures::HttpReply reply;
        bool newRelease;
    } cases[] = {
        {fixtures::HttpReply::ok("\"CORVINEL\" 1.4.2 released\r\n- fixes\r\n", "text/plain"), false},
        {fixtures::HttpReply::ok("\"CORVINEL\" 1.4.3 released\r\n- fixes\r\n", "text/plain"), true},
        {fixtures::HttpReply::ok(QByteArray(300, 'a') + "\r\n", "text/plain"), false},
        {[] {
             fixtures::HttpReply r = fixtures::HttpReply::ok("<html>\r\n<h1>Not Found</h1>\r\n</html>\r\n");
             r.status = 404;
             r.reason = "Not Found";
             return r;
         }(),
         false},
    };
    for (const auto& c : cases) {
        fixtures::TestHttpServer server;
        server.route(path, c.reply);
        EXPECT_EQ(CheckForNewRelease(server.url(QString::fromLatin1(path)), QStringLiteral("1.4.2"), 5s),
                  c.newRelease)
            << c.reply.body.left(40).constData();
        ASSERT_EQ(server.requestCount(), 1);
        const fixtures::HttpRequestRecord request = server.requests().at(0);
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.path(), path);
        EXPECT_EQ(request.header("User-Agent"), "HalvemarkUpload");
    }
}

TEST(ReleaseCheck, SilentServerEndsAtTheDeadline)
{
    fixtures::TestHttpServer server;
    fixtures::HttpReply silent;
    silent.silent = true;
    server.route("/download/versionhistoryforargentleaf.txt", silent);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(CheckForNewRelease(server.url(QStringLiteral("/download/versionhistoryforargentleaf.txt")),
                                    QStringLiteral("1.0.0"), 500ms));
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(ReleaseCheck, SlowBodyAfterTheDeadlineIsNoRelease)
{
    fixtures::TestHttpServer server;
    fixtures::HttpReply slow =
        fixtures::HttpReply::ok("\"CORVINEL\" 9.9.9 released\r\nsecond line\r\n", "text/plain");
    slow.chunkBytes = 10;
    slow.delayBetweenChunksMs = 400;
    server.route("/h.txt", slow);
    EXPECT_FALSE(CheckForNewRelease(server.url(QStringLiteral("/h.txt")), QStringLiteral("1.0.0"), 500ms));
}

TEST(ReleaseCheck, UnreachableServerIsNoRelease)
{
    quint16 port = 0;
    {
        fixtures::TestHttpServer server;
        port = server.port();
    }
    EXPECT_FALSE(CheckForNewRelease(QStringLiteral("http://127.0.0.1:%1/h.txt").arg(port),
                                    QStringLiteral("1.0.0"), 2s));
}
