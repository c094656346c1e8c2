#include "CatalogueConnection.h"

#include "CatalogueQuery.h"
#include "DatabaseError.h"

#include "Deployment.h"

#include <QByteArray>
#include <QSignalBlocker>
#include <QSqlError>

#include <atomic>

namespace {
const QString DriverName = QStringLiteral("QMYSQL");

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("corvinel_catalogue_%1").arg(++counter);
}
} // namespace

QString DecodeBuiltInValue(const char* base64)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(QByteArray(base64), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return QString();
    return QString::fromUtf8(decoded.decoded);
}

CatalogueConnection::CatalogueConnection(QObject* parent)
    : QObject(parent), m_connectionName(uniqueConnectionName()),
      m_query(std::make_unique<CatalogueQuery>(*this))
{
    QSqlDatabase::addDatabase(DriverName, m_connectionName);
}

CatalogueConnection::~CatalogueConnection()
{
    // The window has gone by now: close without telling it.
    const QSignalBlocker blocker(this);
    m_query.reset();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

void CatalogueConnection::SetBuiltInValues()
{
    Close();
    m_host = DecodeBuiltInValue(Deployment::CatalogueHostB64);
    m_database = DecodeBuiltInValue(Deployment::CatalogueDatabaseB64);
    m_user = DecodeBuiltInValue(Deployment::CatalogueUserB64);
    m_password = DecodeBuiltInValue(Deployment::CataloguePasswordB64);
}

QSqlDatabase CatalogueConnection::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool CatalogueConnection::isOpen() const
{
    return database().isOpen();
}

void CatalogueConnection::Open()
{
    if (isOpen())
        return;
    if (!QSqlDatabase::isDriverAvailable(DriverName))
        throw DatabaseError(QStringLiteral("The MySQL driver of Qt (QMYSQL) is not installed"));

    QSqlDatabase db = database();
    db.setHostName(m_host);
    db.setPort(m_port);
    db.setDatabaseName(m_database);
    db.setUserName(m_user);
    db.setPassword(m_password);
    // Automatic reconnect stays off: a broken connection must fail its query, not retry silently.
    QString options =
        QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_RECONNECT=0").arg(m_connectTimeout);
    if (m_readTimeout > 0)
        options += QStringLiteral(";MYSQL_OPT_READ_TIMEOUT=%1;MYSQL_OPT_WRITE_TIMEOUT=%1").arg(m_readTimeout);
    db.setConnectOptions(options);

    if (!db.open()) {
        const QSqlError error = db.lastError();
        db.close();
        const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        throw DatabaseError(text, error.nativeErrorCode());
    }
    emit afterConnect();
    emit statusText(ConnectedText);
}

void CatalogueConnection::Close()
{
    const bool wasOpen = isOpen();
    m_query->close();
    QSqlDatabase db = database();
    db.close();
    if (wasOpen) {
        emit afterDisconnect();
        emit statusText(DisconnectedText);
    }
}

void CatalogueConnection::connectionLost()
{
    Close();
}

QString CatalogueConnection::StartupConnect()
{
    try {
        Close();
        Open();
        emit statusText(ConnectedText);
        // The trailing blank is part of the statement as it has always been sent.
        m_query->run({QStringLiteral("SELECT value FROM PARAMETERS WHERE name = 'DB_DATA_VERSION' ")});
        return m_query->recordCount() == 1 ? m_query->fieldAsString(0) : QString();
    } catch (const AppError&) {
        Close();
        emit statusText(DisconnectedText);
        return QString();
    }
}

bool CatalogueConnection::Reconnect()
{
    Close();
    try {
        Open();
        emit statusText(ConnectedText);
        return true;
    } catch (const AppError&) {
        emit statusText(DisconnectedText);
        return false;
    }
}
