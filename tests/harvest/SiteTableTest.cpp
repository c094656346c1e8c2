#include "harvest/SiteTable.h"
#include "harvest/SiteHosts.h"

#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "platform/Error.h"
#include "platform/ShellOpen.h"
#include "tests/fixtures/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <thread>
#include <vector>

namespace {

const char* const Tags[] = {"url",     "searchpage", "getstartline", "getnextstartline", "cleancodepartonly",
                            "getprice"};

std::string Std(const QString& s)
{
    return s.toStdString();
}

// The expected rows, read from the site table's description independently of the table's source.
QJsonArray ExpectedRows()
{
    QFile file(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() +
               QStringLiteral("/data/site_rows.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).array();
}

QString WithHost(QString text, int row)
{
    return text.replace(QLatin1String("{host}"), SiteHost(row))
        .replace(QLatin1String("{HOST}"), SiteHost(row).toUpper());
}

QString Field(int row, const char* tag, const QString& folder)
{
    return SiteField(SiteTemplate(row, folder), QString::fromLatin1(tag));
}

TEST(SiteTable, EveryRowMatchesExpectedTexts)
{
    fixtures::TempDir dir; // no settings file: every eBay row uses the default sort
    const QJsonArray rows = ExpectedRows();
    ASSERT_EQ(rows.size(), SiteCount);
    const QStringList captions = SupplierCaptions();
    ASSERT_EQ(captions.size(), SiteCount);

    for (int r = 0; r < SiteCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const QJsonObject expected = rows[r].toObject();
        ASSERT_EQ(expected.value(QLatin1String("row")).toInt(-1), r);

        const QString templ = SiteTemplate(r, dir.folder());
        EXPECT_EQ(Std(templ), Std(WithHost(expected.value(QLatin1String("template")).toString(), r)));
        for (const char* tag : Tags) {
            // null in the data: the tag is absent, which reads as empty
            EXPECT_EQ(Std(SiteField(templ, QString::fromLatin1(tag))),
                      Std(WithHost(expected.value(QLatin1String(tag)).toString(), r)))
                << tag;
        }
        EXPECT_EQ(Std(captions[r]), Std(WithHost(expected.value(QLatin1String("caption")).toString(), r)));
        EXPECT_EQ(Std(SupplierCaption(r)), Std(captions[r]));
        EXPECT_EQ(Std(EbaySortKey(r)), Std(expected.value(QLatin1String("ebaykey")).toString()));
        EXPECT_EQ(Std(SiteHomePage(r, dir.folder())),
                  Std(WithHost(expected.value(QLatin1String("url")).toString(), r)));
    }
}

struct Spot
{
    int row;
    const char* tag;
    const char16_t* value;
};

// Rows whose texts are easy to get wrong: invisible characters, inner quotes, edge spaces,
// non-Latin labels. Written by hand.
TEST(SiteTable, TrickyRowsSpotChecks)
{
    fixtures::TempDir dir;
    const Spot spots[] = {
        {25, "getprice", u"<span class=\"price\">{_price_}\u00A0€</span>"},
        {26, "getstartline", u"{_brand_} - Κωδικός: {_cleancodepart_}"},
        {32, "getprice", u"\t\t\t\t\t${_price_}</span>"},
        {38, "getprice", u"\t\t\t\t\t<b>EUR</b> {_price_}</span>"},
        {39, "getprice", u"<b>CHF</b> {_price_}</span>"},
        {40, "getprice", u"£{_price_}</span>"},
        {95, "getnextstartline",
         u"<span class=\"mfname\">\t\t\t\t\t\t\t\t\t\t\t\t\t{_brand_}\t\t\t\t\t\t\t\t\t\t\t</span>"},
        {92, "getstartline", u"\"{_brand_} {_codepart_}\""},
        {41, "getstartline", u"{_brand_} {_codepart_}\" "},
        {76, "getstartline", u"title=\"{_brand_} "},
        {76, "getnextstartline", u" {_codepart_}\" class=\"product-detail-text\">"},
        {29, "getprice", u"<div class=\"pretonline\"><b>Cena:  {_price_} EUR</b></div>"},
        {27, "cleancodepartonly", u" -"},
        {47, "cleancodepartonly", u" "},
        {2, "getstartline", u"<span itemprop=\"brand\">{_brand_}</span> - </span>Кат. №: {_codepart_}</a>"},
        {12, "getstartline", u"<span itemprop=\"brand\">{_brand_}</span> - </span>Κωδ.: {_codepart_}</a>"},
        {19, "getstartline", u"<span itemprop=\"brand\">{_brand_}</span> - </span>Ref:{_codepart_}</a>"},
        {43, "getstartline", u"<b>Položka č.: {_codepart_}</b>"},
        {53, "getnextstartline", u"<span class=\"article_number\">Номер на артикул: {_codepart_}</span>"},
        {63, "getnextstartline", u"<span class=\"article_number\">Αριθμός προϊόντος: {_codepart_}</span>"},
        {66, "getnextstartline", u"<span class=\"article_number\">Prekės numeris: {_codepart_}</span>"},
        {70, "getnextstartline", u"<span class=\"article_number\">Numer artykułu: {_codepart_}</span>"},
        {72, "getnextstartline", u"<span class=\"article_number\">Numărul articolului: {_codepart_}</span>"},
        {74, "getnextstartline", u"<span class=\"article_number\">Številka izdelka: {_codepart_}</span>"},
        {71, "getprice",
         u"<li><span class=\"lc\">O nosso Preço</span><span class=\"rc\">{_price_} &euro;</span></li>"},
        {50, "getprice", u">({_price_} Kč)</span>"},
        {79, "getprice", u"<span>{_price_}&nbsp;kr.</span>"},
        {85, "getprice", u"<span>{_price_}&nbsp;CHF</span>"},
        {78, "searchpage", u"/zoeken?keyword={_cleancodepart_}"},
        {9, "searchpage", u"/search_s_refoem_{_codepart_}.html"},
    };
    for (const Spot& s : spots) {
        const QString actual = Field(s.row, s.tag, dir.folder());
        const QString value = QString::fromUtf16(s.value);
        if (QLatin1String(s.tag) == QLatin1String("searchpage")) {
            EXPECT_TRUE(actual.endsWith(QLatin1String("://") + SiteHost(s.row) + value))
                << s.row << " " << Std(actual);
        } else {
            EXPECT_EQ(Std(actual), Std(value)) << "row " << s.row << " " << s.tag;
        }
    }
    EXPECT_EQ(Field(95, "getnextstartline", dir.folder()).count(QLatin1Char('\t')), 24);
    EXPECT_EQ(Field(25, "getprice", dir.folder()).count(QChar(0x00A0)), 1);
}

TEST(SiteTable, SchemesAndHomePages)
{
    fixtures::TempDir dir;
    for (int r = 0; r < SiteCount; ++r) {
        const QString scheme = (r == 47 || r == 94) ? QStringLiteral("https://") : QStringLiteral("http://");
        const QString origin = scheme + SiteHost(r);
        const QString url = (r == 43 || r == 94) ? origin : origin + QLatin1Char('/');
        EXPECT_EQ(Std(Field(r, "url", dir.folder())), Std(url)) << r;
        EXPECT_TRUE(Field(r, "searchpage", dir.folder()).startsWith(origin + QLatin1Char('/'))) << r;
    }
}

TEST(SiteTable, OutOfRangeRowsAreEmpty)
{
    fixtures::TempDir dir;
    for (int r : {-1, 96, INT_MIN, INT_MAX}) {
        EXPECT_TRUE(SiteTemplate(r, dir.folder()).isEmpty()) << r;
        EXPECT_TRUE(BuiltInSiteTemplate(r, dir.folder()).isEmpty()) << r;
        for (const char* tag : Tags)
            EXPECT_TRUE(Field(r, tag, dir.folder()).isEmpty()) << r << tag;
        EXPECT_TRUE(SupplierCaption(r).isEmpty()) << r;
        EXPECT_TRUE(SiteHost(r).isEmpty()) << r;
        EXPECT_FALSE(IsEbaySite(r)) << r;
        EXPECT_TRUE(EbaySortKey(r).isEmpty()) << r;
    }
}

TEST(SiteTable, AbsentAndEmptyTagsBothReadEmpty)
{
    fixtures::TempDir dir;
    const QString family1 = SiteTemplate(5, dir.folder());
    const QString row48 = SiteTemplate(48, dir.folder());
    EXPECT_FALSE(family1.contains(QLatin1String("getnextstartline")));
    EXPECT_TRUE(row48.contains(QLatin1String("<#getnextstartline></#getnextstartline>")));
    EXPECT_TRUE(SiteField(family1, QStringLiteral("getnextstartline")).isEmpty());
    EXPECT_TRUE(SiteField(row48, QStringLiteral("getnextstartline")).isEmpty());
}

TEST(SiteTable, CaptionsMarkExactlyTheEbayRows)
{
    for (int r = 0; r < SiteCount; ++r) {
        const bool ebayRow = r >= 32 && r <= 40;
        EXPECT_EQ(SupplierCaption(r).contains(QLatin1String("EBAY.")), ebayRow) << r;
        EXPECT_EQ(IsEbaySite(r), ebayRow) << r;
        EXPECT_EQ(!EbaySortKey(r).isEmpty(), ebayRow) << r;
    }
}

// Hosts are deployment data: check what every filled-in table must keep.
TEST(SiteHosts, EveryHostIsABareHostName)
{
    const QRegularExpression hostName(
        QStringLiteral("^[a-z0-9]([a-z0-9-]*[a-z0-9])?(\\.[a-z0-9]([a-z0-9-]*[a-z0-9])?)+$"));
    QSet<QString> seen;
    for (int r = 0; r < SiteCount; ++r) {
        const QString host = SiteHost(r);
        EXPECT_TRUE(hostName.match(host).hasMatch()) << r << " " << Std(host);
        if (r < 25) {
            EXPECT_TRUE(host.startsWith(QLatin1String("www.mister-auto."))) << r;
        }
        if (r != 45) { // the same shop as row 31
            EXPECT_FALSE(seen.contains(host)) << r << " " << Std(host);
        }
        seen.insert(host);
    }
    EXPECT_EQ(SiteHost(45), SiteHost(31));
}

TEST(EbaySortCode, Table)
{
    const std::pair<int, int> cases[] = {{0, 12},  {1, 1},        {2, 10},      {3, 2},  {4, 3},
                                         {5, 15},  {6, 16},       {7, 7},       {8, 12}, {9, 12},
                                         {-1, 12}, {INT_MAX, 12}, {INT_MIN, 12}};
    for (const auto& [stored, code] : cases)
        EXPECT_EQ(EbaySortCode(stored), code) << stored;
    EXPECT_EQ(EbaySortChoices().size(), 8);
    EXPECT_EQ(Std(EbaySortChoices().value(3)), "Price: Lowest First");
}

TEST(EbaySort, StoredChoiceChangesOnlyItsOwnRow)
{
    fixtures::TempDir dir;
    const QString folder = dir.folder();
    QStringList before;
    for (int r = 0; r < SiteCount; ++r)
        before.append(SiteTemplate(r, folder));

    EXPECT_TRUE(Field(35, "searchpage", folder).endsWith(QLatin1String("&_sop=12")));
    StoreEbaySortChoice(35, 3, folder); // "Price: Lowest First"
    EXPECT_TRUE(dir.exists(QStringLiteral("Tesmarin.ini")));
    EXPECT_EQ(ReadEbaySortChoice(35, folder), 3);
    EXPECT_TRUE(Field(35, "searchpage", folder).endsWith(QLatin1String("&_sop=2")));

    for (int r = 0; r < SiteCount; ++r) {
        if (r == 35)
            continue;
        EXPECT_EQ(Std(SiteTemplate(r, folder)), Std(before[r])) << r;
    }
    // Apart from the sort code the row is as before.
    EXPECT_EQ(
        Std(QString(SiteTemplate(35, folder)).replace(QLatin1String("_sop=2<"), QLatin1String("_sop=12<"))),
        Std(before[35]));

    StoreEbaySortChoice(35, 9, folder); // not in the sort list
    EXPECT_TRUE(Field(35, "searchpage", folder).endsWith(QLatin1String("&_sop=12")));
}

TEST(EbaySort, ReadsTheFileAfreshAtEveryLookup)
{
    fixtures::TempDir dir;
    const QString folder = dir.folder();
    struct Case
    {
        const char* ini;
        int row;
        int choice;
        const char* sopEnd;
    };
    const Case cases[] = {
        {"[SettForEbaySite]\r\nSotfForEbayCoUk=4\r\n", 40, 4, "&_sop=3"},
        {"\xEF\xBB\xBF[SettForEbaySite]\r\nSotfForEbayCom=7\r\nSotfForEbayCoUk=1\r\n", 32, 7, "&_sop=7"},
        {"[SettForEbaySite]\r\nSotfForEbayCh=abc\r\n", 39, 0, "&_sop=12"},
        {"[Other]\r\nSotfForEbayIe=5\r\n", 36, 0, "&_sop=12"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"), QByteArray(c.ini)));
        EXPECT_EQ(ReadEbaySortChoice(c.row, folder), c.choice) << c.ini;
        EXPECT_TRUE(Field(c.row, "searchpage", folder).endsWith(QLatin1String(c.sopEnd))) << c.ini;
    }
}

TEST(EbaySort, StoreKeepsOtherSettingsAndIgnoresOtherRows)
{
    fixtures::TempDir dir;
    const QString folder = dir.folder();
    ASSERT_TRUE(
        dir.write(QStringLiteral("Tesmarin.ini"),
                  "[SETTINGDATA]\r\nFolderForFiles=C:\\Temp\\\r\n[SettForEbaySite]\r\nSotfForEbayAt=6\r\n"));
    StoreEbaySortChoice(40, 2, folder);
    const SettingsStore settings(SettingsFilePath(folder));
    EXPECT_EQ(Std(settings.ReadString(QStringLiteral("SETTINGDATA"), QStringLiteral("FolderForFiles"), {})),
              "C:\\Temp\\");
    EXPECT_EQ(settings.ReadInteger(QStringLiteral("SettForEbaySite"), QStringLiteral("SotfForEbayAt"), -1),
              6);
    EXPECT_EQ(settings.ReadInteger(QStringLiteral("SettForEbaySite"), QStringLiteral("SotfForEbayCoUk"), -1),
              2);

    const QByteArray saved = dir.read(QStringLiteral("Tesmarin.ini"));
    StoreEbaySortChoice(31, 5, folder); // not an eBay row: nothing written
    StoreEbaySortChoice(41, 5, folder);
    EXPECT_EQ(dir.read(QStringLiteral("Tesmarin.ini")), saved);

    fixtures::TempDir empty;
    StoreEbaySortChoice(0, 5, empty.folder());
    EXPECT_FALSE(empty.exists(QStringLiteral("Tesmarin.ini")));
    EXPECT_EQ(ReadEbaySortChoice(0, empty.folder()), 0);
}

TEST(EbaySort, FailedSaveThrowsAndKeepsTheFile)
{
    fixtures::TempDir dir;
    const QByteArray original = "[SettForEbaySite]\r\nSotfForEbayDe=1\r\n" + QByteArray(400, ';') + "\r\n";
    ASSERT_TRUE(dir.write(QStringLiteral("Tesmarin.ini"), original));
    {
        fixtures::FileSizeLimit full(64);
        EXPECT_THROW(StoreEbaySortChoice(35, 4, dir.folder()), FileError);
    }
    EXPECT_EQ(dir.read(QStringLiteral("Tesmarin.ini")), original);
    EXPECT_THROW(StoreEbaySortChoice(35, 4, dir.folder() + QStringLiteral("missing/")), FileError);
}

class ShellRecorder
{
public:
    ShellRecorder()
    {
        m_previous = setShellOpenHandler([this](const QString& target) { opened.append(target); });
    }
    ~ShellRecorder() { setShellOpenHandler(m_previous); }
    QStringList opened;

private:
    ShellOpenHandler m_previous;
};

class OverrideScope
{
public:
    explicit OverrideScope(SiteTableOverride o) : m_previous(setSiteTableOverride(std::move(o))) {}
    ~OverrideScope() { setSiteTableOverride(m_previous); }

private:
    SiteTableOverride m_previous;
};

TEST(SiteHomePage, OpensTheUrlFieldUnlessBlank)
{
    fixtures::TempDir dir;
    ShellRecorder shell;
    EXPECT_TRUE(OpenSiteHomePage(5, dir.folder()));
    EXPECT_FALSE(OpenSiteHomePage(-1, dir.folder()));
    EXPECT_FALSE(OpenSiteHomePage(96, dir.folder()));
    {
        OverrideScope blank([](int index) {
            return index == 1 ? QStringLiteral("<#url> \t </#url><#searchpage>http://x/</#searchpage>")
                              : QStringLiteral("<#searchpage>http://x/</#searchpage>");
        });
        EXPECT_FALSE(OpenSiteHomePage(1, dir.folder()));
        EXPECT_FALSE(OpenSiteHomePage(2, dir.folder()));
    }
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(Std(shell.opened[0]), "http://" + Std(SiteHost(5)) + "/");
}

TEST(SiteTableOverride, ReplacesAndRestoresTheTable)
{
    fixtures::TempDir dir;
    const QString builtIn = SiteTemplate(7, dir.folder());
    const QString local =
        MakeSiteTemplate({.url = QStringLiteral("http://127.0.0.1:8080/"),
                          .searchpage = QStringLiteral("http://127.0.0.1:8080/s?q={_codepart_}"),
                          .getstartline = QStringLiteral("{_brand_}"),
                          .getnextstartline = std::nullopt,
                          .cleancodepartonly = QString(),
                          .getprice = QStringLiteral("<b>{_price_}</b>")});
    EXPECT_EQ(Std(local),
              "<#url>http://127.0.0.1:8080/</#url><#searchpage>http://127.0.0.1:8080/s?q={_codepart_}"
              "</#searchpage><#getstartline>{_brand_}</#getstartline><#cleancodepartonly>"
              "</#cleancodepartonly><#getprice><b>{_price_}</b></#getprice>");
    {
        OverrideScope scope(
            [&](int index) { return index == 7 ? local : BuiltInSiteTemplate(index, dir.folder()); });
        EXPECT_EQ(Std(SiteTemplate(7, dir.folder())), Std(local));
        EXPECT_EQ(Std(SiteTemplate(8, dir.folder())), Std(BuiltInSiteTemplate(8, dir.folder())));
        EXPECT_EQ(Std(BuiltInSiteTemplate(7, dir.folder())), Std(builtIn));
        EXPECT_TRUE(SiteTemplate(96, dir.folder()).isEmpty());
    }
    EXPECT_EQ(Std(SiteTemplate(7, dir.folder())), Std(builtIn));
}

// Workers look templates up while a test swaps the table.
TEST(SiteTableOverride, ConcurrentLookupsSeeWholeTables)
{
    fixtures::TempDir dir;
    const QString folder = dir.folder();
    const QString builtIn = SiteTemplate(3, folder);
    const QString a = QStringLiteral("<#url>http://a/</#url>");
    const QString b = QStringLiteral("<#url>http://b/</#url>");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            while (!stop.load(std::memory_order_acquire)) {
                const QString templ = SiteTemplate(3, folder);
                if (templ != a && templ != b && templ != builtIn)
                    bad.fetch_add(1);
            }
        });
    }
    for (int i = 0; i < 2000; ++i)
        setSiteTableOverride(i % 3 == 2 ? SiteTableOverride() : [&, i](int) { return i % 3 ? b : a; });
    stop.store(true, std::memory_order_release);
    for (auto& t : readers)
        t.join();
    setSiteTableOverride({});
    EXPECT_EQ(bad.load(), 0);
}

} // namespace
