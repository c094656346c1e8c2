#include "harvest/DebugLog.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QStringList>

#include <atomic>
#include <mutex>

namespace {

struct DebugState
{
    std::mutex lock;
    std::atomic<bool> on{false};
    QStringList entries;
};

DebugState& state()
{
    static DebugState s;
    return s;
}

} // namespace

bool DebugModeOn()
{
    return state().on.load(std::memory_order_acquire);
}

void DebugLogAppend(const QString& entry)
{
    DebugState& s = state();
    if (!s.on.load(std::memory_order_acquire))
        return;
    std::lock_guard guard(s.lock);
    if (s.on.load(std::memory_order_relaxed))
        s.entries.append(entry);
}

void ToggleDebugMode(const QString& folder)
{
    DebugState& s = state();
    {
        std::unique_lock guard(s.lock);
        if (!s.on.load(std::memory_order_relaxed)) {
            s.entries.clear();
            s.on.store(true, std::memory_order_release);
            guard.unlock();
            dialogs().show(QStringLiteral("Enabled debugging mode !"));
            return;
        }
        QString error;
        const QString path = QDir(folder).filePath(QString::fromLatin1(kDebugLogFileName));
        if (!SaveTextFile(path, s.entries, TextFileEncoding::Ansi, &error))
            throw FileError(error); // entries and debug mode stay, so the next switch tries again
        s.entries.clear();
        s.on.store(false, std::memory_order_release);
    }
    // Outside the lock: workers may go on appending (and dropping) while the box is open.
    dialogs().show(QStringLiteral("Data was saved in Debugg.log !"));
}

void ResetDebugMode()
{
    DebugState& s = state();
    std::lock_guard guard(s.lock);
    s.on.store(false, std::memory_order_release);
    s.entries.clear();
}
