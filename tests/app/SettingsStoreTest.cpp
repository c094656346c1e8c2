#include "app/SettingsStore.h"
#include "app/SettingsFiles.h"
#include "platform/Error.h"
#include "tests/fixtures/TempDir.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

struct IntegerCase
{
    const char* text;
    std::optional<int> expected; // nullopt: not an integer, the default applies
};

// The stored form is strict: an optional "-", then decimal or "0x" hexadecimal digits, within int.
const IntegerCase kIntegerCases[] = {
    {"0", 0},
    {"42", 42},
    {"-5", -5},
    {"-0", 0},
    {"007", 7},
    {"000000000000000000000001", 1}, // leading zeros do not overflow
    {"0x1F", 31},
    {"0XfF", 255},
    {"-0x10", -16}, // the sign applies to the hexadecimal form too
    {"2147483647", INT_MAX},
    {"-2147483648", INT_MIN},
    {"0x7FFFFFFF", INT_MAX},
    {"-0x80000000", INT_MIN},
    {"2147483648", std::nullopt},  // does not fit 32 bits
    {"-2147483649", std::nullopt}, //
    {"0x80000000", std::nullopt},  // no wrap-around of hexadecimal values
    {"99999999999999999999", std::nullopt},
    {"+5", std::nullopt},  // "+" is not part of the form
    {" 5", std::nullopt},  // blanks are trimmed by the reader, not here
    {"5 ", std::nullopt},  //
    {"0x", std::nullopt},  // prefix without digits
    {"-", std::nullopt},   //
    {"", std::nullopt},    //
    {"1e3", std::nullopt}, // no exponent
    {"12a", std::nullopt}, //
    {"0x-5", std::nullopt},
    {"--5", std::nullopt},
    {"1.0", std::nullopt},
    {"yes", std::nullopt},
    {"\xD9\xA3", std::nullopt}, // ARABIC-INDIC DIGIT THREE: only ASCII digits count
};

TEST(SettingsInteger, ParsesTheStoredForm)
{
    for (const IntegerCase& c : kIntegerCases) {
        int value = 12345;
        const bool ok = ParseSettingsInteger(QString::fromUtf8(c.text), value);
        EXPECT_EQ(ok, c.expected.has_value()) << c.text;
        if (c.expected && ok) {
            EXPECT_EQ(value, *c.expected) << c.text;
        }
    }
}

TEST(SettingsStore, MissingFileGivesEveryDefault)
{
    fixtures::TempDir dir;
    SettingsStore ini(SettingsFilePath(dir.folder()));
    EXPECT_EQ(ini.ReadString("SETTINGDATA", "FolderForFiles", ""), QString());
    EXPECT_EQ(ini.ReadString("SETTINGDATA", "ValueFactor", "1"), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadInteger("SETTINGDATA_LANG", "LanguageExportID", -1), -1);
    EXPECT_TRUE(ini.ReadBool("SETTINGDATA", "CSV_EditZeroPrice", true));
    EXPECT_FALSE(ini.SectionExists("SETTINGDATA"));
    EXPECT_EQ(ini.toText(), QString());
    EXPECT_FALSE(dir.exists("Tesmarin.ini")); // opening never creates the file
}

TEST(SettingsStore, ReadsValuesOfEachForm)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("t.ini", "[S]\r\n"
                                   "Zero=0\r\n"
                                   "Yes=yes\r\n"
                                   "Two=2\r\n"
                                   "Minus=-1\r\n"
                                   "HexZero=0x0\r\n"
                                   "Empty=\r\n"
                                   "Big=4294967296\r\n"));
    SettingsStore ini(dir.path("t.ini"));
    struct Case
    {
        const char* key;
        bool expectedWithDefaultTrue;
        bool expectedWithDefaultFalse;
        int integerDefault7;
    };
    const Case cases[] = {
        {"Zero", false, false, 0}, {"Yes", true, false, 7},      {"Two", true, true, 2},
        {"Minus", true, true, -1}, {"HexZero", false, false, 0}, {"Empty", true, false, 7},
        {"Big", true, false, 7},   {"Absent", true, false, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadBool("S", c.key, true), c.expectedWithDefaultTrue) << c.key;
        EXPECT_EQ(ini.ReadBool("S", c.key, false), c.expectedWithDefaultFalse) << c.key;
        EXPECT_EQ(ini.ReadInteger("S", c.key, 7), c.integerDefault7) << c.key;
    }
    // An empty value is present and reads as empty, not as the default.
    EXPECT_TRUE(ini.ValueExists("S", "Empty"));
    EXPECT_EQ(ini.ReadString("S", "Empty", "dflt"), QString());
}

