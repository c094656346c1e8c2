// Renders the main window after a price comparison and the filled comparison supplier list:
//   corvinel_compare_screenshots <output folder>
// A local HTTP server stands in for the shops; the part comes from the demo catalogue when it is
// reachable, otherwise the brand list gets one made-up item.
#include "ScreenshotSupport.h"
#include "app/CorvinelApplication.h"
#include "app/Main.h"
#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueQuery.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/WaitCompare.h"
#include "harvest/SiteTable.h"
#include "platform/Dialogs.h"
#include "platform/ShellOpen.h"
#include "tests/fixtures/TestHttpServer.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>
#include <exception>

namespace {
using screenshots::save;

// A part number of the catalogue, or nothing when it cannot be read.
QString someCatalogueNumber(CatalogueConnection& connection)
{
    if (!connection.isOpen())
        return {};
    try {
        CatalogueQuery& query = connection.query();
        query.run({QStringLiteral("SELECT P.CODEPART AS CODE FROM PARTS AS P"),
                   QStringLiteral("  JOIN SUPPLIERS AS S ON (S.SUPID = P.SUPID)"),
                   QStringLiteral("ORDER BY P.ARTID LIMIT 1")});
        const QString code = query.eof() ? QString() : query.fieldAsString(QStringLiteral("CODE"));
        query.close();
        return code;
    } catch (const std::exception&) {
        return {};
    }
}
} // namespace

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

    // Each shop answers with its own price; the last one is too slow for the page deadline.
    const QList<int> shops{0, 3, 12, 20, 44};
    fixtures::TestHttpServer server;
    server.route("*", [](const fixtures::HttpRequestRecord& request) {
        const int row = QString::fromLatin1(request.path().mid(4)).toInt();
        if (row == 44) {
            fixtures::HttpReply reply = fixtures::HttpReply::ok(QByteArray(64, ' '));
            reply.chunkBytes = 8;
            reply.delayBetweenChunksMs = 1500;
            return reply;
        }
        const QByteArray price = QByteArray::number(18.4 + row * 0.73, 'f', 2);
        return fixtures::HttpReply::ok("<div class=\"offer\"><b>" + price + "</b></div>");
    });
    setSiteTableOverride([&server](int row) {
        return MakeSiteTemplate({server.baseUrl(),
                                 server.url(QStringLiteral("/row%1?c={_codepart_}").arg(row)),
                                 QStringLiteral("<div class=\"offer\">"), std::nullopt, std::nullopt,
                                 QStringLiteral("<b>{_price_}</b>")});
    });

    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir folder;
    MainOptions options = MainOptions::defaults();
    options.folder = folder.path() + QLatin1Char('/');
    options.releaseCheck = false;
    options.pageDeadline = std::chrono::milliseconds(1000);

    TForm1 form1(options);
    TForm3 form3(&form1);
    form3.FormCreate(form1.supplierCaptions(), options.folder);
    TForm4 form4(&form1);
    form1.setCompareWindows(&form3, &form4);
    form1.show();
    QElapsedTimer timer;
    timer.start();
    while (!form1.startupDone() && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();

    for (const int row : shops)
        form3.setTicked(row, true);
    form1.Edit4->setText(QStringLiteral("1,2"));
    form1.SpeedButton20Click();

    const QString number = someCatalogueNumber(*form1.CON_MYSQL);
    if (!number.isEmpty()) {
        form1.Edit8->setText(number);
        form1.Edit8KeyPress(QLatin1Char('\r'));
    }
    if (form1.ComboBox4->count() > 1) {
        // As if the user picked the first brand: the close-up runs the comparison.
        form1.ComboBox4->setCurrentIndex(1);
        form1.ComboBox4->hidePopup();
    } else {
        form1.Edit8->setText(QStringLiteral("0 986 424 815"));
        form1.ComboBox4->addItem(QStringLiteral("[BOSCH] >0 986 424 815< - Brake pad set"));
        form1.ComboBox4->setCurrentIndex(1);
        form1.SpeedButton23->click();
    }
    QCoreApplication::processEvents();

    bool ok = save(&form1, out + QStringLiteral("/compare-grid.png"));
    form1.SpeedButton22Click();
    QCoreApplication::processEvents();
    ok = save(&form3, out + QStringLiteral("/compare-supplier-list-filled.png")) && ok;
    form3.hide(); // not closed: the ticks set here are not the user's
    setSiteTableOverride({});
    return ok ? 0 : 1;
}
