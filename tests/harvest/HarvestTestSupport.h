#pragma once

// Helpers shared by the page request, debug log and price job tests.

#include "harvest/InternetSession.h"
#include "platform/Dialogs.h"
#include "tests/fixtures/ScriptedDialogs.h"
#include "tests/fixtures/TestHttpServer.h"

#include <QStringList>

#include <chrono>
#include <string>

namespace harvest_test {

inline std::string Std(const QString& s)
{
    return s.toStdString();
}

// The session honours the environment's proxy; the test servers are always reached directly.
inline void BypassProxiesForLoopback()
{
    static const bool done = [] {
        qputenv("no_proxy", "127.0.0.1,localhost");
        qputenv("NO_PROXY", "127.0.0.1,localhost");
        return true;
    }();
    (void)done;
}

// Short bounds, and the test CA trusted, so failures show within a few seconds.
inline TransferLimits TestLimits()
{
    BypassProxiesForLoopback();
    TransferLimits limits;
    limits.caFile = fixtures::TestHttpServer::caCertificateFile();
    limits.connectTimeout = std::chrono::seconds(5);
    limits.stallTimeout = std::chrono::seconds(1);
    limits.transferTimeout = std::chrono::seconds(20);
    return limits;
}

using RecordingDialogs = fixtures::ScriptedDialogs;

inline double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace harvest_test