struct ParseCase
{
    const char* name;
    QByteArray file;
    const char* section;
    const char* key;
    std::optional<QString> expected; // nullopt: absent
};

TEST(SettingsStore, ReadsTheIniSyntax)
{
    const ParseCase cases[] = {
        {"blanks around key and value", "[S]\r\n   key  =  value  \r\n", "S", "key", "value"},
        {"tabs and control characters are blanks", "[S]\r\n\tkey\x01=\tva lue\x1F\r\n", "S", "key", "va lue"},
        {"value keeps later '='", "[S]\r\na=b=c\r\n", "S", "a", "b=c"},
        {"section name trimmed", "[  Se ct  ]\r\nk=1\r\n", "Se ct", "k", "1"},
        {"indented section line", "   [S]   \r\nk=1\r\n", "S", "k", "1"},
        {"section names ignore case", "[SettingData]\r\nk=1\r\n", "SETTINGDATA", "k", "1"},
        {"key names ignore case", "[S]\r\nFolderForFiles=x\r\n", "s", "FOLDERFORFILES", "x"},
        {"non-ASCII names ignore case", "[\xC3\x84\x62]\r\n\xC3\xBC=1\r\n", "\xC3\xA4\x42", "\xC3\x9C", "1"},
        {"lines before the first section dropped", "k=1\r\n[S]\r\nj=2\r\n", "S", "k", std::nullopt},
        {"comment line is no key", "[S]\r\n;k=1\r\n", "S", ";k", std::nullopt},
        {"indented comment line is no key", "[S]\r\n   ;k=1\r\n", "S", "k", std::nullopt},
        {"keyless line is no key", "[S]\r\njust text\r\n", "S", "just text", std::nullopt},
        {"unclosed bracket is a keyless line", "[S]\r\n[T\r\nk=1\r\n", "S", "k", "1"},
        {"LF line ends", "[S]\nk=1\nj=2\n", "S", "j", "2"},
        {"CR line ends", "[S]\rk=1\rj=2\r", "S", "j", "2"},
        {"no line end at the end", "[S]\r\nk=last", "S", "k", "last"},
        {"first of two equal keys wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        {"repeated section continues the first", "[S]\r\na=1\r\n[T]\r\n[s]\r\nb=2\r\n", "S", "b", "2"},
        {"empty key", "[S]\r\n=v\r\n", "S", "", "v"},
        {"empty section name", "[]\r\nk=1\r\n", "", "k", "1"},
        {"BOM skipped", kBom + "[S]\r\nk=1\r\n", "S", "k", "1"},
        {"key in another section", "[S]\r\nk=1\r\n[T]\r\n", "T", "k", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        fixtures::TempDir dir;
        ASSERT_TRUE(dir.write("t.ini", c.file));
        SettingsStore ini(dir.path("t.ini"));
        const QString section = QString::fromUtf8(c.section);
        const QString key = QString::fromUtf8(c.key);
        EXPECT_EQ(ini.ValueExists(section, key), c.expected.has_value()) << c.name;
        EXPECT_EQ(ini.ReadString(section, key, "<absent>"), c.expected.value_or("<absent>")) << c.name;
    }
}

// A file as the program writes it, plus what a user may add by hand.
const QByteArray kHandWritten = kBom + "[SETTINGDATA]\r\n"
                                       "FolderForFiles=C:\\Preise f\xC3\xBCr Teile\\\r\n"
                                       "; keep the factor at 1.2 for the spring list\r\n"
                                       "ValueFactor=1,2\r\n"
                                       "MyOwnKey=something\r\n"
                                       "CSV_EditZeroPrice=1\r\n"
                                       "\r\n"
                                       "[SomeoneElses]\r\n"
                                       "Key=Value with = inside\r\n"
                                       "\r\n"
                                       "[SETTINGDATA_LANG]\r\n"
                                       "LanguageExportID=2\r\n"
                                       "\r\n";

TEST(SettingsStore, HandWrittenFileRoundTripsByteForByte)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("Tesmarin.ini", kHandWritten));
    {
        SettingsStore ini(SettingsFilePath(dir.folder()));
        EXPECT_EQ(ini.ReadString("SETTINGDATA", "ValueFactor", "1"), QStringLiteral("1,2"));
        ini.WriteString("SETTINGDATA", "ValueFactor", "1,5");
        ini.UpdateFile();
    }
    QByteArray expected = kHandWritten;
    expected.replace("ValueFactor=1,2", "ValueFactor=1,5");
    EXPECT_EQ(dir.read("Tesmarin.ini"), expected);

    // Unchanged, the file comes back exactly as it was.
    SettingsStore again(SettingsFilePath(dir.folder()));
    again.UpdateFile();
    EXPECT_EQ(dir.read("Tesmarin.ini"), expected);
}

