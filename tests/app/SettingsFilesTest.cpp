#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "platform/Error.h"
#include "tests/fixtures/TempDir.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

QList<bool> ticks(const char* pattern) // "x.x" -> ticked, unticked, ticked
{
    QList<bool> out;
    for (const char* p = pattern; *p; ++p)
        out.append(*p == 'x');
    return out;
}

TEST(SettingsFiles, FileNamesBesideTheProgram)
{
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    EXPECT_EQ(SettingsFilePath("/opt/c/"), QStringLiteral("/opt/c/Tesmarin.ini"));
    EXPECT_EQ(BrandCachePath("/opt/c/"), QStringLiteral("/opt/c/ListOfBrands.ini"));
    EXPECT_EQ(MaintenanceSettingsPath("/opt/c/"), QStringLiteral("/opt/c/Marrowgate.ini"));
    EXPECT_EQ(SettingsFilePath(), ProgramFolder() + QStringLiteral("Tesmarin.ini"));
    EXPECT_EQ(SettingsFilePath("/opt/c"), QStringLiteral("/opt/c/Tesmarin.ini")); // separator added

    const struct
    {
        const char* language;
        const char* version;
        const char* name;
    } cases[] = {
        {"en", "12/3", "ListOfTradeGroup[en][123].ini"},
        {"de", "2014/04", "ListOfTradeGroup[de][201404].ini"},
        {"de", "2014.04", "ListOfTradeGroup[de][2014.04].ini"}, // no "/": unchanged
        {"fr", "1/2/3/", "ListOfTradeGroup[fr][123].ini"},
        {"", "", "ListOfTradeGroup[][].ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TradeGroupCacheName(c.language, c.version), QString::fromUtf8(c.name)) << c.name;
    EXPECT_EQ(TradeGroupCachePath("en", "12/3", "/opt/c/"),
              QStringLiteral("/opt/c/ListOfTradeGroup[en][123].ini"));
}

TEST(LineFiles, SaveWritesBomAndCrLfAfterEveryLine)
{
    fixtures::TempDir dir;
    SaveLineFile(dir.path("ListOfBrands.ini"), {"BOSCH", QString::fromUtf8("L\xC3\x96WE"), ""});
    EXPECT_EQ(dir.read("ListOfBrands.ini"), kBom + "BOSCH\r\nL\xC3\x96WE\r\n\r\n");
    SaveLineFile(dir.path("empty.ini"), {});
    EXPECT_EQ(dir.read("empty.ini"), kBom);
}

TEST(LineFiles, LoadSortsAndDropsRepeatedLines)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("b.ini", kBom + "valeo\r\nBOSCH\nAte\rbosch\r\nATE\r\nZF\r\n"));
    EXPECT_EQ(ReadRawLines(dir.path("b.ini")), QStringList({"valeo", "BOSCH", "Ate", "bosch", "ATE", "ZF"}));
    // Of lines equal without regard to case, the first in the file stays.
    EXPECT_EQ(LoadLineFile(dir.path("b.ini")), QStringList({"Ate", "BOSCH", "valeo", "ZF"}));
}

TEST(LineFiles, EncodingByByteOrderMark)
{
    fixtures::TempDir dir;
    const QString expected = QString::fromUtf8("[12]Z\xC3\xBCndkerzen");
    struct
    {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"bom", kBom + "[12]Z\xC3\xBCndkerzen\r\n"},
        {"utf8 without bom", "[12]Z\xC3\xBCndkerzen\r\n"},
        {"windows-1252 without bom", "[12]Z\xFCndkerzen\r\n"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(dir.write("c.ini", c.bytes));
        EXPECT_EQ(ReadRawLines(dir.path("c.ini")), QStringList({expected})) << c.name;
    }
}

