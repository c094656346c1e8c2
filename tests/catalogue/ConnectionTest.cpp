#include "CatalogueTestSupport.h"

#include "catalogue/CatalogueQuery.h"
#include "catalogue/DatabaseError.h"

#include "Deployment.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace cataloguetest;

namespace {
const QString Ok = CatalogueConnection::ConnectedText;
const QString NoConnection = CatalogueConnection::DisconnectedText;
const QString VersionQuery = QStringLiteral("SELECT value FROM PARAMETERS WHERE name = 'DB_DATA_VERSION' ");
} // namespace

TEST(CatalogueConnection, BuiltInValuesAreTheDeploymentValuesDecoded)
{
    CatalogueConnection connection;
    connection.SetBuiltInValues();
    EXPECT_EQ(connection.host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(connection.databaseName(), QStringLiteral("corvinel_demo"));
    EXPECT_EQ(connection.userName(), QStringLiteral("corvinel"));
    EXPECT_EQ(connection.password(), QStringLiteral("corvinel-demo"));
    EXPECT_EQ(connection.port(), 3306);
    EXPECT_FALSE(connection.isOpen());

    EXPECT_EQ(DecodeBuiltInValue("w5ZsZmlsdGVy"), QString::fromUtf8("\xc3\x96lfilter"));
    EXPECT_EQ(DecodeBuiltInValue("not base64!"), QString());
}

TEST(CatalogueConnection, StartupConnectReadsTheDataVersion)
{
    const TestCatalogue catalogue = CreateCatalogue("version");
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    RecordingStatusLine status;
    status.attach(connection);
    QSignalSpy connected(&connection, &CatalogueConnection::afterConnect);

    EXPECT_EQ(connection.StartupConnect(), QStringLiteral("12/3"));
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(connected.count(), 1);
    EXPECT_EQ(status.history().last(), Ok);
    // The trailing blank is part of the statement; the server's log shows statements trimmed.
    EXPECT_EQ(connection.query().statementText(), VersionQuery);
    EXPECT_EQ(SentStatements(catalogue), QStringList{VersionQuery.trimmed()});
}

// Rows of PARAMETERS that leave the version empty while the connection stays open.
TEST(CatalogueConnection, VersionEmptyUnlessExactlyOneRow)
{
    struct Case
    {
        const char* name;
        QStringList rows;
    };
    const Case cases[] = {
        {"no row", {}},
        {"two rows",
         {"INSERT INTO PARAMETERS VALUES ('DB_DATA_VERSION', '12/3')",
          "INSERT INTO PARAMETERS VALUES ('DB_DATA_VERSION', '12/4')"}},
        {"other names only", {"INSERT INTO PARAMETERS VALUES ('DB_OTHER', '7')"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TestCatalogue catalogue = CreateCatalogue("rows", QString());
        if (!c.rows.isEmpty())
            catalogue.exec(c.rows);
        CatalogueConnection connection;
        PointAt(connection, catalogue);
        RecordingStatusLine status;
        status.attach(connection);
        EXPECT_EQ(connection.StartupConnect(), QString());
        EXPECT_TRUE(connection.isOpen());
        EXPECT_EQ(status.history().last(), Ok);
    }
}

TEST(CatalogueConnection, MissingParametersTableCountsAsNoConnection)
{
    const TestCatalogue catalogue = CreateCatalogue("noparams");
    catalogue.exec({"DROP TABLE PARAMETERS"});
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    RecordingStatusLine status;
    status.attach(connection);
    QSignalSpy disconnected(&connection, &CatalogueConnection::afterDisconnect);

    EXPECT_EQ(connection.StartupConnect(), QString());
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(disconnected.count(), 1);
    EXPECT_EQ(status.history().last(), NoConnection);
}

TEST(CatalogueConnection, RefusedLoginAndUnreachableServerReportNoConnection)
{
    const TestCatalogue catalogue = CreateCatalogue("refused");
    struct Case
    {
        const char* name;
        std::function<void(CatalogueConnection&)> spoil;
    };
    const Case cases[] = {
        {"wrong password", [](CatalogueConnection& c) { c.setPassword(QStringLiteral("wrong")); }},
        {"unknown database",
         [](CatalogueConnection& c) { c.setDatabaseName(QStringLiteral("no_such_db_x")); }},
        {"nothing listens", [](CatalogueConnection& c) { c.setPort(1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CatalogueConnection connection;
        PointAt(connection, catalogue);
        c.spoil(connection);
        RecordingStatusLine status;
        status.attach(connection);
        EXPECT_EQ(connection.StartupConnect(), QString());
        EXPECT_FALSE(connection.isOpen());
        EXPECT_EQ(status.history(), QStringList{NoConnection});

        status.clear();
        EXPECT_FALSE(connection.Reconnect());
        EXPECT_EQ(status.history(), QStringList{NoConnection});
        EXPECT_THROW(connection.query().run({QStringLiteral("SELECT 1")}), DatabaseError);
    }
}

// A server that accepts the connection but never says a word must not hang the window.
TEST(CatalogueConnection, SilentServerFailsAfterTheConnectTimeout)
{
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    socklen_t length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);

    CatalogueConnection connection;
    connection.setHost(QStringLiteral("127.0.0.1"));
    connection.setPort(ntohs(address.sin_port));
    connection.setConnectTimeout(1);
    connection.setReadTimeout(1);
    RecordingStatusLine status;
    status.attach(connection);
    EXPECT_EQ(connection.StartupConnect(), QString());
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(status.history().last(), NoConnection);
    close(listener);
}

TEST(CatalogueConnection, ReconnectWhileConnectedClosesAndOpensAgain)
{
    const TestCatalogue catalogue = CreateCatalogue("reconnect");
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    RecordingStatusLine status;
    status.attach(connection);
    ASSERT_TRUE(connection.Reconnect());
    status.clear();
    QSignalSpy connected(&connection, &CatalogueConnection::afterConnect);
    QSignalSpy disconnected(&connection, &CatalogueConnection::afterDisconnect);

    EXPECT_TRUE(connection.Reconnect());
    EXPECT_EQ(disconnected.count(), 1);
    EXPECT_EQ(connected.count(), 1);
    EXPECT_EQ(status.history().first(), NoConnection);
    EXPECT_EQ(status.history().last(), Ok);

    // Closing twice tells the window once.
    connection.Disconnect();
    connection.Disconnect();
    EXPECT_EQ(disconnected.count(), 2);
    EXPECT_EQ(status.history().last(), NoConnection);
}

TEST(CatalogueQuery, WalksRowsAndReadsFieldsByNameAndPosition)
{
    const TestCatalogue catalogue = CreateCatalogue("query");
    catalogue.exec({"CREATE TABLE T (N INT NULL, S VARCHAR(20) NULL)",
                    "INSERT INTO T VALUES (7, 'Ölfilter'), (NULL, NULL), (-3, '12')"});
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    ASSERT_TRUE(connection.Reconnect());
    CatalogueQuery& q = connection.query();

    q.clearSql();
    q.addSql(QStringLiteral("SELECT N, S "));
    q.addSql(QStringLiteral("FROM T "));
    q.addSql(QStringLiteral("ORDER BY N DESC"));
    q.open();
    q.first();
    EXPECT_EQ(q.recordCount(), 3);
    QStringList seen;
    while (!q.eof()) {
        seen << QStringLiteral("%1|%2|%3|%4")
                    .arg(q.fieldAsInteger(QStringLiteral("n")))
                    .arg(q.fieldAsString(QStringLiteral("S")))
                    .arg(q.fieldAsInteger(0))
                    .arg(q.fieldAsString(1));
        q.next();
    }
    // NULL reads as 0 and as empty text.
    EXPECT_EQ(seen, (QStringList{QString::fromUtf8("7|\xc3\x96lfilter|7|\xc3\x96lfilter"), "-3|12|-3|12",
                                 "0||0|"}));
    EXPECT_EQ(SentStatements(catalogue).last(), QStringLiteral("SELECT N, S \nFROM T \nORDER BY N DESC"));

    // Misuse is an error with a text, not a crash.
    EXPECT_THROW(q.fieldAsInteger(0), DatabaseError); // past the last row
    q.run({QStringLiteral("SELECT S FROM T WHERE S = 'Ölfilter'")});
    EXPECT_THROW(q.fieldAsInteger(QStringLiteral("S")), DatabaseError);
    EXPECT_THROW(q.fieldAsString(QStringLiteral("NOPE")), DatabaseError);
    EXPECT_THROW(q.fieldAsString(5), DatabaseError);
    EXPECT_THROW(q.run({QStringLiteral("SELECT * FROM NO_SUCH_TABLE")}), DatabaseError);
    EXPECT_TRUE(connection.isOpen()); // a rejected statement does not end the session

    q.run({QStringLiteral("SELECT N FROM T WHERE N > 100")});
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recordCount(), 0);
}

TEST(CatalogueQuery, BrokenConnectionFailsWithTheLayersErrorAndIsNotReopened)
{
    const TestCatalogue catalogue = CreateCatalogue("broken");
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    ASSERT_TRUE(connection.Reconnect());
    QSignalSpy disconnected(&connection, &CatalogueConnection::afterDisconnect);

    std::thread killer([&] {
        if (const auto id = fixtures::waitForStatement(catalogue.account.user, QStringLiteral("SLEEP(")))
            fixtures::killConnection(*id);
    });
    try {
        connection.query().run({QStringLiteral("SELECT SLEEP(20) AS S")});
        ADD_FAILURE() << "the query did not fail";
    } catch (const DatabaseError& e) {
        EXPECT_FALSE(e.message().isEmpty());
        EXPECT_TRUE(e.nativeCode() == "2013" || e.nativeCode() == "2006") << qPrintable(e.nativeCode());
    }
    killer.join();

    // No silent reconnect: the connection shows closed until the next re-connect.
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(disconnected.count(), 1);
    EXPECT_THROW(connection.query().run({QStringLiteral("SELECT 1")}), DatabaseError);
    EXPECT_TRUE(connection.Reconnect());
    connection.query().run({QStringLiteral("SELECT 1")});
    EXPECT_EQ(connection.query().fieldAsInteger(0), 1);
}