TEST(SettingsStore, RewriteUsesTheStoredLayout)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("t.ini", "; header note\n"
                                   "orphan=1\n"
                                   "\n"
                                   "  [ A ]  \n"
                                   "  k  =  v  \n"
                                   "\n"
                                   "\n"
                                   "free text line\n"
                                   "  ; note  \n"
                                   "[B]\n"));
    SettingsStore ini(dir.path("t.ini"));
    ini.WriteString("a", "New", "n");     // appended to its section, after the keyless lines
    ini.WriteInteger("C", "Count", -12);  // new section after the last
    ini.WriteBool("B", "Flag", true);     //
    ini.WriteString("A", "K", "changed"); // existing key keeps its spelling
    EXPECT_EQ(ini.toText(), QStringLiteral("[A]\r\n"
                                           "k=changed\r\n"
                                           "free text line\r\n"
                                           "; note\r\n"
                                           "New=n\r\n"
                                           "\r\n"
                                           "[B]\r\n"
                                           "Flag=1\r\n"
                                           "\r\n"
                                           "[C]\r\n"
                                           "Count=-12\r\n"
                                           "\r\n"));
    ini.UpdateFile();
    EXPECT_EQ(dir.read("t.ini"), kBom + ini.toText().toUtf8());
}

TEST(SettingsStore, EraseSectionRemovesItsKeysOnly)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("t.ini", "[SETTINGDATA]\r\nVerData=1\r\n\r\n"
                                   "[SETTINGDATA_TRADEGROUPS]\r\nSelectTradeGroups[en]=[1]\r\n"
                                   "SelectTradeGroups[de]=[2]\r\n\r\n"
                                   "[Last]\r\nx=1\r\n\r\n"));
    SettingsStore ini(dir.path("t.ini"));
    ini.EraseSection("settingdata_tradegroups");
    ini.EraseSection("NoSuchSection");
    EXPECT_FALSE(ini.SectionExists("SETTINGDATA_TRADEGROUPS"));
    EXPECT_EQ(ini.ReadString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[de]", "-"), QStringLiteral("-"));
    EXPECT_EQ(ini.ReadString("Last", "x", "-"), QStringLiteral("1"));
    // Written again, it is a new section: after the last one.
    ini.WriteString("SETTINGDATA_TRADEGROUPS", "SelectTradeGroups[en]", "[3]");
    EXPECT_EQ(ini.toText(), QStringLiteral("[SETTINGDATA]\r\nVerData=1\r\n\r\n"
                                           "[Last]\r\nx=1\r\n\r\n"
                                           "[SETTINGDATA_TRADEGROUPS]\r\nSelectTradeGroups[en]=[3]\r\n\r\n"));
}

