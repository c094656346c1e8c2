#pragma once

#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/StatusLine.h"
#include "platform/Dialogs.h"
#include "tests/fixtures/MariaDbServer.h"
#include "tests/fixtures/ScriptedDialogs.h"

#include <QStringList>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace cataloguetest {

// The statements of creation script lines, with the script's database replaced by 'database'.
inline QStringList CreationStatements(const QStringList& lines, const QString& database)
{
    QStringList statements;
    for (QString line : lines) {
        if (line.startsWith(QLatin1String("--")) || line.trimmed().isEmpty())
            continue;
        line.replace(QStringLiteral("`%1`").arg(QLatin1String(CatalogueScriptDatabase)),
                     QStringLiteral("`%1`").arg(database));
        // Schema lines hold no quoted ';', so splitting at it is safe here.
        for (const QString& part : line.split(QLatin1Char(';'))) {
            if (!part.trimmed().isEmpty())
                statements << part.trimmed();
        }
    }
    return statements;
}

// A database created by the creation script, with its own account so that its statements can be
// read back from the server's log.
struct TestCatalogue
{
    QString database;
    fixtures::MariaDbAccount account;

    void exec(const QStringList& statements) const { fixtures::execSql(database, statements); }
};

// 'version' empty: no PARAMETERS row.
inline TestCatalogue CreateCatalogue(const QString& prefix, const QString& version = QStringLiteral("12/3"))
{
    TestCatalogue c;
    c.database = fixtures::createDatabase(prefix);
    QString insert;
    if (!version.isEmpty())
        insert =
            QStringLiteral("INSERT INTO `PARAMETERS` (`name`, `value`) VALUES ('DB_DATA_VERSION','%1'); ")
                .arg(version);
    // LOCK TABLES is session-bound; execSql runs every statement on one session, as the script would.
    fixtures::execSql(QString(), CreationStatements(CreationScriptLines(insert), c.database));
    c.account = fixtures::createAccount(c.database);
    return c;
}

inline void PointAt(CatalogueConnection& connection, const TestCatalogue& catalogue)
{
    const fixtures::MariaDbInfo& server = fixtures::mariaDb();
    connection.setHost(server.host);
    connection.setPort(server.port);
    connection.setDatabaseName(catalogue.database);
    connection.setUserName(catalogue.account.user);
    connection.setPassword(catalogue.account.password);
    connection.setConnectTimeout(10);
}

// Statements the code under test sent, plain or prepared, without the client library's session
// set-up (its SET and the prepared probe Qt's driver runs when it connects).
inline QStringList SentStatements(const TestCatalogue& catalogue)
{
    QStringList out;
    for (const fixtures::LoggedStatement& s : fixtures::loggedStatements(catalogue.account.user)) {
        if (s.text.startsWith(QLatin1String("SET "), Qt::CaseInsensitive))
            continue;
        if (s.command != QLatin1String("Query") && s.text.contains(QLatin1Char('?')))
            continue;
        out << s.text;
    }
    return out;
}

// The status line, remembering every text in order.
class RecordingStatusLine : public StatusLine
{
public:
    QString text() const override { return m_history.isEmpty() ? QString() : m_history.last(); }
    void setText(const QString& text) override { m_history << text; }
    void attach(CatalogueConnection& connection)
    {
        QObject::connect(&connection, &CatalogueConnection::statusText,
                         [this](const QString& t) { setText(t); });
    }
    const QStringList& history() const { return m_history; }
    void clear() { m_history.clear(); }

private:
    QStringList m_history;
};

using RecordingDialogs = fixtures::ScriptedDialogs;

} // namespace cataloguetest
