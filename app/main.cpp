#include "app/Main.h"
#include "app/CorvinelApplication.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/WaitCompare.h"
#include "platform/MessageBoxDialogs.h"
#include "tables/PreparationTables.h"

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
    CorvinelApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvinel"));
    InstallDesktopPlatform();
    ApplyDesktopLook();

    // The secondary windows take the main window as owner, so only it has a taskbar button; the
    // comparison supplier list copies the main window's supplier list, so the main window comes first.
    TForm1 form1;
    TForm2 form2(&form1);
    TForm3 form3(&form1);
    form3.FormCreate(form1.supplierCaptions(), form1.options().folder);
    TForm4 form4(&form1);
    form1.setCompareWindows(&form3, &form4);
    form1.show();
    return app.exec();
}