TEST(SettingsStore, WriteIgnoresCaseOfExistingNames)
{
    fixtures::TempDir dir;
    SettingsStore ini(dir.path("t.ini"));
    ini.WriteString("SettForEbaySite", "SotfForEbayDe", "3");
    ini.WriteInteger("SETTFOREBAYSITE", "sotfforebayde", 5);
    EXPECT_EQ(ini.toText(), QStringLiteral("[SettForEbaySite]\r\nSotfForEbayDe=5\r\n\r\n"));
}

TEST(SettingsStore, LaterWriterKeepsKeysOfAnEarlierOne)
{
    // Two windows, each opening the file anew: the second save keeps the first one's key.
    fixtures::TempDir dir;
    const QString path = SettingsFilePath(dir.folder());
    {
        SettingsStore compareList(path);
        compareList.WriteString("SETTINGDATA", "CheckListForCompare", "[0][4]");
        compareList.UpdateFile();
    }
    {
        SettingsStore shutdown(path);
        shutdown.WriteString("SETTINGDATA", "FolderForFiles", "/tmp/parts/");
        shutdown.UpdateFile();
    }
    SettingsStore ini(path);
    EXPECT_EQ(ini.ReadString("SETTINGDATA", "CheckListForCompare", ""), QStringLiteral("[0][4]"));
    EXPECT_EQ(ini.ReadString("SETTINGDATA", "FolderForFiles", ""), QStringLiteral("/tmp/parts/"));
}

TEST(SettingsStore, LineBreakInAValueCannotAddKeysOrSections)
{
    fixtures::TempDir dir;
    {
        SettingsStore ini(dir.path("t.ini"));
        ini.WriteString("S", "FolderForFiles", "a\r\n[Injected]\r\nk=v\nb");
        ini.WriteString("S", "After", "1");
        ini.UpdateFile();
    }
    SettingsStore ini(dir.path("t.ini"));
    EXPECT_FALSE(ini.SectionExists("Injected"));
    EXPECT_FALSE(ini.ValueExists("S", "k"));
    EXPECT_EQ(ini.ReadString("S", "FolderForFiles", ""), QStringLiteral("a  [Injected]  k=v b"));
    EXPECT_EQ(ini.ReadString("S", "After", ""), QStringLiteral("1"));
}

TEST(SettingsStore, FailedSaveThrowsAndKeepsTheEarlierFile)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("Tesmarin.ini", kHandWritten));
    SettingsStore ini(SettingsFilePath(dir.folder()));
    ini.WriteString("SETTINGDATA", "FolderForFiles", QString(4000, QLatin1Char('x')));
    QString message;
    {
        fixtures::FileSizeLimit full(64); // the disk fills up midway
        try {
            ini.UpdateFile();
            ADD_FAILURE() << "save reported success";
        } catch (const FileError& e) {
            message = e.message();
        }
    }
    EXPECT_TRUE(message.contains(QStringLiteral("Tesmarin.ini"))) << message.toStdString();
    EXPECT_EQ(dir.read("Tesmarin.ini"), kHandWritten);
    EXPECT_EQ(QDir(dir.path("")).entryList(QDir::Files), QStringList({"Tesmarin.ini"}));

    SettingsStore nowhere(dir.path("no/such/folder/Tesmarin.ini"));
    nowhere.WriteString("S", "k", "v");
    EXPECT_THROW(nowhere.UpdateFile(), FileError);
}

// Opens 'path' as a user who may not read it; root reads everything, so it reads as nobody.
std::unique_ptr<SettingsStore> OpenWithoutReadAccess(const QString& path)
{
    if (geteuid() != 0) {
        chmod(QFile::encodeName(path).constData(), 0);
        auto store = std::make_unique<SettingsStore>(path);
        chmod(QFile::encodeName(path).constData(), 0644);
        return store;
    }
    if (seteuid(65534) != 0)
        return nullptr;
    auto store = std::make_unique<SettingsStore>(path);
    if (seteuid(0) != 0)
        std::abort();
    return store;
}

