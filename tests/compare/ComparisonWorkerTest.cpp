#include "compare/ComparisonWorker.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Main::ParkingLot;
using Main::TMyThread;

// Jobs with blank input end without a request, so these runs exercise the hand-over alone.
TEST(ComparisonWorker, HandsTheJobOverAndParksWithTheResult)
{
    InternetSession session;
    ParkingLot lot;
    TMyThread worker(session, lot);
    EXPECT_EQ(worker.active.load(), TMyThread::Idle);
    EXPECT_FALSE(worker.isParked());

    worker.supplier = QStringLiteral("SHOP [DE]");
    worker.brand = QStringLiteral(" ");
    worker.codepart = QStringLiteral("0986");
    worker.value = 5;
    worker.handOver();

    ASSERT_TRUE(lot.waitForAll(1, std::chrono::seconds(10)));
    EXPECT_TRUE(worker.isParked());
    EXPECT_EQ(worker.active.load(std::memory_order_acquire), TMyThread::ResultReady);
    EXPECT_EQ(worker._err, QStringLiteral("Error : brand=[ ],code=[0986]"));
    EXPECT_EQ(worker.value, 0);
    EXPECT_EQ(worker.supplier, QStringLiteral("SHOP [DE]"));
}

TEST(ComparisonWorker, StopsPromptlyWithoutAJob)
{
    InternetSession session;
    ParkingLot lot;
    auto worker = std::make_unique<TMyThread>(session, lot);
    worker->stop();
    worker->stop(); // idempotent
    EXPECT_FALSE(worker->isParked());
    EXPECT_EQ(lot.parkedCount(), 0);
    worker.reset();
}

TEST(ComparisonWorker, ManyWorkersAllParkAndTheWaitEndsAtTheLast)
{
    InternetSession session;
    ParkingLot lot;
    std::vector<std::unique_ptr<TMyThread>> workers;
    const int count = 96;
    for (int i = 0; i < count; ++i) {
        workers.push_back(std::make_unique<TMyThread>(session, lot));
        TMyThread& w = *workers.back();
        w.brand = QStringLiteral("B%1").arg(i);
        w.codepart = QString(); // blank: the job's input check answers
        w.handOver();
    }
    EXPECT_FALSE(lot.waitForAll(count + 1, std::chrono::milliseconds(0)));
    ASSERT_TRUE(lot.waitForAll(count, std::chrono::seconds(30)));
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(workers[i]->isParked());
        EXPECT_EQ(workers[i]->active.load(std::memory_order_acquire), TMyThread::ResultReady);
        EXPECT_EQ(workers[i]->_err, QStringLiteral("Error : brand=[B%1],code=[]").arg(i));
    }
    workers.clear();
}
