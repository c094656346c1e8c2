#include "ShellOpen.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_mutex;
ShellOpenHandler g_handler;
} // namespace

void ShellOpen(const QString& target)
{
    ShellOpenHandler handler;
    {
        QMutexLocker lock(&g_mutex);
        handler = g_handler;
    }
    if (handler)
        handler(target);
}

ShellOpenHandler setShellOpenHandler(ShellOpenHandler handler)
{
    QMutexLocker lock(&g_mutex);
    std::swap(g_handler, handler);
    return handler;
}
