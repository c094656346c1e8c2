#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class CatalogueQuery;

// CON_MYSQL: the one client connection to the catalogue server, with its one query object Q_MYSQL.
// Everything runs on the thread that created it.
class CatalogueConnection : public QObject
{
    Q_OBJECT

public:
    static constexpr QLatin1String ConnectedText{"Internet connection is OK !"};
    static constexpr QLatin1String DisconnectedText{"No internet connection !"};

    explicit CatalogueConnection(QObject* parent = nullptr);
    ~CatalogueConnection() override;

    // Closes the connection and takes the deployment values built into the program (Base64 of
    // UTF-8). Any error is ignored, as at main window creation.
    void SetBuiltInValues();

    void setHost(const QString& host) { m_host = host; }
    void setPort(int port) { m_port = port; }
    void setDatabaseName(const QString& name) { m_database = name; }
    void setUserName(const QString& user) { m_user = user; }
    void setPassword(const QString& password) { m_password = password; }
    // Seconds a connect attempt may take; 300 unless a caller (a test) shortens it.
    void setConnectTimeout(int seconds) { m_connectTimeout = seconds; }
    // Seconds a read or write on an open connection may stall before the query fails; 300 by default,
    // so a server that stops answering cannot hang the window for good.
    void setReadTimeout(int seconds) { m_readTimeout = seconds; }

    const QString& host() const { return m_host; }
    int port() const { return m_port; }
    const QString& databaseName() const { return m_database; }
    const QString& userName() const { return m_user; }
    const QString& password() const { return m_password; }

    bool isOpen() const;
    // Connects with the values above; afterConnect() fires on success. Throws DatabaseError.
    void Open();
    // Always succeeds; afterDisconnect() fires when the connection was open.
    void Close();

    // Start-up connect: close, connect, report, and read the catalogue data version. Returns the
    // version, empty unless the PARAMETERS table holds exactly one "DB_DATA_VERSION" row. Any error
    // closes the connection and reports "No internet connection !"; nothing is thrown.
    QString StartupConnect();
    // SpeedButton12Click: close, connect, and report the result on the status line. Never throws.
    bool Reconnect();
    // Shutdown.
    void Disconnect() { Close(); }

    // Q_MYSQL.
    CatalogueQuery& query() { return *m_query; }

    // The Qt connection, for code that runs whole scripts over it (the catalogue upload).
    QSqlDatabase database() const;

    // Called by the query when the server has gone away, so the state shown stays true.
    void connectionLost();

signals:
    void afterConnect();
    void afterDisconnect();
    // Every status text this connection writes, events included; the window shows it on StaticText1.
    void statusText(const QString& text);

private:
    QString m_connectionName;
    QString m_host;
    int m_port = 3306;
    QString m_database;
    QString m_user;
    QString m_password;
    int m_connectTimeout = 300;
    int m_readTimeout = 300;
    std::unique_ptr<CatalogueQuery> m_query;
};

// Decodes one built-in value; empty when the text is not valid Base64.
QString DecodeBuiltInValue(const char* base64);
