#pragma once

// One libcurl transfer driven from the calling thread: the body is pulled in blocks, so the caller
// decides how long to wait. Private to harvest/.

#include "harvest/InternetSession.h"

#include <QByteArray>
#include <QList>

#include <curl/curl.h>

#include <functional>
#include <memory>
#include <optional>

namespace detail {

// Makes sure curl_global_init ran once in this process.
void EnsureCurlInitialised();

struct TransferSetup
{
    QByteArray url;
    QList<QByteArray> headerLines;  // "Name: value", in sending order
    QByteArray userAgent;           // empty: no User-Agent line
    std::optional<QByteArray> body; // sent with the request when set
    QByteArray method;              // empty: GET
    bool followRedirects = false;
    bool freshConnection = false; // a new connection, closed after the transfer
    bool useEnvironmentProxy = true;
    bool keepAlive10s = false; // TCP keep-alive probes after 10 s of silence
    CURLSH* share = nullptr;
    TransferLimits limits;
};

class CurlTransfer
{
public:
    // 'keepAlive' is held for the transfer's lifetime (the session's shared handle).
    CurlTransfer(const TransferSetup& setup, std::shared_ptr<void> keepAlive = {});
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Drives the transfer until the final response's headers arrived or it ended.
    bool open();
    bool isOpen() const { return m_headersDone && !failed(); }
    bool failed() const { return m_done && m_result != CURLE_OK; }
    bool done() const { return m_done; }

    qint64 available(std::optional<SteadyTime> returnBy);
    bool read(QByteArray& block, qsizetype maxBytes, std::optional<SteadyTime> returnBy);
    // Reads the whole body (bounded by the limits); false when the transfer failed.
    bool readAll(QByteArray& body);

    int statusCode() const { return m_status; }
    const QByteArray& reasonPhrase() const { return m_reason; }
    // Header lines of the final response as received, without the status line and the blank line.
    const QList<QByteArray>& headerLines() const { return m_headers; }
    QString errorText() const;

private:
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static int onConnected(void* self, char*, char*, int, int);
    // Runs libcurl until 'enough' holds, the transfer ended or 'returnBy' passed.
    void pump(const std::function<bool()>& enough, std::optional<SteadyTime> returnBy);

    CURL* m_easy = nullptr;
    CURLM* m_multi = nullptr;
    curl_slist* m_headerList = nullptr;
    std::shared_ptr<void> m_keepAlive;
    bool m_follow = false;
    qint64 m_maxBody = 0;
    std::chrono::milliseconds m_stall{0};
    bool m_connected = false;
    SteadyTime m_lastProgress{}; // when the connection was made or the last byte arrived

    QByteArray m_pending; // body bytes received but not read yet
    qsizetype m_pendingStart = 0;
    qint64 m_bodyTotal = 0;
    bool m_overCap = false;
    bool m_headersDone = false;
    bool m_done = false;
    CURLcode m_result = CURLE_OK;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};

    int m_status = 0;
    QByteArray m_reason;
    QList<QByteArray> m_headers;
    bool m_sawLocation = false;
};

} // namespace detail
