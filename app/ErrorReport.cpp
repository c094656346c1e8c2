#include "ErrorReport.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"

QString ApplicationTitle()
{
    return QStringLiteral("CORVINEL");
}

QString StandardErrorText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ShowStandardError(const QString& message)
{
    dialogs().show(StandardErrorText(message), Dialogs::Icon::Error, ApplicationTitle());
}

void ShowStandardError(const std::exception& error)
{
    if (const auto* appError = dynamic_cast<const AppError*>(&error))
        ShowStandardError(appError->message());
    else
        ShowStandardError(QString::fromLocal8Bit(error.what()));
}
