// Renders the windows after start-up into PNG files for review:
//   corvinel_screenshots <output folder>
// The main window connects with the catalogue values it was built with (the demo catalogue).
#include "ScreenshotSupport.h"
#include "app/CorvinelApplication.h"
#include "app/Main.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/WaitCompare.h"
#include "platform/Dialogs.h"
#include "platform/ShellOpen.h"
#include "tables/PreparationTables.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>

#include <cstdio>

using screenshots::save;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CorvinelApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    ApplyDesktopLook();
    screenshots::InstallConsolePlatform();

    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir folder;
    MainOptions options = MainOptions::defaults();
    options.folder = folder.path() + QLatin1Char('/');
    options.releaseCheck = false;

    TForm1 form1(options);
    TForm2 form2(&form1);
    TForm3 form3(&form1);
    TForm4 form4(&form1);
    form1.show();
    QElapsedTimer timer;
    timer.start();
    while (!form1.startupDone() && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();

    bool ok = save(&form1, out + QStringLiteral("/main.png"));
    const struct
    {
        QToolButton* button;
        const char* name;
    } panels[] = {{form1.SpeedButton11, "trade-groups"},
                  {form1.SpeedButton10, "preparation-tables"},
                  {form1.SpeedButton2, "export-prices"},
                  {form1.SpeedButton20, "compare-prices"},
                  {form1.SpeedButton1, "brands"}};
    for (const auto& panel : panels) {
        panel.button->click();
        QCoreApplication::processEvents();
        ok = save(&form1, out + QStringLiteral("/panel-%1.png").arg(QLatin1String(panel.name))) && ok;
    }
    form1.SpeedButton4->click();
    form1.SpeedButton6->click();
    QCoreApplication::processEvents();
    ok = save(&form1, out + QStringLiteral("/settings-open.png")) && ok;
    for (QWidget* w :
         {static_cast<QWidget*>(&form2), static_cast<QWidget*>(&form3), static_cast<QWidget*>(&form4)})
        w->show();
    QCoreApplication::processEvents();
    ok = save(&form2, out + QStringLiteral("/progress-window.png")) && ok;
    ok = save(&form3, out + QStringLiteral("/compare-supplier-list.png")) && ok;
    ok = save(&form4, out + QStringLiteral("/wait-window.png")) && ok;
    return ok ? 0 : 1;
}
