#include "MessageBoxDialogs.h"

#include "ShellOpen.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace {
QString titleOr(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Error:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void MessageBoxDialogs::show(const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(toQt(icon), titleOr(title), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool MessageBoxDialogs::confirm(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

void InstallDesktopPlatform()
{
    static MessageBoxDialogs instance;
    setDialogs(&instance);
    setShellOpenHandler([](const QString& target) {
        // A local path opens as a file; anything with a scheme as an address.
        const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target);
        QDesktopServices::openUrl(url);
    });
}
