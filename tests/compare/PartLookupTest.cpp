#include "compare/PartLookup.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DatabaseError.h"
#include "tests/catalogue/CatalogueTestSupport.h"

#include <gtest/gtest.h>

#include <QHash>

using namespace cataloguetest;

namespace {

// One brand under two written forms of the number, a second brand, a part whose brand is
// missing from SUPPLIERS, a trade group without a name, and parts of other numbers.
TestCatalogue PartsCatalogue()
{
    TestCatalogue c = CreateCatalogue("lookup");
    c.exec({
        "INSERT INTO SUPPLIERS (SUPID, BRAND) VALUES (1, 'BOSCH'), (2, 'ATE'), (4, 'FEBI')",
        "INSERT INTO PARTS (ARTID, SUPID, GAID, CODEPART, FREECODEPART) VALUES "
        "(1, 1, 10, '0986424815', '0986424815'), "
        "(2, 2, 20, '09.8642-4815', '0986424815'), "
        "(3, 1, 10, '0 986 424 815', '0986424815'), "
        "(4, 3, 99, '0986 424815', '0986424815'), "
        "(5, 4, 10, '0 986 424 816', '0986424816'), "
        "(6, 1, 10, '0986424815', '0986424815')",
    });
    return c;
}

const TradeGroupNames Names = [](int gaid) {
    static const QHash<int, QString> names{{10, QStringLiteral("Brake pad set")},
                                           {20, QStringLiteral("Brake disc")}};
    return names.value(gaid);
};

QString JoinedSql(const QString& code)
{
    return PartLookupSql(code).join(QLatin1Char('\n'));
}

} // namespace

TEST(PartLookup, StatementLinesWithTheCleanCode)
{
    const QStringList expected{
        "SELECT DISTINCT",
        "   (S.BRAND) AS BRAND, ",
        "   P.SUPID AS SUPID, ",
        "   P.CODEPART AS CODE,",
        "   P.GAID AS GAID",
        "FROM PARTS AS P  ",
        "     LEFT JOIN SUPPLIERS AS S ON (S.SUPID = P.SUPID)",
        "WHERE P.FREECODEPART = '0986424815' ",
        "ORDER BY BRAND, CODE",
    };
    EXPECT_EQ(PartLookupSql("0 986-424.815"), expected);

    const struct
    {
        const char* typed;
        const char* line;
    } cases[] = {
        {"  -. /", "WHERE P.FREECODEPART = '' "},
        {"x' OR '1'='1", "WHERE P.FREECODEPART = 'XOR11' "},
        {"ab\\'; DROP TABLE PARTS; --", "WHERE P.FREECODEPART = 'ABDROPTABLEPARTS' "},
        {"\xc3\xa4\xc3\xb6 12", "WHERE P.FREECODEPART = '12' "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(PartLookupSql(QString::fromUtf8(c.typed)).at(7), QString::fromLatin1(c.line));
    }
}

TEST(PartLookup, ItemsInBrandAndNumberOrder)
{
    const TestCatalogue catalogue = PartsCatalogue();
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    connection.Open();

    const QStringList items = LookupPartItems(connection.query(), "0 986-424.815", Names);

    // DISTINCT folds the two rows of one brand and number; the missing brand sorts first.
    const QStringList expected{
        "select BRAND",
        "[] >0986 424815< - ",
        "[ATE] >09.8642-4815< - Brake disc",
        "[BOSCH] >0 986 424 815< - Brake pad set",
        "[BOSCH] >0986424815< - Brake pad set",
    };
    EXPECT_EQ(items, expected);
    EXPECT_EQ(SentStatements(catalogue), QStringList{JoinedSql("0986424815")});
}

TEST(PartLookup, NothingFoundAndNoNamesLoaded)
{
    const TestCatalogue catalogue = PartsCatalogue();
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    connection.Open();

    EXPECT_EQ(LookupPartItems(connection.query(), " -- ", Names), QStringList{SelectBrandText});
    EXPECT_EQ(LookupPartItems(connection.query(), "111", Names), QStringList{SelectBrandText});
    // No trade group list loaded: items end after "< - ".
    EXPECT_EQ(LookupPartItems(connection.query(), "0986424816", TradeGroupNames()),
              (QStringList{SelectBrandText, "[FEBI] >0 986 424 816< - "}));
}

TEST(PartLookup, ReconnectsAClosedConnectionFirst)
{
    const TestCatalogue catalogue = PartsCatalogue();
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    RecordingStatusLine status;
    status.attach(connection);
    ASSERT_FALSE(connection.isOpen());

    EXPECT_EQ(LookupPart(connection, "0986424816", Names).size(), 2);
    EXPECT_TRUE(connection.isOpen());
    ASSERT_FALSE(status.history().isEmpty());
    EXPECT_EQ(status.history().last(), CatalogueConnection::ConnectedText);
}

TEST(PartLookup, FailedQueryThrowsTheServersMessage)
{
    const TestCatalogue catalogue = PartsCatalogue();
    CatalogueConnection connection;
    PointAt(connection, catalogue);
    connection.Open();
    catalogue.exec({"DROP TABLE PARTS"});

    try {
        LookupPartItems(connection.query(), "0986424815", Names);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("PARTS"))) << e.message().toStdString();
    }

    // No server: the re-connect fails and the lookup reports it.
    CatalogueConnection unreachable;
    PointAt(unreachable, catalogue);
    unreachable.setPassword("wrong");
    EXPECT_THROW(LookupPart(unreachable, "0986424815", Names), DatabaseError);
}

TEST(PartLookup, ItemsTakenApart)
{
    const struct
    {
        const char* item;
        const char* brand;
        const char* code;
    } cases[] = {
        {"[BOSCH] >0 986 424 815< - Brake pad set", "BOSCH", "0 986 424 815"},
        {"select BRAND", "", ""},
        {"[] >0986 424815< - ", "", "0986 424815"},
        {"[MEYLE] >16-0 1< - Cable [rear] <left>", "MEYLE", "16-0 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        const BrandItemParts parts = SplitBrandListItem(QString::fromUtf8(c.item));
        EXPECT_EQ(parts.brand, QString::fromUtf8(c.brand));
        EXPECT_EQ(parts.codepart, QString::fromUtf8(c.code));
    }
    EXPECT_EQ(BrandListItem("BOSCH", "0 986 424 815", "Brake pad set"),
              QStringLiteral("[BOSCH] >0 986 424 815< - Brake pad set"));
}
