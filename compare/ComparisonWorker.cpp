#include "compare/ComparisonWorker.h"

#include <system_error>

namespace Main {

void ParkingLot::parked()
{
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        ++m_parked;
        wake = m_awaited > 0 && m_parked >= m_awaited;
    }
    // Only the last park wakes the waiter: 96 wake-ups for one answer cost a busy machine dearly.
    if (wake)
        m_allParked.notify_all();
}

int ParkingLot::parkedCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_parked;
}

bool ParkingLot::waitForAll(int count, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_awaited = count;
    const bool all = m_allParked.wait_for(lock, timeout, [&] { return m_parked >= count; });
    m_awaited = 0;
    return all;
}

TMyThread::TMyThread(InternetSession& session, ParkingLot& lot, std::chrono::milliseconds deadline)
    : m_session(session), m_lot(lot), m_deadline(deadline)
{
    // Started last, so the thread never sees a half-built object.
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, StackBytes);
    const int error = pthread_create(&m_thread, &attributes, &TMyThread::threadMain, this);
    pthread_attr_destroy(&attributes);
    if (error != 0)
        throw std::system_error(error, std::generic_category(), "Cannot create a comparison thread");
    m_joinable = true;
}

void* TMyThread::threadMain(void* self)
{
    static_cast<TMyThread*>(self)->run();
    return nullptr;
}

TMyThread::~TMyThread()
{
    stop();
}

void TMyThread::handOver()
{
    {
        // The lock orders the wake-up with the worker's check; the release store publishes the job.
        const std::lock_guard lock(m_mutex);
        active.store(JobHandedOver, std::memory_order_release);
    }
    m_wake.notify_one();
}

bool TMyThread::isParked() const
{
    return m_parked.load(std::memory_order_acquire);
}

void TMyThread::requestStop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
}

void TMyThread::stop()
{
    requestStop();
    if (m_joinable) {
        pthread_join(m_thread, nullptr);
        m_joinable = false;
    }
}

void TMyThread::run()
{
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock,
                    [&] { return m_stopping || active.load(std::memory_order_acquire) == JobHandedOver; });
        // A run that ends early drops the jobs not begun yet.
        if (m_stopping)
            return;
    }
    active.store(Idle, std::memory_order_relaxed);
    RunPriceJob(*this, m_session, m_deadline);
    active.store(ResultReady, std::memory_order_release);
    m_parked.store(true, std::memory_order_release);
    m_lot.parked();
    // Parked: nothing more to do until the run releases the worker.
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [&] { return m_stopping; });
}

} // namespace Main
