#include "compare/ComparisonRun.h"

#include "catalogue/CatalogueConnection.h"
#include "compare/ComparisonWorker.h"
#include "compare/PartLookup.h"
#include "harvest/PriceJob.h"
#include "harvest/SiteTable.h"
#include "platform/Blanks.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"

#include <QCoreApplication>

#include <memory>
#include <vector>

namespace {

constexpr std::chrono::milliseconds kWaitSlice{50};

// Step 11 of a run whatever happens: workers stopped and released, then the session closed,
// then the wait window closed.
struct RunResources
{
    explicit RunResources(ComparisonWindow& w) : window(w) {}
    ~RunResources()
    {
        // All told first, then joined: the threads end side by side instead of one after another.
        for (const auto& worker : workers)
            worker->requestStop();
        workers.clear();
        session.reset();
        if (waitShown)
            window.closeWaitWindow();
    }
    RunResources(const RunResources&) = delete;
    RunResources& operator=(const RunResources&) = delete;

    ComparisonWindow& window;
    bool waitShown = false;
    std::unique_ptr<InternetSession> session;
    Main::ParkingLot lot;
    std::vector<std::unique_ptr<Main::TMyThread>> workers;
};

void ClearJob(Main::TMyThread& w)
{
    w.supplier.clear();
    w.brand.clear();
    w.codepart.clear();
    w.S_searchpage.clear();
    w.S_getstartline.clear();
    w.S_getnextstartline.clear();
    w.S_getprice.clear();
    w.S_textforzaminacode.clear();
    w._err.clear();
    w.value = 0;
}

} // namespace

void ComparisonWindow::whileWaiting()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool RunComparison(const QString& brand, const QString& codepart, const QString& chosenItem,
                   ComparisonWindow& window, const ComparisonSettings& settings)
{
    const int count = window.compareSupplierCount();
    QList<int> ticked;
    for (int i = 0; i < count; ++i) {
        if (window.isCompareSupplierTicked(i))
            ticked << i;
    }
    if (ticked.isEmpty() && settings.mainSupplier >= 0 && settings.mainSupplier < count) {
        window.tickCompareSupplier(settings.mainSupplier);
        ticked << settings.mainSupplier;
    }
    if (ticked.isEmpty()) {
        dialogs().show(NoSupplierMessage);
        return false;
    }

    RunResources run(window);
    // Set first: a show that fails half-way still gets its close, which enables the main window.
    run.waitShown = true;
    window.showWaitWindow();
    ProcessPendingMessages();

    run.session =
        std::make_unique<InternetSession>(QString::fromLatin1(InternetSession::kPriceAgent), settings.limits);
    run.workers.reserve(ticked.size());
    for (const int index : ticked) {
        const QString site = SiteTemplate(index, settings.folder);
        auto worker = std::make_unique<Main::TMyThread>(*run.session, run.lot, settings.deadline);
        worker->_err.clear();
        worker->supplier = window.compareSupplierCaption(index);
        worker->brand = brand;
        worker->codepart = codepart;
        worker->S_searchpage = SiteField(site, QStringLiteral("searchpage"));
        worker->S_getstartline = SiteField(site, QStringLiteral("getstartline"));
        worker->S_getnextstartline = SiteField(site, QStringLiteral("getnextstartline"));
        worker->S_getprice = SiteField(site, QStringLiteral("getprice"));
        worker->S_textforzaminacode = SiteField(site, QStringLiteral("cleancodepartonly"));
        worker->value = 0;
        run.workers.push_back(std::move(worker));
    }
    // Handed over only once every thread exists, so no job waits for the threads created after it.
    for (const auto& worker : run.workers)
        worker->handOver();

    // Wakes as soon as the last worker parks; the slices only keep the windows painted.
    const int workerCount = static_cast<int>(run.workers.size());
    while (!run.lot.waitForAll(workerCount, kWaitSlice))
        window.whileWaiting();

    if (window.gridRowCount() < 2)
        window.setGridRowCount(2); // never write a result over the header
    for (const auto& worker : run.workers) {
        if (!worker->isParked() ||
            worker->active.load(std::memory_order_acquire) != Main::TMyThread::ResultReady)
            continue;
        worker->active.store(Main::TMyThread::Idle, std::memory_order_relaxed);
        const int rows = window.gridRowCount();
        window.setGridRowCount(rows + 1);
        const int row = rows - 1;
        window.setGridCell(row, PriceColumn, ApplyPriceFactor(worker->value, settings.factorText));
        window.setGridCell(row, SupplierColumn, worker->supplier);
        window.setGridCell(row, BrandColumn, brand);
        window.setGridCell(row, CodeColumn, codepart);
        window.setGridCell(row, NameColumn, worker->_err.isEmpty() ? chosenItem : worker->_err);
        ClearJob(*worker);
    }
    const int last = window.gridRowCount() - 1;
    for (int c = 0; c < CompareColumnCount; ++c)
        window.setGridCell(last, c, QString());
    return true;
}

CompareOutcome CompareButtonClick(const QString& brandListText, bool cleanForEachSearch,
                                  CatalogueConnection* connection, ComparisonWindow& window,
                                  const ComparisonSettings& settings)
{
    if (connection && !connection->isOpen())
        connection->Reconnect();
    const BrandItemParts parts = SplitBrandListItem(brandListText);
    if (TrimBlanks(parts.brand).isEmpty() || TrimBlanks(parts.codepart).isEmpty()) {
        dialogs().show(NoPartMessage);
        return CompareOutcome::InputRejected;
    }
    if (cleanForEachSearch)
        CleanComparisonGrid(window);
    return RunComparison(parts.brand, parts.codepart, brandListText, window, settings)
               ? CompareOutcome::Done
               : CompareOutcome::NoSupplier;
}

void CleanComparisonGrid(ComparisonWindow& window)
{
    for (int row = 1; row < window.gridRowCount(); ++row) {
        for (int c = 0; c < CompareColumnCount; ++c)
            window.setGridCell(row, c, QString());
    }
    window.setGridRowCount(2);
}

bool AskCleanComparisonGrid(ComparisonWindow& window)
{
    if (!dialogs().confirm(CleanGridQuestion))
        return false;
    window.setGridRowCount(2);
    for (int c = 0; c < CompareColumnCount; ++c)
        window.setGridCell(1, c, QString());
    return true;
}