TEST(LineFiles, MissingOrBrokenFiles)
{
    fixtures::TempDir dir;
    EXPECT_EQ(LoadLineFile(dir.path("none.ini")), QStringList());
    EXPECT_EQ(ReadRawLines(dir.path("none.ini")), QStringList());

    ASSERT_TRUE(dir.write("cut.ini", kBom + "ATE\r\nB\xC3")); // cut inside a character
    const QStringList cut = ReadRawLines(dir.path("cut.ini"));
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(cut[0], QStringLiteral("ATE"));

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 37) & 0xFF));
    ASSERT_TRUE(dir.write("bin.ini", binary));
    const QStringList lines = LoadLineFile(dir.path("bin.ini"));
    EXPECT_FALSE(lines.isEmpty());
    for (const QString& line : lines)
        ParseCacheLine(line); // whatever the names, reading them is safe

    const QByteArray big(10 * 1024 * 1024, 'n');
    ASSERT_TRUE(dir.write("big.ini", big));
    const QStringList one = LoadLineFile(dir.path("big.ini"));
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].size(), big.size());
}

TEST(LineFiles, FailedSaveThrowsAndKeepsTheEarlierFile)
{
    fixtures::TempDir dir;
    const QByteArray old = kBom + "ATE\r\nBOSCH\r\n";
    ASSERT_TRUE(dir.write("ListOfBrands.ini", old));
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many.append(QStringLiteral("BRAND %1").arg(i));
    {
        fixtures::FileSizeLimit full(100);
        EXPECT_THROW(SaveLineFile(dir.path("ListOfBrands.ini"), many), FileError);
    }
    EXPECT_EQ(dir.read("ListOfBrands.ini"), old);
    EXPECT_EQ(QDir(dir.path("")).entryList(QDir::Files), QStringList({"ListOfBrands.ini"}));
    EXPECT_THROW(SaveLineFile(dir.path("missing/ListOfBrands.ini"), many), FileError);
}

TEST(IndexLists, WriteTicksInAscendingOrder)
{
    EXPECT_EQ(WriteIndexList(ticks("x.x")), QStringLiteral("[0][2]"));
    EXPECT_EQ(WriteIndexList(ticks("...")), QString());
    EXPECT_EQ(WriteIndexList(ticks("")), QString());
    QList<bool> twelve(12, false);
    twelve[11] = true;
    EXPECT_EQ(WriteIndexList(twelve), QStringLiteral("[11]"));
    EXPECT_EQ(ReadIndexList(WriteIndexList(twelve), 12), twelve);
}

