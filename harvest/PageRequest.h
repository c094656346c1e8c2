#pragma once

#include "harvest/InternetSession.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>

inline constexpr std::chrono::milliseconds kPageDeadline{20000};
inline const QString kConnectionErrorText = QStringLiteral("[GetPriceError] Connection error ...");
inline const QString kLargeIntervalErrorText =
    QStringLiteral("[GetPriceError] Large time interval connection ...");

struct HttpPageResult
{
    bool ok = false;
    QString page;  // strict UTF-8; empty when the bytes are not valid UTF-8 or the fetch failed
    QString error; // kConnectionErrorText or kLargeIntervalErrorText after a failure
};

// Plain transport: opens the address through the session with "Accept-Charset: utf-8", reads
// blocks of at most 1025 bytes and fails once the transfer still runs 'deadline' after the open
// (tested after each block). The HTTP status is not looked at. Any address, https included.
HttpPageResult FetchHttpPage(InternetSession& session, const QString& address,
                             std::chrono::milliseconds deadline = kPageDeadline);

struct HttpsResponse
{
    bool completed = false;    // a whole response arrived
    int status = 0;            // 0 when no response
    QByteArray reason;         // reason phrase of the status line
    QList<QByteArray> headers; // response header lines as received
    QByteArray body;           // what arrived of the body
};

// One request of the https client: a new connection, no redirects followed, the browser header lines,
// and the query also sent as a form body. No trace.
HttpsResponse RequestHttpsPage(const QString& address, const TransferLimits& limits = {});

// The https transport: the body as strict UTF-8 when the reason phrase reads "OK" in any letter case,
// empty text otherwise. Appends the request trace while debug mode is on.
QString FetchHttpsPage(const QString& address, const TransferLimits& limits = {});

// The form body for an address: the query, with "&" put in front when it holds an "&"; none without "?".
std::optional<QByteArray> HttpsFormBody(const QString& address);
