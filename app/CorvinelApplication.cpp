#include "CorvinelApplication.h"

#include "ErrorReport.h"

#include <QFont>
#include <QIcon>

#include <exception>

CorvinelApplication::CorvinelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CorvinelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowStandardError(error);
    } catch (...) {
        ShowStandardError(QStringLiteral("Unknown error"));
    }
    return false;
}

void ApplyDesktopLook()
{
    // Narrow fonts first: the window's fixed layout was drawn for Tahoma's widths.
    const QStringList sans = {QStringLiteral("DejaVu Sans Condensed"),
                              QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans"),
                              QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    // Without a desktop session there is no theme; the one shipped with the system still has the pictures.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}
