#include "platform/AnsiText.h"
#include "platform/Blanks.h"

#include <gtest/gtest.h>

TEST(AnsiText, EncodesWindows1252AndReplacesTheRest)
{
    EXPECT_EQ(EncodeAnsi(QString::fromUtf16(u"a€ü")), QByteArray("a\x80\xFC"));
    EXPECT_EQ(EncodeAnsi(QString::fromUtf16(u"Код")), QByteArray("???"));
    EXPECT_EQ(EncodeAnsi(QString::fromUtf16(u"x\U0001F600y")), QByteArray("x?y")); // one "?" per character
    EXPECT_EQ(DecodeAnsi(QByteArray("\x80\x9F\xE9")), QString::fromUtf16(u"€Ÿé"));
}

TEST(AnsiText, StrictUtf8)
{
    const std::pair<QByteArray, bool> cases[] = {
        {"plain", true},
        {"\xC3\xA9", true},
        {"\xC3", false},             // truncated
        {"\xC0\xAF", false},         // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // beyond U+10FFFF
        {"\xF0\x9F\x98\x80", true},
        {"\xFF", false},
    };
    for (const auto& [bytes, valid] : cases) {
        QString out;
        EXPECT_EQ(DecodeUtf8Strict(bytes, out), valid) << bytes.toHex().toStdString();
        if (!valid) {
            EXPECT_TRUE(out.isEmpty());
        }
    }
}

TEST(AnsiText, FileBytesDecodeByMarkThenUtf8ThenAnsi)
{
    EXPECT_EQ(DecodeTextFileBytes("\xEF\xBB\xBF\xC3\xA9"), QString::fromUtf16(u"é"));
    EXPECT_EQ(DecodeTextFileBytes("\xC3\xA9"), QString::fromUtf16(u"é"));
    EXPECT_EQ(DecodeTextFileBytes("\xE9t\xE9"), QString::fromUtf16(u"été"));
    EXPECT_EQ(DecodeTextFileBytes(QByteArray("\xFF\xFE"
                                             "a\0",
                                             4)),
              QStringLiteral("a"));
}

TEST(Blanks, TrimsOnlyControlAndSpace)
{
    EXPECT_EQ(TrimBlanks(QString::fromUtf16(u"\t a \r\n")), QStringLiteral("a"));
    EXPECT_EQ(TrimBlanks(QString::fromUtf16(u"\u00A0a\u00A0")), QString::fromUtf16(u"\u00A0a\u00A0"));
    EXPECT_EQ(TrimBlanks(QString(QChar(0)) + "a"), QStringLiteral("a"));
    EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), QString());
}
