#include "platform/TextFile.h"
#include "tests/fixtures/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(TextFile, WritesBomAndCrLfAfterEveryLine)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(SaveTextFile(dir.path("a.txt"), {QStringLiteral("x"), QString::fromUtf16(u"é")},
                             TextFileEncoding::Utf8Bom));
    EXPECT_EQ(dir.read("a.txt"), QByteArray("\xEF\xBB\xBFx\r\n\xC3\xA9\r\n"));
    ASSERT_TRUE(SaveTextFile(dir.path("b.txt"), {QString::fromUtf16(u"é€Ж")}, TextFileEncoding::Ansi));
    EXPECT_EQ(dir.read("b.txt"), QByteArray("\xE9\x80?\r\n"));
}

TEST(TextFile, FailedSaveKeepsTheEarlierFile)
{
    fixtures::TempDir dir;
    ASSERT_TRUE(dir.write("keep.txt", "old"));
    QString error;
    {
        // A disk that fills up midway: the write fails after a few bytes (works for root too).
        fixtures::FileSizeLimit full(8);
        EXPECT_FALSE(SaveTextFile(dir.path("keep.txt"), {QString(1000, QLatin1Char('n'))},
                                  TextFileEncoding::Utf8Bom, &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(dir.read("keep.txt"), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path("")).entryList(QDir::Files), QStringList({"keep.txt"})); // no stray temp file
}

TEST(TextFile, SaveIntoMissingFolderFails)
{
    fixtures::TempDir dir;
    QString error;
    EXPECT_FALSE(
        SaveTextFile(dir.path("no/such/a.txt"), {QStringLiteral("x")}, TextFileEncoding::Ansi, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TextFile, SplitLinesAtCrLfOrEither)
{
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\rc\nd")), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\n")), QStringList({"a"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\n\nb")), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitLines(QString()), QStringList());
}
