#include "harvest/PriceJob.h"
#include "harvest/SiteTable.h"
#include "tests/fixtures/TempDir.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string Std(const QString& s)
{
    return s.toStdString();
}

// Sets the default locale for one test and puts the C locale back afterwards.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};

const QLocale kCommaLocale(QLocale::German, QLocale::Germany);

} // namespace

TEST(BuildSearchAddress, EncodesPathAndQuery)
{
    struct Case
    {
        const char* searchPage;
        const char16_t* brand;
        const char16_t* code;
        const char16_t* strip;
        const char* expected;
    };
    const Case cases[] = {
        // A space in the path; the slash of the part number stays.
        {"http://h.test/search_s_refoem_{_codepart_}.html", u"BOSCH", u"0 986/424", u"",
         "http://h.test/search_s_refoem_0%20986/424.html"},
        // Clean code with an empty strip set; a strip set keeps other characters.
        {"http://h.test/s?q={_cleancodepart_}", u"BOSCH", u"0 986/424", u"", "http://h.test/s?q=0986424"},
        {"http://h.test/s?q={_cleancodepart_}", u"BOSCH", u"0 986-42/4", u" -", "http://h.test/s?q=098642/4"},
        // The "%" of a template is encoded again; a space in the query is %20, not "+".
        {"http://h.test/sch/i.html?_nkw={_brand_}+%3D+{_codepart_}&_sacat=0&_sop=12", u"BOSCH", u"0 986", u"",
         "http://h.test/sch/i.html?_nkw=BOSCH+%253D+0%20986&_sacat=0&_sop=12"},
        // Placeholders in any letter case.
        {"http://h.test/{_BRAND_}/{_CodePart_}?c={_CLEANCODEPART_}", u"FAG", u"a-1", u"",
         "http://h.test/FAG/a-1?c=A1"},
        // Characters the path encodes, and those the query keeps.
        {"http://h.test/a b*<>+[]%\"'", u"X", u"1", u"", "http://h.test/a%20b%2A%3C%3E%2B%5B%5D%25\"'"},
        {"http://h.test/p?x=a b*<>[]%&y=+/?=\"'", u"X", u"1", u"",
         "http://h.test/p?x=a%20b%2A%3C%3E%5B%5D%25&y=+/?=\"'"},
        // Non-ASCII as upper-case percent-encoded UTF-8, in path and query, outside the BMP too.
        {"http://h.test/{_brand_}?l={_codepart_}", u"Réf", u"Кат", u"",
         "http://h.test/R%C3%A9f?l=%D0%9A%D0%B0%D1%82"},
        {"http://h.test/{_codepart_}", u"X", u"\U0001F600", u"", "http://h.test/%F0%9F%98%80"},
        // Control characters, DEL and U+0080 never go out raw.
        {"http://h.test/a\tb?c=\td\x7f", u"X", u"1", u"", "http://h.test/a%09b?c=%09d%7F"},
        {"http://h.test/{_codepart_}?q={_codepart_}", u"X", u"\u0080", u"", "http://h.test/%C2%80?q=%C2%80"},
        // Default ports dropped, others kept; user information dropped.
        {"http://h.test:80/a", u"X", u"1", u"", "http://h.test/a"},
        {"https://h.test:443/a", u"X", u"1", u"", "https://h.test/a"},
        {"http://h.test:8080/a", u"X", u"1", u"", "http://h.test:8080/a"},
        {"https://h.test:80/a", u"X", u"1", u"", "https://h.test:80/a"},
        {"http://user:pw@h.test/a", u"X", u"1", u"", "http://h.test/a"},
        {"http://[::1]:80/a", u"X", u"1", u"", "http://[::1]/a"},
        // Fragment dropped, backslashes turned into slashes, an empty query leaves no "?".
        {"http://h.test/a#top", u"X", u"1", u"", "http://h.test/a"},
        {"http://h.test/a?x=1#top", u"X", u"1", u"", "http://h.test/a?x=1"},
        {"http://h.test\\a\\{_codepart_}", u"X", u"b\\c", u"", "http://h.test/a/b/c"},
        {"http://h.test/a?", u"X", u"1", u"", "http://h.test/a"},
        {"http://h.test?x={_codepart_}", u"X", u"1 2", u"", "http://h.test?x=1%202"},
        // The scheme only inside the query still leaves it in the address for the transport choice.
        {"http://h.test/r?u=https://x.test/{_codepart_}", u"X", u"1", u"",
         "http://h.test/r?u=https://x.test/1"},
    };
    for (const Case& c : cases) {
        const QString got = BuildSearchAddress(QString::fromUtf8(c.searchPage), QString::fromUtf16(c.brand),
                                               QString::fromUtf16(c.code), QString::fromUtf16(c.strip));
        EXPECT_EQ(Std(got), c.expected) << c.searchPage;
    }
}

TEST(BuildSearchAddress, EbayRowsCarryTheirSortCode)
{
    fixtures::TempDir dir;
    const QString folder = dir.folder();
    const struct
    {
        int choice;
        int code;
    } choices[] = {{0, 12}, {1, 1}, {2, 10}, {3, 2}, {4, 3}, {5, 15}, {6, 16}, {7, 7}, {9, 12}};
    for (const auto& c : choices) {
        StoreEbaySortChoice(35, c.choice, folder);
        const QString address =
            BuildSearchAddress(SiteField(SiteTemplate(35, folder), QStringLiteral("searchpage")),
                               QStringLiteral("BOSCH"), QStringLiteral("0 986 424"), QString());
        EXPECT_TRUE(
            address.endsWith(QStringLiteral("/sch/i.html?_nkw=BOSCH+%253D+0%20986%20424&_sacat=0&_sop=") +
                             QString::number(c.code)))
            << Std(address);
    }
}

