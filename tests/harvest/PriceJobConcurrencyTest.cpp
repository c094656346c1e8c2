#include "harvest/DebugLog.h"
#include "harvest/PriceJob.h"
#include "tests/fixtures/TempDir.h"
#include "tests/harvest/HarvestTestSupport.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using fixtures::HttpReply;
using fixtures::HttpRequestRecord;
using fixtures::TestHttpServer;
using harvest_test::RecordingDialogs;
using harvest_test::TestLimits;

namespace {

// The page names the part and its price: part n costs n,25.
HttpReply PageFor(const HttpRequestRecord& request)
{
    const QByteArray target = request.target;
    const QByteArray code = target.mid(target.indexOf("q=") + 2);
    HttpReply reply = HttpReply::ok("<p>FAG " + code + "</p><b>" + code + ",25 \xE2\x82\xAC</b>");
    reply.chunkBytes = 7; // several blocks per page
    return reply;
}

} // namespace

TEST(PriceJobConcurrency, NinetySixJobsShareOneSession)
{
    constexpr int kJobs = 96;
    TestHttpServer http;
    TestHttpServer https(TestHttpServer::Scheme::Https);
    http.route("/s", PageFor);
    https.route("/s", PageFor);
    fixtures::TempDir dir;
    RecordingDialogs dialogs;
    ResetDebugMode();
    ToggleDebugMode(dir.folder()); // the workers share the debug log too

    // Generous bounds: this test is about sharing, and under ThreadSanitizer on a loaded machine a
    // one-second stall bound ends healthy transfers.
    TransferLimits limits = TestLimits();
    limits.stallTimeout = std::chrono::seconds(15);
    InternetSession session(QString::fromLatin1(InternetSession::kPriceAgent), limits);
    std::vector<PriceJob> jobs(kJobs);
    for (int i = 0; i < kJobs; ++i) {
        PriceJob& job = jobs[static_cast<size_t>(i)];
        job.brand = QStringLiteral("FAG");
        job.codepart = QString::number(i);
        // Every fourth job goes through the https client.
        job.S_searchpage = (i % 4 == 3 ? https : http).url(QStringLiteral("/s?q={_codepart_}"));
        job.S_getstartline = QStringLiteral("FAG {_codepart_}<");
        job.S_getprice = QStringLiteral("<b>{_price_} €</b>");
    }
    std::vector<std::thread> workers;
    for (PriceJob& job : jobs)
        workers.emplace_back([&session, &job] { RunPriceJob(job, session); });
    for (std::thread& t : workers)
        t.join();
    ToggleDebugMode(dir.folder());

    for (int i = 0; i < kJobs; ++i) {
        EXPECT_EQ(jobs[static_cast<size_t>(i)].value, i + 0.25) << i;
        EXPECT_TRUE(jobs[static_cast<size_t>(i)]._err.isEmpty()) << i;
    }
    EXPECT_EQ(http.requestCount(), kJobs - kJobs / 4);
    EXPECT_EQ(https.requestCount(), kJobs / 4);
    // Every entry arrived whole: one request trace per job, one extraction trace per plain job.
    const QByteArray log = dir.read(QStringLiteral("Debugg.log"));
    EXPECT_EQ(log.count("=========== START SEND DATA ============\r\n"), kJobs);
    EXPECT_EQ(log.count("\r\n=========== END PROCESSING DATA ============\r\n"), kJobs - kJobs / 4);
    EXPECT_EQ(log.count("\r\n[get price] => \""), kJobs - kJobs / 4);
}
