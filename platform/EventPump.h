#pragma once

#include <QCoreApplication>

// Long runs on the window thread call this after each visible change so the window stays alive.
inline void ProcessPendingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
