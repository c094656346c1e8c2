#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

// Bounds of every transfer. Hostile or dead servers end as failed transfers within these.
struct TransferLimits
{
    // Time to establish the connection (TCP and TLS).
    std::chrono::milliseconds connectTimeout{30000};
    // A connected transfer ends when no byte arrives for this long, or when it averages less than one
    // byte a second over this long (whole seconds, at least 1).
    std::chrono::milliseconds stallTimeout{30000};
    // The whole transfer from the open to its last byte; 0 means no limit.
    std::chrono::milliseconds transferTimeout{120000};
    // Largest response body kept; a longer one ends the transfer as failed.
    qint64 maxBodyBytes = 32 * 1024 * 1024;
    // Redirects followed at most, where redirects are followed.
    long maxRedirects = 10;
    // PEM bundle of certificate authorities used in place of the default bundle file; the system's
    // certificate folder still counts (tests trust their own CA this way).
    QString caFile;
};

using SteadyTime = std::chrono::steady_clock::time_point;

namespace detail {
struct SessionCore;
class CurlTransfer;
} // namespace detail

// One open address of a session. Not thread-safe: one thread uses one request.
class InternetRequest
{
public:
    ~InternetRequest(); // closes the request
    InternetRequest(const InternetRequest&) = delete;
    InternetRequest& operator=(const InternetRequest&) = delete;

    // True when the response headers arrived; false when the open failed (reads then fail too).
    bool isOpen() const;
    // Status code of the final response, 0 when none arrived.
    int statusCode() const;
    // Bytes that can be read without waiting; waits for the first ones (at most until 'returnBy').
    // -1 when the transfer failed.
    qint64 queryDataAvailable(std::optional<SteadyTime> returnBy = std::nullopt);
    // Replaces 'block' with up to maxBytes bytes of the body: waits until that many arrived or the body
    // ended. Returns false when the transfer failed. An empty block means the end of the body, except
    // when 'returnBy' was given and has passed: then the block holds what arrived until then.
    bool read(QByteArray& block, qsizetype maxBytes, std::optional<SteadyTime> returnBy = std::nullopt);
    // libcurl's reason for a failed transfer, empty otherwise (for logs).
    QString errorText() const;

private:
    friend class InternetSession;
    explicit InternetRequest(std::unique_ptr<detail::CurlTransfer> transfer);
    std::unique_ptr<detail::CurlTransfer> m_transfer;
};

// The internet handle of a run: the agent name, the proxy set up in the environment (http_proxy,
// https_proxy, no_proxy), redirects followed, cookies and name look-ups shared by all requests.
// Any number of threads may open requests on one session at once. Requests keep what they need
// alive, so destroying the session while a request is still open is safe.
class InternetSession
{
public:
    static inline const char* const kPriceAgent = "Corvinet : Halvemark";

    explicit InternetSession(const QString& agent = QString::fromLatin1(kPriceAgent),
                             const TransferLimits& limits = {});
    ~InternetSession();
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;

    const QString& agent() const;
    const TransferLimits& limits() const;

    // Opens the address with extra header lines ("Name: value\r\n" each) and waits for the response
    // headers. Never returns null; a failed open gives a request whose reads fail.
    std::unique_ptr<InternetRequest> openUrl(const QString& address, const QByteArray& extraHeaders = {});

private:
    std::shared_ptr<detail::SessionCore> m_core;
};