TEST(SettingsStore, FileThatCannotBeReadIsNeverReplaced)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("Tesmarin.ini", kHandWritten));
    const std::unique_ptr<SettingsStore> ini = OpenWithoutReadAccess(SettingsFilePath(dir.folder()));
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->ReadString("SETTINGDATA", "ValueFactor", "1"), QStringLiteral("1")); // defaults
    ini->WriteInteger("SettForEbaySite", "SotfForEbayDe", 3);
    try {
        ini->UpdateFile();
        ADD_FAILURE() << "a file that could not be read was replaced";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Tesmarin.ini"))) << e.message().toStdString();
    }
    EXPECT_EQ(dir.read("Tesmarin.ini"), kHandWritten);
}

TEST(SettingsStore, BrokenFilesGiveDefaults)
{
    fixtures::TempDir dir;
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(20240501);
    for (char& c : garbage)
        c = char(random.bounded(256));
    // Garbage still with one readable section at the end.
    ASSERT_TRUE(dir.write("garbage.ini", garbage + "\r\n[S]\r\nk=7\r\n"));
    SettingsStore g(dir.path("garbage.ini"));
    EXPECT_EQ(g.ReadInteger("S", "k", 0), 7);
    EXPECT_EQ(g.ReadInteger("SETTINGDATA", "ActiveSupplier", 0), 0);
    g.UpdateFile(); // and it can be saved again
    EXPECT_EQ(SettingsStore(dir.path("garbage.ini")).ReadInteger("S", "k", 0), 7);

    // Truncated in the middle of a character, with and without a BOM.
    ASSERT_TRUE(dir.write("cut-bom.ini", kBom + "[S]\r\nn=1\r\nk=caf\xC3"));
    SettingsStore cutBom(dir.path("cut-bom.ini"));
    EXPECT_EQ(cutBom.ReadInteger("S", "n", 0), 1);
    EXPECT_TRUE(cutBom.ReadString("S", "k", "").startsWith("caf"));
    ASSERT_TRUE(dir.write("cut.ini", "[S]\r\nn=1\r\nk=caf\xC3"));
    SettingsStore cut(dir.path("cut.ini"));
    EXPECT_EQ(cut.ReadInteger("S", "n", 0), 1);
    EXPECT_TRUE(cut.ReadString("S", "k", "").startsWith("caf"));

    // A folder where the file should be reads as a missing file.
    ASSERT_TRUE(QDir(dir.path("")).mkdir("dir.ini"));
    EXPECT_EQ(SettingsStore(dir.path("dir.ini")).toText(), QString());
}

TEST(SettingsStore, SingleLineOfTenMegabytes)
{
    fixtures::TempDir dir;
    const QByteArray big(10 * 1024 * 1024, 'x');
    ASSERT_TRUE(dir.write("value.ini", "[S]\r\nk=" + big + "\r\nafter=1\r\n"));
    SettingsStore value(dir.path("value.ini"));
    EXPECT_EQ(value.ReadString("S", "k", "").size(), big.size());
    EXPECT_EQ(value.ReadInteger("S", "k", -3), -3);
    EXPECT_EQ(value.ReadInteger("S", "after", 0), 1);

    ASSERT_TRUE(dir.write("noline.ini", big)); // no section, no line break
    EXPECT_EQ(SettingsStore(dir.path("noline.ini")).toText(), QString());
}

TEST(SettingsStore, FileWithoutBomInAnOtherEncoding)
{
    fixtures::TempDir dir;
    // Saved by hand in the 8-bit code page: read as such rather than turned into U+FFFD, which
    // the next save would write back for good.
    ASSERT_TRUE(dir.write("ansi.ini", "[SETTINGDATA]\r\nFolderForFiles=C:\\Preise f\xFCr Teile\\\r\n"));
    EXPECT_EQ(SettingsStore(dir.path("ansi.ini")).ReadString("SETTINGDATA", "FolderForFiles", ""),
              QString::fromUtf8("C:\\Preise f\xC3\xBCr Teile\\"));
    // Saved as UTF-16 with its byte-order mark.
    const QString text = QStringLiteral("[S]\r\nk=\u00FCber\r\n");
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    ASSERT_TRUE(dir.write("utf16.ini", QByteArray("\xFF\xFE") + QByteArray(utf16.encode(text))));
    EXPECT_EQ(SettingsStore(dir.path("utf16.ini")).ReadString("S", "k", ""), QStringLiteral("\u00FCber"));
}

} // namespace
