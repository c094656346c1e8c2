#pragma once

#include "platform/Dialogs.h"
#include "platform/ShellOpen.h"

#include <QString>
#include <QWidget>

#include <cstdio>

namespace screenshots {

// Message boxes go to the console: nobody is there to answer them.
class ConsoleDialogs : public Dialogs
{
public:
    void show(const QString& text, Icon, const QString&) override
    {
        std::printf("message: %s\n", qPrintable(text));
    }
    bool confirm(const QString& text, const QString&) override
    {
        std::printf("question: %s -> No\n", qPrintable(text));
        return false;
    }
};

inline bool save(QWidget* window, const QString& path)
{
    const bool ok = window->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Messages and shell opens of a rendering run go to the console.
inline void InstallConsolePlatform()
{
    static ConsoleDialogs console;
    setDialogs(&console);
    setShellOpenHandler([](const QString& target) { std::printf("open: %s\n", qPrintable(target)); });
}

} // namespace screenshots
