// Comparison run against its slowest supplier: 96 suppliers on the local test server, each
// answering after the same fixed delay (the baseline). A run that asks them all at once takes about
// one delay, so the ratio of run time to delay is the figure (goal: at most 1.2). Each run prints
// where its time went; the last line gives the median ratio of the runs.

#include "compare/ComparisonRun.h"
#include "harvest/SiteTable.h"
#include "tests/fixtures/TestHttpServer.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSuppliers = SiteCount;
constexpr int kDelayMs = 200;
constexpr int kRuns = 9;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Processor time of the whole process (client and server), in ms.
double CpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

class BenchWindow : public ComparisonWindow
{
public:
    int gridRowCount() const override { return m_rows; }
    void setGridRowCount(int rows) override { m_rows = rows; }
    void setGridCell(int row, int column, const QString& text) override
    {
        const auto now = Clock::now();
        if (firstCell == Clock::time_point())
            firstCell = now;
        lastCell = now;
        if (column == PriceColumn && row > 0 && text != QLatin1String("12.5") && !text.isEmpty())
            ++wrongPrices;
    }
    int compareSupplierCount() const override { return kSuppliers; }
    bool isCompareSupplierTicked(int) const override { return true; }
    void tickCompareSupplier(int) override {}
    QString compareSupplierCaption(int index) const override { return QStringLiteral("SHOP-%1").arg(index); }
    void showWaitWindow() override {}
    void closeWaitWindow() override { waitClosed = Clock::now(); }

    int wrongPrices = 0;
    Clock::time_point firstCell, lastCell, waitClosed;

private:
    int m_rows = 2;
};

// What the server saw of one run.
struct ServerTimes
{
    std::mutex mutex;
    Clock::time_point firstArrival, lastArrival, lastAnswer;

    void reset()
    {
        const std::lock_guard lock(mutex);
        firstArrival = lastArrival = lastAnswer = Clock::time_point();
    }
};

struct RunTimes
{
    double total, startUp, spread, lastAnswerAt, answerToParked, collect, teardown, cpu;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    // Mode "fixture-delay" lets the server's own reply delay do the waiting; by default the handler
    // sleeps on its connection's thread.
    const bool fixtureDelay = argc > 1 && qstrcmp(argv[1], "fixture-delay") == 0;
    fixtures::TestHttpServer server;
    fixtures::HttpReply reply = fixtures::HttpReply::ok("<div>BOSCH <b>12.50</b></div>");
    if (fixtureDelay)
        reply.delayBeforeFirstByteMs = kDelayMs;
    ServerTimes seen;
    server.route("*", [&](const fixtures::HttpRequestRecord&) {
        {
            const auto now = Clock::now();
            const std::lock_guard lock(seen.mutex);
            if (seen.firstArrival == Clock::time_point() || now < seen.firstArrival)
                seen.firstArrival = now;
            seen.lastArrival = std::max(seen.lastArrival, now);
        }
        if (!fixtureDelay) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kDelayMs));
            const auto now = Clock::now();
            const std::lock_guard lock(seen.mutex);
            seen.lastAnswer = std::max(seen.lastAnswer, now);
        }
        return reply;
    });
    const QString url = server.baseUrl();
    setSiteTableOverride([url](int index) {
        return MakeSiteTemplate({url, url + QStringLiteral("/row%1?q={_codepart_}").arg(index),
                                 QStringLiteral("<div>{_brand_}"), std::nullopt, std::nullopt,
                                 QStringLiteral("<b>{_price_}</b>")});
    });

    std::printf(
        "baseline: every one of %d suppliers answers after a fixed %d ms (%s); ratio = run time / %d ms\n",
        kSuppliers, kDelayMs, fixtureDelay ? "server's reply delay" : "handler sleeps", kDelayMs);
    std::vector<RunTimes> runs;
    for (int run = 0; run < kRuns; ++run) {
        BenchWindow window;
        ComparisonSettings settings;
        settings.factorText = QStringLiteral("1");
        seen.reset();
        const double cpuBefore = CpuMs();
        const auto start = Clock::now();
        RunComparison(QStringLiteral("BOSCH"), QStringLiteral("0 986 424 815"),
                      QStringLiteral("[BOSCH] >0 986 424 815< - Pad"), window, settings);
        const auto end = Clock::now();
        const double cpu = CpuMs() - cpuBefore;
        if (window.wrongPrices != 0 || window.gridRowCount() != kSuppliers + 2) {
            std::fprintf(stderr, "run %d: %d wrong prices, %d grid rows\n", run + 1, window.wrongPrices,
                         window.gridRowCount());
            return 1;
        }
        RunTimes t{};
        {
            const std::lock_guard lock(seen.mutex);
            t.total = Ms(end - start);
            t.startUp = Ms(seen.lastArrival - start);
            t.spread = Ms(seen.lastArrival - seen.firstArrival);
            // Without the handler's own clock the last answer is its arrival plus the delay.
            const auto lastAnswer =
                fixtureDelay ? seen.lastArrival + std::chrono::milliseconds(kDelayMs) : seen.lastAnswer;
            t.answerToParked = Ms(window.firstCell - lastAnswer);
            t.lastAnswerAt = Ms(lastAnswer - start);
        }
        t.collect = Ms(window.lastCell - window.firstCell);
        t.teardown = Ms(window.waitClosed - window.lastCell);
        t.cpu = cpu;
        runs.push_back(t);
        std::printf(
            "run %d: %.0f ms, ratio %.2f | last request in after %.1f ms (first to last %.1f), "
            "last answer out after %.1f, then all parked %.1f, collect %.1f, teardown %.1f | cpu %.0f ms\n",
            run + 1, t.total, t.total / kDelayMs, t.startUp, t.spread, t.lastAnswerAt, t.answerToParked,
            t.collect, t.teardown, t.cpu);
    }
    setSiteTableOverride({});
    const auto median = [&](double RunTimes::*field) {
        std::vector<double> values;
        for (const RunTimes& t : runs)
            values.push_back(t.*field);
        return Median(values);
    };
    std::printf(
        "median of %d runs: last request in after %.1f ms, last answer out after %.1f ms (delay %d ms), "
        "then all parked %.1f ms, collect %.1f ms, teardown %.1f ms; cpu %.0f ms a run\n",
        kRuns, median(&RunTimes::startUp), median(&RunTimes::lastAnswerAt), kDelayMs,
        median(&RunTimes::answerToParked), median(&RunTimes::collect), median(&RunTimes::teardown),
        median(&RunTimes::cpu));
    std::vector<double> ratios;
    for (const RunTimes& t : runs)
        ratios.push_back(t.total / kDelayMs);
    std::sort(ratios.begin(), ratios.end());
    std::printf("requests served: %d, best ratio %.2f, worst %.2f\n", server.requestCount(), ratios.front(),
                ratios.back());
    std::printf("comparison ratio: %.2f\n", Median(ratios));
    return 0;
}
