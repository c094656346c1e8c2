// Comparison run against its slowest supplier: 96 suppliers on the local test server, each
// answering after the same delay. A run that asks them all at once takes about one delay, so
// the ratio of run time to delay is the baseline-relative figure (goal: at most 1.2). The last
// line gives the median of the runs.

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

namespace {

constexpr int kSuppliers = SiteCount;
constexpr int kDelayMs = 200;
constexpr int kRuns = 9;

class BenchWindow : public ComparisonWindow
{
public:
    int gridRowCount() const override { return m_rows; }
    void setGridRowCount(int rows) override { m_rows = rows; }
    void setGridCell(int row, int column, const QString& text) override
    {
        if (column == PriceColumn && row > 0 && text != QLatin1String("12.5") && !text.isEmpty())
            ++wrongPrices;
    }
    int compareSupplierCount() const override { return kSuppliers; }
    bool isCompareSupplierTicked(int) const override { return true; }
    void tickCompareSupplier(int) override {}
    QString compareSupplierCaption(int index) const override { return QStringLiteral("SHOP-%1").arg(index); }
    void showWaitWindow() override {}
    void closeWaitWindow() override {}

    int wrongPrices = 0;

private:
    int m_rows = 2;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    // Mode "fixture-delay" lets the server's own reply delay do the waiting; its paused connections
    // share one condition variable that every new request wakes, which costs a busy machine more
    // than the run itself. By default each connection thread waits on its own.
    const bool fixtureDelay = argc > 1 && qstrcmp(argv[1], "fixture-delay") == 0;
    fixtures::TestHttpServer server;
    fixtures::HttpReply reply = fixtures::HttpReply::ok("<div>BOSCH <b>12.50</b></div>");
    if (fixtureDelay)
        reply.delayBeforeFirstByteMs = kDelayMs;
    // When the last request of a run reached the server: the part of the run spent starting up.
    std::mutex arrivalMutex;
    std::chrono::steady_clock::time_point lastArrival;
    server.route("*", [&](const fixtures::HttpRequestRecord&) {
        {
            const std::lock_guard lock(arrivalMutex);
            lastArrival = std::max(lastArrival, std::chrono::steady_clock::now());
        }
        if (!fixtureDelay)
            std::this_thread::sleep_for(std::chrono::milliseconds(kDelayMs));
        return reply;
    });
    const QString url = server.baseUrl();
    setSiteTableOverride([url](int index) {
        return MakeSiteTemplate({url, url + QStringLiteral("/row%1?q={_codepart_}").arg(index),
                                 QStringLiteral("<div>{_brand_}"), std::nullopt, std::nullopt,
                                 QStringLiteral("<b>{_price_}</b>")});
    });

    std::vector<double> ratios;
    for (int run = 0; run < kRuns; ++run) {
        BenchWindow window;
        ComparisonSettings settings;
        settings.factorText = QStringLiteral("1");
        const auto start = std::chrono::steady_clock::now();
        RunComparison(QStringLiteral("BOSCH"), QStringLiteral("0 986 424 815"),
                      QStringLiteral("[BOSCH] >0 986 424 815< - Pad"), window, settings);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        double lastArrivalMs = 0;
        {
            const std::lock_guard lock(arrivalMutex);
            lastArrivalMs = std::chrono::duration<double, std::milli>(lastArrival - start).count();
        }
        if (window.wrongPrices != 0 || window.gridRowCount() != kSuppliers + 2) {
            std::fprintf(stderr, "run %d: %d wrong prices, %d grid rows\n", run + 1, window.wrongPrices,
                         window.gridRowCount());
            return 1;
        }
        ratios.push_back(ms / kDelayMs);
        std::printf(
            "run %d: %d suppliers in %.0f ms (delay %d ms, last request in after %.0f ms), ratio %.2f\n",
            run + 1, kSuppliers, ms, kDelayMs, lastArrivalMs, ms / kDelayMs);
    }
    setSiteTableOverride({});
    std::sort(ratios.begin(), ratios.end());
    std::printf("requests served: %d, best ratio %.2f\n", server.requestCount(), ratios.front());
    std::printf("comparison ratio: %.2f\n", ratios[ratios.size() / 2]);
    return 0;
}
