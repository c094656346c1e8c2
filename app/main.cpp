#include "platform/MessageBoxDialogs.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {
bool haveDisplay()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}
} // namespace

int main(int argc, char* argv[])
{
    if (!haveDisplay()) {
        std::fprintf(stderr,
                     "Corvinel needs a desktop to show its window, and none was found.\n"
                     "Run it on a desktop, or without one as:\n"
                     "  xvfb-run -a %s\n"
                     "  QT_QPA_PLATFORM=offscreen %s\n",
                     argv[0], argv[0]);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvinel"));
    InstallDesktopPlatform();

    QWidget window;
    window.setWindowTitle(QStringLiteral("CORVINEL"));
    window.resize(777, 660);
    window.show();
    return app.exec();
}
