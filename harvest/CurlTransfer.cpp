#include "harvest/CurlTransfer.h"

#include <algorithm>
#include <mutex>

namespace detail {

void EnsureCurlInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

namespace {

// Longest single wait inside libcurl; its own timers still fire on time.
constexpr int kMaxPollMs = 1000;

long WholeSecondsAtLeastOne(std::chrono::milliseconds ms)
{
    return std::max<long>(1, static_cast<long>((ms.count() + 999) / 1000));
}

} // namespace

CurlTransfer::CurlTransfer(const TransferSetup& setup, std::shared_ptr<void> keepAlive)
    : m_keepAlive(std::move(keepAlive)), m_follow(setup.followRedirects),
      m_maxBody(setup.limits.maxBodyBytes),
      m_stall(std::max(setup.limits.stallTimeout, std::chrono::milliseconds(1)))
{
    EnsureCurlInitialised();
    m_easy = curl_easy_init();
    m_multi = curl_multi_init();
    if (!m_easy || !m_multi) {
        m_done = true;
        m_result = CURLE_FAILED_INIT;
        return;
    }
    const TransferLimits& limits = setup.limits;
    curl_easy_setopt(m_easy, CURLOPT_URL, setup.url.constData());
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_PREREQFUNCTION, &CurlTransfer::onConnected);
    curl_easy_setopt(m_easy, CURLOPT_PREREQDATA, this);
    // Pages may redirect anywhere; never to file:// or other schemes.
    curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, setup.followRedirects ? 1L : 0L);
    if (setup.followRedirects) {
        curl_easy_setopt(m_easy, CURLOPT_MAXREDIRS, limits.maxRedirects);
        curl_easy_setopt(m_easy, CURLOPT_AUTOREFERER, 1L);
    }
    curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_TIME, WholeSecondsAtLeastOne(limits.stallTimeout));
    if (limits.transferTimeout.count() > 0)
        curl_easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.transferTimeout.count()));
    if (limits.maxBodyBytes > 0)
        curl_easy_setopt(m_easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    if (!limits.caFile.isEmpty())
        curl_easy_setopt(m_easy, CURLOPT_CAINFO, limits.caFile.toLocal8Bit().constData());
    if (!setup.userAgent.isEmpty())
        curl_easy_setopt(m_easy, CURLOPT_USERAGENT, setup.userAgent.constData());

    for (const QByteArray& line : setup.headerLines)
        m_headerList = curl_slist_append(m_headerList, line.constData());
    // No "Expect: 100-continue" round trip before a body.
    m_headerList = curl_slist_append(m_headerList, "Expect:");
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headerList);

    if (setup.body) {
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(setup.body->size()));
        curl_easy_setopt(m_easy, CURLOPT_COPYPOSTFIELDS, setup.body->constData());
    }
    if (!setup.method.isEmpty())
        curl_easy_setopt(m_easy, CURLOPT_CUSTOMREQUEST, setup.method.constData());
    if (setup.freshConnection) {
        curl_easy_setopt(m_easy, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(m_easy, CURLOPT_FORBID_REUSE, 1L);
    }
    if (!setup.useEnvironmentProxy)
        curl_easy_setopt(m_easy, CURLOPT_PROXY, "");
    if (setup.keepAlive10s) {
        curl_easy_setopt(m_easy, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(m_easy, CURLOPT_TCP_KEEPIDLE, 10L);
        curl_easy_setopt(m_easy, CURLOPT_TCP_KEEPINTVL, 10L);
    }
    if (setup.share) {
        curl_easy_setopt(m_easy, CURLOPT_SHARE, setup.share);
        curl_easy_setopt(m_easy, CURLOPT_COOKIEFILE, ""); // cookie engine on, nothing read from disk
    }
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK) {
        m_done = true;
        m_result = CURLE_FAILED_INIT;
    }
}

CurlTransfer::~CurlTransfer()
{
    if (m_multi && m_easy)
        curl_multi_remove_handle(m_multi, m_easy);
    if (m_easy)
        curl_easy_cleanup(m_easy);
    if (m_multi)
        curl_multi_cleanup(m_multi);
    curl_slist_free_all(m_headerList);
}

int CurlTransfer::onConnected(void* self, char*, char*, int, int)
{
    auto* t = static_cast<CurlTransfer*>(self);
    t->m_connected = true;
    t->m_lastProgress = std::chrono::steady_clock::now();
    return CURL_PREREQFUNC_OK;
}

size_t CurlTransfer::onBody(char* data, size_t size, size_t count, void* self)
{
    auto* t = static_cast<CurlTransfer*>(self);
    t->m_lastProgress = std::chrono::steady_clock::now();
    const size_t n = size * count;
    t->m_bodyTotal += static_cast<qint64>(n);
    // Chunked bodies carry no length for MAXFILESIZE to check, so the cap is enforced here.
    if (t->m_maxBody > 0 && t->m_bodyTotal > t->m_maxBody) {
        t->m_overCap = true;
        return 0;
    }
    t->m_headersDone = true;
    t->m_pending.append(data, static_cast<qsizetype>(n));
    return n;
}

