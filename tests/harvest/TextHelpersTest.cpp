#include "harvest/TextHelpers.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

struct Case3
{
    const char16_t* text;
    const char16_t* a;
    const char16_t* b;
    const char16_t* expected;
};

QString S(const char16_t* s)
{
    return QString::fromUtf16(s);
}

TEST(TextBetween, Table)
{
    const Case3 cases[] = {
        {u"<#a>x</#a>", u"<#a>", u"</#a>", u"x"},
        {u"<#a>x", u"<#a>", u"</#a>", u""},
        {u"<#a></#a>", u"<#a>", u"</#a>", u""},
        {u"a]b[c]d", u"[", u"]", u""}, // first end before first start
        {u"[BOSCH] >0 986< - Filter", u">", u"<", u"0 986"},
        {u"x>1<y>2<", u">", u"<", u"1"},     // later markers never looked at
        {u"abc", u"", u"c", u""},            // empty start marker
        {u"abc", u"a", u"", u""},            // empty end marker
        {u"<A>x</a>", u"<a>", u"</a>", u""}, // case-sensitive
        {u"aXa", u"a", u"a", u""},           // same marker: both find position 1
        {u"price: 12,50 EUR", u"price: ", u" EUR", u"12,50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextBetween(S(c.text), S(c.a), S(c.b)), S(c.expected))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(ReplaceAllIgnoreCase, Table)
{
    const Case3 cases[] = {
        {u"q={_BRAND_}+{_brand_}", u"{_brand_}", u"Febi", u"q=Febi+Febi"},
        {u"1.234.5", u".", u",", u"1,234,5"},
        {u"abc", u"", u"x", u"abc"},                        // empty pattern
        {u"", u"a", u"x", u""},                             // empty text
        {u"aaa", u"aa", u"b", u"ba"},                       // no overlapping matches
        {u"aA", u"a", u"aa", u"aaaa"},                      // inserted text not scanned again
        {u"ÄrgerÄ", u"ä", u"ae", u"aergerae"},              // non-ASCII letters match too
        {u"Straße STRASSE", u"straße", u"X", u"X STRASSE"}, // no full case mapping
        {u"КодКОД", u"код", u"*", u"**"},
        {u"MiXeD", u"x", u"y", u"MiyeD"}, // text outside matches keeps its case
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceAllIgnoreCase(S(c.text), S(c.a), S(c.b)), S(c.expected))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(CleanCode, Table)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u" 0 986-424.815 ", u"0986424815"},
        {u"oc 90/1", u"OC901"},
        {u"Ä-ß", u""},
        {u"", u""},
        {u"ＡＢ１", u""}, // full-width forms are not ASCII
        {u"zZ09", u"ZZ09"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CleanCode(S(in)), S(out));
}

TEST(StripCodeChars, Table)
{
    const Case3 cases[] = {
        {u"0 986-424 815", u" -", u"", u"0986424815"},
        {u"oc 90/1", u" ", u"", u"oc90/1"},
        {u"oc 90/1", u"", u"", u"OC901"},
        {u"Ab", u"a", u"", u"Ab"}, // "a" does not occur as given: nothing removed
        {u"Aab", u"a", u"", u"b"}, // occurs: both cases go
        {u"a.b.c", u".x", u"", u"abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripCodeChars(S(c.text), S(c.a)), S(c.expected))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(TextHelpers, SafeFromManyThreads)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                if (ReplaceAllIgnoreCase(QStringLiteral("q={_BRAND_}"), QStringLiteral("{_brand_}"),
                                         QStringLiteral("Febi")) != QLatin1String("q=Febi") ||
                    CleanCode(QStringLiteral("0 986-424.815")) != QLatin1String("0986424815"))
                    ++failures;
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);
}

} // namespace
