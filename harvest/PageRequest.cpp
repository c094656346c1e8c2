#include "harvest/PageRequest.h"

#include "harvest/CurlTransfer.h"
#include "harvest/DebugLog.h"
#include "platform/AnsiText.h"

namespace {

constexpr qsizetype kBlockBytes = 1025;

const char* const kHttpsHeaderLines[] = {
    "Accept: */*",
    "X-Requested-With: XMLHttpRequest",
    "Accept-Encoding: identity",
    "Accept-Language: en-US,en;q=0.8,uk;q=0.6",
};
const char* const kHttpsUserAgent =
    "Mozilla/5.0 (Windows NT 6.3; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/45.0.2454.101 Safari/537.36";
const char* const kHttpsContentType = "Content-Type: application/x-www-form-urlencoded";

QString DecodePage(const QByteArray& bytes)
{
    QString text;
    DecodeUtf8Strict(bytes, text);
    return text;
}

void TraceHttpsRequest(const QString& address, const HttpsResponse& response, const QString& body)
{
    const QString hashes = QString::fromLatin1(kDebugHashLine);
    QString sentHeaders;
    for (const char* line : kHttpsHeaderLines)
        sentHeaders += QString::fromLatin1(line) + QStringLiteral("\r\n");
    QString receivedHeaders;
    for (const QByteArray& line : response.headers)
        receivedHeaders += DecodeAnsi(line) + QStringLiteral("\r\n");

    DebugLogAppend(QStringLiteral("=========== START SEND DATA ============"));
    DebugLogAppend(QStringLiteral("[INITIAL DATA] => \r") + address);
    DebugLogAppend(QStringLiteral("[searchpage] => ") + address);
    DebugLogAppend(QStringLiteral("[START Headers] => "));
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(sentHeaders);
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(QStringLiteral("[END Headers] <= "));
    DebugLogAppend(QStringLiteral("=========== END SEND DATA ============"));
    DebugLogAppend(hashes);
    DebugLogAppend(QStringLiteral("=========== START RESULT FROM [") + address +
                   QStringLiteral("] ============"));
    DebugLogAppend(QStringLiteral("[ResultString] => ") + DecodeAnsi(response.reason));
    DebugLogAppend(QStringLiteral("[START Headers] => "));
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(receivedHeaders);
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(QStringLiteral("[END Headers] <= "));
    DebugLogAppend(QStringLiteral("[START Document] => "));
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(body);
    DebugLogAppend(QStringLiteral(" "));
    DebugLogAppend(QStringLiteral("[END Document] <= "));
    DebugLogAppend(QStringLiteral("=========== END RESULT FROM [") + address +
                   QStringLiteral("] ============"));
    for (int i = 0; i < 4; ++i)
        DebugLogAppend(hashes);
}

} // namespace

HttpPageResult FetchHttpPage(InternetSession& session, const QString& address,
                             std::chrono::milliseconds deadline)
{
    HttpPageResult result;
    // A failed open is not tested here: it shows up as a failed read.
    const std::unique_ptr<InternetRequest> request = session.openUrl(address, "Accept-Charset: utf-8\r\n");
    const SteadyTime until = std::chrono::steady_clock::now() + deadline;
    request->queryDataAvailable(until);
    QByteArray response;
    QByteArray block;
    for (;;) {
        if (!request->read(block, kBlockBytes, until)) {
            result.error = kConnectionErrorText;
            return result;
        }
        response += block;
        if (std::chrono::steady_clock::now() > until) {
            result.error = kLargeIntervalErrorText;
            return result;
        }
        if (block.isEmpty())
            break;
    }
    result.ok = true;
    result.page = DecodePage(response);
    return result;
}

std::optional<QByteArray> HttpsFormBody(const QString& address)
{
    const qsizetype q = address.indexOf(QLatin1Char('?'));
    if (q < 0)
        return std::nullopt;
    const QString query = address.mid(q + 1);
    // After the address encoding the query is ASCII, one byte per character.
    QByteArray body = query.toLatin1();
    if (query.contains(QLatin1Char('&')))
        body.prepend('&');
    return body;
}

HttpsResponse RequestHttpsPage(const QString& address, const TransferLimits& limits)
{
    detail::TransferSetup setup;
    setup.url = address.toUtf8();
    for (const char* line : kHttpsHeaderLines)
        setup.headerLines.append(QByteArray(line));
    setup.headerLines.append(QByteArray(kHttpsContentType));
    setup.userAgent = kHttpsUserAgent;
    setup.body = HttpsFormBody(address);
    setup.method = "GET";
    setup.followRedirects = false;
    setup.freshConnection = true;
    setup.useEnvironmentProxy = false;
    setup.keepAlive10s = true;
    setup.limits = limits;

    detail::CurlTransfer transfer(setup);
    HttpsResponse response;
    QByteArray body;
    response.completed = transfer.open() && transfer.readAll(body);
    response.status = transfer.statusCode();
    response.reason = transfer.reasonPhrase();
    response.headers = transfer.headerLines();
    response.body = body;
    return response;
}

QString FetchHttpsPage(const QString& address, const TransferLimits& limits)
{
    const HttpsResponse response = RequestHttpsPage(address, limits);
    const QString body = DecodePage(response.body);
    if (DebugModeOn())
        TraceHttpsRequest(address, response, body);
    if (response.completed && response.reason.toUpper() == "OK")
        return body;
    return QString();
}
