#include "Dialogs.h"

#include <atomic>

namespace {
class SilentDialogs final : public Dialogs
{
public:
    void show(const QString&, Icon, const QString&) override {}
    bool confirm(const QString&, const QString&) override { return false; }
};

SilentDialogs g_silent;
std::atomic<Dialogs*> g_current{&g_silent};
} // namespace

Dialogs& dialogs()
{
    return *g_current.load(std::memory_order_acquire);
}

Dialogs* setDialogs(Dialogs* instance)
{
    Dialogs* previous = g_current.exchange(instance ? instance : &g_silent, std::memory_order_acq_rel);
    return previous == &g_silent ? nullptr : previous;
}
