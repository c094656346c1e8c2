#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The program's errors are exceptions carrying a user-facing text. typeName() is shown by the
// maintenance functions' error report ("... ErrorType : message]").
class AppError : public std::exception
{
public:
    explicit AppError(const QString& message) : m_message(message), m_utf8(message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }
    virtual QString typeName() const { return QStringLiteral("Exception"); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A file could not be read or written.
class FileError : public AppError
{
public:
    using AppError::AppError;
    QString typeName() const override { return QStringLiteral("EFCreateError"); }
};