TEST(IndexLists, ReadSelection)
{
    const struct
    {
        const char* value;
        int count;
        const char* expected;
    } cases[] = {
        {"[0][2]", 3, "x.x"},
        {"[1]", 12, ".x.........."}, // does not tick 11
        {"[11]", 12, "...........x"},
        {"[2][0]", 3, "x.x"},       // order does not matter
        {"a[1] b;[2]c", 4, ".xx."}, // text around and between is ignored
        {"[[1]]", 3, ".x."},        //
        {"[1[2]]", 3, "..x"},       // "[1[2]]" holds "[2]" but no "[1]"
        {"[07][7]", 8, ".......x"}, // "[07]" is not "[7]"
        {"[00]", 1, "."},           //
        {"[5][1]", 3, ".x."},       // beyond the list: ignored
        {"[-1][ 1][1 ]", 3, "..."}, //
        {"[99999999999][4294967297]", 3, "..."},
        {"", 3, "..."},
        {"[0]", 0, ""},
        {"[0]", -4, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIndexList(c.value, c.count), ticks(c.expected)) << c.value << " / " << c.count;
}

TEST(IndexLists, ReadIdsInListOrder)
{
    const struct
    {
        const char* value;
        int count;
        QList<int> expected;
    } cases[] = {
        {"[7][9]", 3, {7, 9, 0}},
        {"[7][9][11]", 2, {7, 9}},
        {"", 2, {0, 0}},
        {"[7]x[9]", 2, {7, 9}},           // text between tokens is skipped
        {"[a][9]", 2, {0, 9}},            // unreadable id: 0, and the next one still lines up
        {"[][9]", 2, {0, 9}},             //
        {"]5[7]", 2, {0, 7}},             // "]" before "[": 0, then cut after that "]"
        {"[7", 2, {0, 0}},                // no "]": nothing more to read
        {"7][8]", 2, {0, 8}},             // no "[" before the first "]"
        {"[-3][ 4][0x5]", 3, {-3, 0, 0}}, // decimal only
        {"[2147483648][1]", 2, {0, 1}},
        {"[1][2]", 0, {}},
        {"[1][2]", -1, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIdList(c.value, c.count), c.expected) << c.value << " / " << c.count;
    EXPECT_EQ(WriteIdList({12, 3, 12, -1}), QStringLiteral("[12][3][12][-1]"));
    EXPECT_EQ(ReadIdList(WriteIdList({12, 3, 12}), 3), QList<int>({12, 3, 12}));
}

TEST(IndexLists, LongListsReadInLinearTime)
{
    // Thousands of brands: the readers walk the value once, so this stays quick.
    const int count = 200000;
    QList<int> ids;
    QList<bool> ticked;
    for (int i = 0; i < count; ++i) {
        ids.append(100000 + i);
        ticked.append(i % 3 == 0);
    }
    EXPECT_EQ(ReadIdList(WriteIdList(ids), count), ids);
    EXPECT_EQ(ReadIndexList(WriteIndexList(ticked), count), ticked);
}

TEST(CacheLines, NumberInBracketsThenName)
{
    const struct
    {
        const char* line;
        int number;
        const char* name;
    } cases[] = {
        {"[1234]Filters", 1234, "Filters"},
        {"Filters", 0, "Filters"},
        {"[abc]Filters", 0, "Filters"},
        {"[12]Filter [x]", 12, "Filter [x]"}, // the first "]" ends the number
        {"[12]", 12, ""},
        {"[]Oil", 0, "Oil"},
        {"", 0, ""},
        {"Oil]Air", 0, "Air"}, // the name follows the first "]"
        {"x[5]Oil", 5, "Oil"},
        {"[-7]Oil", -7, "Oil"},
        {"[99999999999]Oil", 0, "Oil"},
        {"[12", 0, "[12"},
    };
    for (const auto& c : cases) {
        const CacheLine parsed = ParseCacheLine(QString::fromUtf8(c.line));
        EXPECT_EQ(parsed.number, c.number) << c.line;
        EXPECT_EQ(parsed.name, QString::fromUtf8(c.name)) << c.line;
    }
    EXPECT_EQ(FormatCacheLine(1234, "Filters"), QStringLiteral("[1234]Filters"));
    const CacheLine back = ParseCacheLine(FormatCacheLine(77, QString::fromUtf8("Z\xC3\xBCnd [neu]")));
    EXPECT_EQ(back.number, 77);
    EXPECT_EQ(back.name, QString::fromUtf8("Z\xC3\xBCnd [neu]"));
}

TEST(LanguageText, ShortListIsOneBase64Line)
{
    EXPECT_EQ(EncodeLanguageText({"en", "de"}), QStringLiteral("ZW4NCmRlDQo="));
    EXPECT_EQ(DecodeLanguageText("ZW4NCmRlDQo="), QStringList({"de", "en"}));
    EXPECT_EQ(EncodeLanguageText({}), QString());
    EXPECT_EQ(DecodeLanguageText(""), QStringList());
}

TEST(LanguageText, LineMarkAfterEveryFullLineOf76)
{
    // 57 bytes of UTF-8 fill exactly one line of 76, which is then followed by the mark too.
    const QString fits = QString(55, QLatin1Char('a'));
    const QString oneLine = EncodeLanguageText({fits});
    EXPECT_EQ(oneLine.size(), 76 + 3);
    EXPECT_TRUE(oneLine.endsWith("###"));
    EXPECT_EQ(oneLine.indexOf("###"), 76);
    EXPECT_EQ(DecodeLanguageText(oneLine), QStringList({fits}));

    const QStringList names = {"Deutsch",
                               "English",
                               QString::fromUtf8("Espa\xC3\xB1ol"),
                               QString::fromUtf8("Fran\xC3\xA7\x61is"),
                               "Italiano",
                               QString::fromUtf8("\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9")};
    const QString value = EncodeLanguageText(names);
    EXPECT_EQ(value,
              QStringLiteral("RGV1dHNjaA0KRW5nbGlzaA0KRXNwYcOxb2wNCkZyYW7Dp2Fpcw0KSXRhbGlhbm8NCtCg0YPRgdGB"
                             "###0LrQuNC5DQo="));
    EXPECT_EQ(DecodeLanguageText(value), names);

    QStringList many;
    for (int i = 0; i < 40; ++i)
        many.append(QStringLiteral("Language %1").arg(i, 2, 10, QLatin1Char('0')));
    const QString long_ = EncodeLanguageText(many);
    EXPECT_FALSE(long_.contains(QLatin1Char('\r')) || long_.contains(QLatin1Char('\n')));
    const QStringList pieces = long_.split("###");
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        EXPECT_EQ(pieces[i].size(), 76) << i;
    EXPECT_LT(pieces.last().size(), 76);
    EXPECT_EQ(DecodeLanguageText(long_), many);
}

TEST(LanguageText, DecodingSortsAndKeepsARepeatedNameOnce)
{
    EXPECT_EQ(DecodeLanguageText(EncodeLanguageText({"fr", "DE", "en", "de"})),
              QStringList({"DE", "en", "fr"}));
    // Line breaks of any kind and line marks in odd places are skipped.
    const QString withBreaks = EncodeLanguageText({"en", "de"}).insert(4, "###");
    EXPECT_EQ(DecodeLanguageText(withBreaks), QStringList({"de", "en"}));
}

TEST(LanguageText, DamagedValuesDoNotCrash)
{
    const char* damaged[] = {"###",
                             "#",
                             "====",
                             "ZW4",
                             "\xC3\xA4\xC3\xB6",
                             "ZW4NCmRlDQo=ZW4NCmRlDQo=",
                             "////////",
                             "ZW4NC###mRlDQo="};
    for (const char* value : damaged)
        DecodeLanguageText(QString::fromUtf8(value));
    // A value cut short still gives the names before the cut.
    const QString value = EncodeLanguageText({"de", "en", "fr"});
    EXPECT_EQ(DecodeLanguageText(value.left(8)).first(), QStringLiteral("de"));
}

TEST(LanguageText, SurvivesTheSettingsFile)
{
    fixtures::TempDir dir;
    QStringList names;
    for (int i = 0; i < 25; ++i)
        names.append(QString::fromUtf8("Sprache \xC3\xA4 %1").arg(i, 2, 10, QLatin1Char('0')));
    {
        SettingsStore ini(SettingsFilePath(dir.folder()));
        ini.WriteInteger("SETTINGDATA_LANG", "LanguageExportID", 3);
        ini.WriteString("SETTINGDATA_LANG", "LanguageExportText", EncodeLanguageText(names));
        for (int i = 0; i < names.size(); ++i)
            ini.WriteInteger("SETTINGDATA_LANG", QStringLiteral("LanguageExport_LNGID[%1]").arg(i), 100 + i);
        ini.UpdateFile();
    }
    SettingsStore ini(SettingsFilePath(dir.folder()));
    const QStringList back = DecodeLanguageText(ini.ReadString("SETTINGDATA_LANG", "LanguageExportText", ""));
    EXPECT_EQ(back, names);
    for (int i = 0; i < back.size(); ++i)
        EXPECT_EQ(ini.ReadInteger("SETTINGDATA_LANG", QStringLiteral("LanguageExport_LNGID[%1]").arg(i), 0),
                  100 + i);
}

} // namespace
