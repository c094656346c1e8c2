#pragma once

#include "platform/Error.h"

// An error of the catalogue server or of the client layer, with the server's own text.
class DatabaseError : public AppError
{
public:
    explicit DatabaseError(const QString& message, const QString& nativeCode = QString())
        : AppError(message), m_nativeCode(nativeCode)
    {
    }
    QString typeName() const override { return QStringLiteral("EDatabaseError"); }
    // The server's or client library's error number as text ("2013"); empty when there is none.
    const QString& nativeCode() const { return m_nativeCode; }

private:
    QString m_nativeCode;
};
