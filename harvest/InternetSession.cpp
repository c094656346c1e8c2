#include "harvest/InternetSession.h"

#include "harvest/CurlTransfer.h"

#include <array>
#include <mutex>

namespace detail {

// What all requests of one session share; kept alive by every open request.
struct SessionCore
{
    QString agent;
    TransferLimits limits;
    CURLSH* share = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;

    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self)
    {
        static_cast<SessionCore*>(self)->locks[static_cast<size_t>(data)].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* self)
    {
        static_cast<SessionCore*>(self)->locks[static_cast<size_t>(data)].unlock();
    }

    SessionCore(const QString& agentName, const TransferLimits& transferLimits)
        : agent(agentName), limits(transferLimits)
    {
        EnsureCurlInitialised();
        share = curl_share_init();
        if (share) {
            curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &SessionCore::lock);
            curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &SessionCore::unlock);
            curl_share_setopt(share, CURLSHOPT_USERDATA, this);
            curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
            curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        }
    }
    ~SessionCore()
    {
        if (share)
            curl_share_cleanup(share);
    }
    SessionCore(const SessionCore&) = delete;
    SessionCore& operator=(const SessionCore&) = delete;
};

} // namespace detail

InternetRequest::InternetRequest(std::unique_ptr<detail::CurlTransfer> transfer)
    : m_transfer(std::move(transfer))
{
}

InternetRequest::~InternetRequest() = default;

bool InternetRequest::isOpen() const
{
    return m_transfer->isOpen();
}

int InternetRequest::statusCode() const
{
    return m_transfer->statusCode();
}

qint64 InternetRequest::queryDataAvailable(std::optional<SteadyTime> returnBy)
{
    return m_transfer->available(returnBy);
}

bool InternetRequest::read(QByteArray& block, qsizetype maxBytes, std::optional<SteadyTime> returnBy)
{
    return m_transfer->read(block, maxBytes, returnBy);
}

QString InternetRequest::errorText() const
{
    return m_transfer->errorText();
}

InternetSession::InternetSession(const QString& agent, const TransferLimits& limits)
    : m_core(std::make_shared<detail::SessionCore>(agent, limits))
{
}

InternetSession::~InternetSession() = default;

const QString& InternetSession::agent() const
{
    return m_core->agent;
}

const TransferLimits& InternetSession::limits() const
{
    return m_core->limits;
}

std::unique_ptr<InternetRequest> InternetSession::openUrl(const QString& address,
                                                          const QByteArray& extraHeaders)
{
    detail::TransferSetup setup;
    setup.url = address.toUtf8();
    for (QByteArray line : extraHeaders.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            setup.headerLines.append(line);
    }
    setup.userAgent = m_core->agent.toUtf8();
    setup.followRedirects = true;
    setup.share = m_core->share;
    setup.limits = m_core->limits;
    auto transfer = std::make_unique<detail::CurlTransfer>(setup, m_core);
    transfer->open();
    return std::unique_ptr<InternetRequest>(new InternetRequest(std::move(transfer)));
}
