#include "compare/CompareSupplierList.h"
#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "tests/fixtures/TempDir.h"

#include <gtest/gtest.h>

namespace {

QList<bool> Ticked(int count, std::initializer_list<int> positions)
{
    QList<bool> ticks(count, false);
    for (const int p : positions)
        ticks[p] = true;
    return ticks;
}

QString StoredTicks(const fixtures::TempDir& dir)
{
    return SettingsStore(SettingsFilePath(dir.folder()))
        .ReadString("SETTINGDATA", "CheckListForCompare", "<none>");
}

} // namespace

TEST(CompareTicks, ReadFromTheSettingsFile)
{
    struct Case
    {
        const char* name;
        const char* file; // nullptr: no settings file at all
        QList<bool> expected;
    };
    const Case cases[] = {
        {"no file", nullptr, Ticked(24, {})},
        {"no key", "[SETTINGDATA]\r\nValueFactor=2\r\n", Ticked(24, {})},
        {"brackets delimit the number", "[SETTINGDATA]\r\nCheckListForCompare=[1]\r\n", Ticked(24, {1})},
        {"text around and between", "[SETTINGDATA]\r\nCheckListForCompare=x[0]y [5]z[12]-\r\n",
         Ticked(24, {0, 5, 12})},
        {"past the end ignored", "[SETTINGDATA]\r\nCheckListForCompare=[3][24][200]\r\n", Ticked(24, {3})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixtures::TempDir dir;
        if (c.file) {
            ASSERT_TRUE(dir.write("Tesmarin.ini", c.file));
        }
        EXPECT_EQ(ReadCompareTicks(24, dir.folder()), c.expected);
    }
}

TEST(CompareTicks, StoreWritesOnlyItsKeyIntoTheFileAsItIsNow)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("Tesmarin.ini", "[SETTINGDATA]\r\nCheckListForCompare=[7]\r\nValueFactor=1,5\r\n"
                                          "[SettForEbaySite]\r\nEbay32=3\r\n"));
    const QList<bool> atStart = ReadCompareTicks(20, dir.folder());
    // Another event changes the file while the list is open; its change must survive the close.
    {
        SettingsStore other(SettingsFilePath(dir.folder()));
        other.WriteString("SETTINGDATA", "FolderForFiles", "C:\\work\\");
        other.UpdateFile();
    }
    QList<bool> ticks = atStart;
    ticks[7] = false;
    ticks[0] = ticks[5] = ticks[12] = true;
    StoreCompareTicks(ticks, dir.folder());

    const SettingsStore after(SettingsFilePath(dir.folder()));
    EXPECT_EQ(after.ReadString("SETTINGDATA", "CheckListForCompare", ""), QStringLiteral("[0][5][12]"));
    EXPECT_EQ(after.ReadString("SETTINGDATA", "ValueFactor", ""), QStringLiteral("1,5"));
    EXPECT_EQ(after.ReadString("SETTINGDATA", "FolderForFiles", ""), QStringLiteral("C:\\work\\"));
    EXPECT_EQ(after.ReadString("SettForEbaySite", "Ebay32", ""), QStringLiteral("3"));
    EXPECT_EQ(ReadCompareTicks(20, dir.folder()), ticks);
}

TEST(CompareTicks, NothingTickedStoresAnEmptyValue)
{
    fixtures::TempDir dir;
    StoreCompareTicks(Ticked(5, {2}), dir.folder());
    EXPECT_EQ(StoredTicks(dir), QStringLiteral("[2]"));
    StoreCompareTicks(Ticked(5, {}), dir.folder());
    EXPECT_EQ(StoredTicks(dir), QString());
    EXPECT_EQ(ReadCompareTicks(5, dir.folder()), Ticked(5, {}));
}

TEST(CompareTicks, ToggleAllFollowsTheReferenceItem)
{
    struct Case
    {
        const char* name;
        QList<bool> ticks;
        int selected;
        QList<bool> expected;
    };
    const Case cases[] = {
        {"selected item ticked: all off", Ticked(8, {2, 5}), 2, Ticked(8, {})},
        {"selected item unticked: all on", Ticked(8, {}), 2, Ticked(8, {0, 1, 2, 3, 4, 5, 6, 7})},
        {"no selection: item 0", Ticked(3, {0}), -1, Ticked(3, {})},
        {"no selection, item 0 unticked", Ticked(3, {1, 2}), -1, Ticked(3, {0, 1, 2})},
        {"selection past the end: item 0", Ticked(3, {1}), 9, Ticked(3, {0, 1, 2})},
        {"empty list", {}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToggleAllTicks(c.ticks, c.selected), c.expected);
    }
}
