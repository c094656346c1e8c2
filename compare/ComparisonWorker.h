#pragma once

#include "harvest/PriceJob.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include <pthread.h>

namespace Main {

// Where the workers of one run report that they parked; the run waits here for all of them.
class ParkingLot
{
public:
    void parked();
    int parkedCount() const;
    // True once 'count' workers parked; false when 'timeout' passed first. Wakes at the last park.
    bool waitForAll(int count, std::chrono::milliseconds timeout);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_allParked;
    int m_parked = 0;
    int m_awaited = 0; // the count a waiter waits for; 0 while nobody waits
};

// The comparison worker: one price job plus the supplier it is for. Hand-over on 'active':
// the run writes every job field, then handOver() (active := 1, release); the worker sees 1
// (acquire), sets 0, runs the job, writes value and _err, sets 2 (release), parks and reports
// to the parking lot. The run reads the results once it saw the worker parked. One job per worker.
class TMyThread : public PriceJob
{
public:
    static constexpr uint8_t Idle = 0;
    static constexpr uint8_t JobHandedOver = 1;
    static constexpr uint8_t ResultReady = 2;

    // Stack of a worker thread: a job (https included) needs well under 64 KB. 96 stacks this
    // small fit the C library's cache of freed stacks (40 MB), so the next run reuses them instead
    // of mapping and unmapping 96 fresh ones. Sanitizers need more.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    static constexpr size_t StackBytes = size_t(1) << 20;
#else
    static constexpr size_t StackBytes = size_t(256) << 10;
#endif

    // Starts the thread at once; it waits for its job. Throws std::system_error when the system
    // cannot create the thread.
    TMyThread(InternetSession& session, ParkingLot& lot, std::chrono::milliseconds deadline = kPageDeadline);
    // Stops and releases the thread; waits for a running job to end.
    ~TMyThread();
    TMyThread(const TMyThread&) = delete;
    TMyThread& operator=(const TMyThread&) = delete;

    QString supplier;
    std::atomic<uint8_t> active{Idle};

    // active := 1 and wake the worker. Every job field must be written before.
    void handOver();
    // True once the worker parked after its job; its results may be read from then on.
    bool isParked() const;
    // Tells the worker to stop without waiting for it, so a run can stop all its workers at once.
    void requestStop();
    // Tells the worker to stop and waits until its thread ended. Idempotent.
    void stop();

private:
    static void* threadMain(void* self);
    void run();

    InternetSession& m_session;
    ParkingLot& m_lot;
    std::chrono::milliseconds m_deadline;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::atomic<bool> m_parked{false};
    pthread_t m_thread{};
    bool m_joinable = false;
};

} // namespace Main