size_t CurlTransfer::onHeader(char* data, size_t size, size_t count, void* self)
{
    auto* t = static_cast<CurlTransfer*>(self);
    t->m_lastProgress = std::chrono::steady_clock::now();
    const size_t n = size * count;
    QByteArray line(data, static_cast<qsizetype>(n));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.startsWith("HTTP/")) {
        // A new response (after 100 Continue or a followed redirect) replaces the one before.
        t->m_headers.clear();
        t->m_sawLocation = false;
        t->m_headersDone = false;
        const qsizetype sp1 = line.indexOf(' ');
        const qsizetype sp2 = sp1 < 0 ? -1 : line.indexOf(' ', sp1 + 1);
        const QByteArray code = sp1 < 0 ? QByteArray() : line.mid(sp1 + 1, sp2 < 0 ? -1 : sp2 - sp1 - 1);
        t->m_status = code.toInt();
        t->m_reason = sp2 < 0 ? QByteArray() : line.mid(sp2 + 1);
    } else if (line.isEmpty()) {
        const bool interim = t->m_status < 200;
        const bool followed =
            t->m_follow && t->m_status >= 300 && t->m_status < 400 && t->m_status != 304 && t->m_sawLocation;
        if (!interim && !followed)
            t->m_headersDone = true;
    } else {
        if (line.size() >= 9 && line.left(9).compare("location:", Qt::CaseInsensitive) == 0)
            t->m_sawLocation = true;
        t->m_headers.append(line);
    }
    return n;
}

void CurlTransfer::pump(const std::function<bool()>& enough, std::optional<SteadyTime> returnBy)
{
    while (!m_done && !enough()) {
        int running = 0;
        const CURLMcode mc = curl_multi_perform(m_multi, &running);
        if (mc != CURLM_OK) {
            m_done = true;
            m_result = CURLE_RECV_ERROR;
            qstrncpy(m_errorBuffer, curl_multi_strerror(mc), sizeof m_errorBuffer);
            break;
        }
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(m_multi, &left)) {
            if (msg->msg == CURLMSG_DONE) {
                m_done = true;
                m_result = msg->data.result;
            }
        }
        if (!m_done && running == 0) {
            // Nothing left to run but no report: treat it as a dropped connection, never spin.
            m_done = true;
            m_result = CURLE_GOT_NOTHING;
        }
        if (m_done || enough())
            break;
        const auto now = std::chrono::steady_clock::now();
        int waitMs = kMaxPollMs;
        if (m_connected) {
            // Checked after perform, so bytes that waited in the socket count as progress.
            const auto silentFor = now - m_lastProgress;
            if (silentFor > m_stall) {
                m_done = true;
                m_result = CURLE_OPERATION_TIMEDOUT;
                qsnprintf(m_errorBuffer, sizeof m_errorBuffer, "No data for %lld ms",
                          static_cast<long long>(m_stall.count()));
                break;
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_stall - silentFor).count() + 1;
            waitMs = static_cast<int>(std::min<long long>(waitMs, left));
        }
        if (returnBy) {
            if (now > *returnBy)
                break;
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(*returnBy - now).count() + 1;
            waitMs = static_cast<int>(std::min<long long>(waitMs, left));
        }
        curl_multi_poll(m_multi, nullptr, 0, waitMs, nullptr);
    }
    if (m_done && m_result == CURLE_OK)
        m_headersDone = true;
}

bool CurlTransfer::open()
{
    pump([this] { return m_headersDone; }, std::nullopt);
    return isOpen();
}

qint64 CurlTransfer::available(std::optional<SteadyTime> returnBy)
{
    pump([this] { return m_pending.size() > m_pendingStart; }, returnBy);
    if (failed())
        return -1;
    return m_pending.size() - m_pendingStart;
}

bool CurlTransfer::read(QByteArray& block, qsizetype maxBytes, std::optional<SteadyTime> returnBy)
{
    block.clear();
    maxBytes = std::max<qsizetype>(1, maxBytes);
    pump([&] { return m_pending.size() - m_pendingStart >= maxBytes; }, returnBy);
    if (failed()) {
        m_pending.clear();
        m_pendingStart = 0;
        return false;
    }
    const qsizetype n = std::min(maxBytes, m_pending.size() - m_pendingStart);
    block = m_pending.mid(m_pendingStart, n);
    m_pendingStart += n;
    // Drop consumed bytes once they outweigh the rest, so the buffer does not grow with the body.
    if (m_pendingStart >= 64 * 1024 && m_pendingStart * 2 >= m_pending.size()) {
        m_pending.remove(0, m_pendingStart);
        m_pendingStart = 0;
    }
    return true;
}

bool CurlTransfer::readAll(QByteArray& body)
{
    pump([] { return false; }, std::nullopt);
    body = m_pending.mid(m_pendingStart);
    m_pending.clear();
    m_pendingStart = 0;
    return !failed();
}

QString CurlTransfer::errorText() const
{
    if (!failed())
        return QString();
    if (m_overCap)
        return QStringLiteral("Response body larger than %1 bytes").arg(m_maxBody);
    if (m_errorBuffer[0])
        return QString::fromLocal8Bit(m_errorBuffer);
    return QString::fromLatin1(curl_easy_strerror(m_result));
}

} // namespace detail
