#include "ReleaseCheck.h"

#include "harvest/InternetSession.h"
#include "platform/AnsiText.h"
#include "platform/Blanks.h"

#include <algorithm>
#include <memory>

QString ExpectedReleaseLine(const QString& versionText)
{
    return QStringLiteral("\"CORVINEL\" ") + versionText + QStringLiteral(" released");
}

bool IsNewRelease(const ReleaseAnswer& answer, const QString& versionText)
{
    if (!answer.readOk || answer.httpStatus != 200 || answer.deadlinePassed)
        return false;
    const QString text = TrimBlanks(DecodeAnsi(answer.bytes.left(ReleaseReadLimit)));
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    if (lf < 0)
        return false;
    const QString firstLine = TrimBlanks(text.left(lf + 1));
    return !firstLine.isEmpty() && !firstLine.contains(ExpectedReleaseLine(versionText));
}

namespace {
ReleaseAnswer FetchReleaseAnswer(const QString& address, std::chrono::milliseconds deadline)
{
    // The check runs on the window thread, so no part of it may take much longer than the deadline.
    TransferLimits limits;
    limits.connectTimeout = deadline;
    limits.stallTimeout = std::max<std::chrono::milliseconds>(deadline, std::chrono::seconds(1));
    limits.transferTimeout = deadline;
    InternetSession session(QStringLiteral("HalvemarkUpload"), limits);
    const std::unique_ptr<InternetRequest> request = session.openUrl(address);

    ReleaseAnswer answer;
    const SteadyTime opened = std::chrono::steady_clock::now();
    request->queryDataAvailable(opened + deadline);
    const SteadyTime until = std::chrono::steady_clock::now() + deadline;
    answer.readOk = request->read(answer.bytes, ReleaseReadLimit, until);
    answer.deadlinePassed = std::chrono::steady_clock::now() > until;
    answer.httpStatus = request->statusCode();
    return answer;
}
} // namespace

bool CheckForNewRelease(const QString& address, const QString& versionText,
                        std::chrono::milliseconds deadline)
{
    return IsNewRelease(FetchReleaseAnswer(address, deadline), versionText);
}