TEST(BuildSearchAddress, EverySiteRowGivesAPlainAsciiAddress)
{
    fixtures::TempDir dir;
    for (int row = 0; row < SiteCount; ++row) {
        const QString searchPage = SiteField(SiteTemplate(row, dir.folder()), QStringLiteral("searchpage"));
        const QString strip = SiteField(SiteTemplate(row, dir.folder()), QStringLiteral("cleancodepartonly"));
        const QString address = BuildSearchAddress(searchPage, QStringLiteral("MÜLLER & SÖHNE"),
                                                   QStringLiteral("0 986/424 Ä#"), strip);
        bool ascii = true;
        for (const QChar c : address)
            ascii = ascii && c.unicode() > 0x20 && c.unicode() < 0x7F;
        EXPECT_TRUE(ascii) << row << ' ' << Std(address);
        const bool https = row == 47 || row == 94;
        EXPECT_EQ(address.startsWith(QLatin1String("https://")), https) << row;
        EXPECT_TRUE(https || address.startsWith(QLatin1String("http://"))) << row;
    }
}

TEST(ParsePriceText, ReadsUnderBothSeparators)
{
    struct Case
    {
        const char16_t* text;
        bool isNumber;
        double value;
    };
    const Case cases[] = {
        {u"12,50", true, 12.5},  {u"12.50", true, 12.5},
        {u"12", true, 12},       {u"  12 ", true, 12},
        {u"-3.5", true, -3.5},   {u"+4,25", true, 4.25},
        {u",5", true, 0.5},      {u"5.", true, 5},
        {u"1e3", true, 1000},    {u"1.5E-2", true, 0.015},
        {u"2,5e+1", true, 25},   {u"1.234,56", false, 0},
        {u"1,234.56", false, 0}, {u"12..5", false, 0},
        {u"1 234,56", false, 0}, {u"1\u00A0234,56", false, 0},
        {u"\u00A012", false, 0}, {u"12€", false, 0},
        {u"$12", false, 0},      {u"abc", false, 0},
        {u"", false, 0},         {u"   ", false, 0},
        {u".", false, 0},        {u"-", false, 0},
        {u"--1", false, 0},      {u"1e", false, 0},
        {u"1e+", false, 0},      {u"e5", false, 0},
        {u"0x10", false, 0},     {u"1e400", false, 0},
        {u"inf", false, 0},      {u"nan", false, 0},
        {u"١٢", false, 0}, // other digits than ASCII
    };
    for (const QLocale& locale : {QLocale::c(), kCommaLocale}) {
        LocaleScope scope(locale);
        for (const Case& c : cases) {
            const QString text = QString::fromUtf16(c.text);
            const std::optional<double> got = ParsePriceText(text);
            EXPECT_EQ(got.has_value(), c.isNumber) << Std(text) << " in " << Std(locale.name());
            if (got && c.isNumber) {
                EXPECT_DOUBLE_EQ(*got, c.value) << Std(text) << " in " << Std(locale.name());
            }
        }
    }
}

TEST(ApplyPriceFactor, GeneralFormat)
{
    struct Case
    {
        double value;
        const char* factor;
        const char* dotLocale;
        const char* commaLocale;
    };
    const Case cases[] = {
        {10, "1,2", "12", "12"},
        {10, "1.2", "12", "12"},
        {10, "abc", "10", "10"},
        {10, "", "10", "10"},
        {0, "2", "0", "0"},
        {0, "-1", "0", "0"}, // never "-0"
        {12.5, "1", "12.5", "12,5"},
        {0.1, "3", "0.3", "0,3"}, // 0.30000000000000004 at 15 digits
        {1.0 / 3, "1", "0.333333333333333", "0,333333333333333"},
        {2.0 / 3, "1", "0.666666666666667", "0,666666666666667"},
        {-2.5, "2", "-5", "-5"},
        {1234567.891, "1", "1234567.891", "1234567,891"},
        {100, "1e2", "10000", "10000"},
        {999999999999999, "1", "999999999999999", "999999999999999"},
        {123456789012345.6, "1", "123456789012346", "123456789012346"},
        {1e15, "1", "1E+15", "1E+15"},
        {1.5e20, "1", "1.5E+20", "1,5E+20"},
        {0.00001, "1", "0.00001", "0,00001"},
        {0.000012, "1", "0.000012", "0,000012"},
        {0.000001234, "1", "1.234E-6", "1,234E-6"},
        {-0.0000099, "1", "-9.9E-6", "-9,9E-6"},
    };
    for (const bool comma : {false, true}) {
        LocaleScope scope(comma ? kCommaLocale : QLocale::c());
        for (const Case& c : cases)
            EXPECT_EQ(Std(ApplyPriceFactor(c.value, QString::fromLatin1(c.factor))),
                      comma ? c.commaLocale : c.dotLocale)
                << c.value << " x " << c.factor;
    }
}

TEST(ApplyPriceFactor, OverflowIsShownNotHidden)
{
    EXPECT_EQ(Std(ApplyPriceFactor(1e308, "10")), "INF");
    EXPECT_EQ(Std(ApplyPriceFactor(-1e308, "10")), "-INF");
}
