// The code page between the editor's texts and the plug-ins' bytes: the
// 32 bytes where Windows-1252 parts from Latin-1 are where a table goes wrong.
#include <gtest/gtest.h>

#include "TextEncoding.h"

using namespace Qt::StringLiterals;

namespace {

TEST(Windows1252, HighBlockAndLatinLettersBothWays)
{
    struct Row {
        QByteArray bytes;
        QString text;
    };
    const Row rows[] = {
        {"\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E", u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ"_s},
        {"\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F", u"‘’“”•–—˜™š›œžŸ"_s},
        {"\xA0\xE0\xE9\xFF", u"\u00A0àéÿ"_s},
        {"Sprite_1", u"Sprite_1"_s},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FromWindows1252(row.bytes), row.text);
        EXPECT_EQ(ToWindows1252(row.text), row.bytes);
    }
}

TEST(Windows1252, WhatTheCodePageLacks)
{
    EXPECT_EQ(FromWindows1252("\x81\x8D\x8F\x90\x9D"), QString(5, QChar(0xFFFD)));
    // A C1 control, a letter from elsewhere, and one beyond 16 bits: one '?' each.
    EXPECT_EQ(ToWindows1252(u"a\u0081b\u0416c\U0001F600d"_s), "a?b?c?d");
}

TEST(Windows1252, TextBoxesBreakOnLineFeedsOnly)
{
    EXPECT_EQ(TextBoxText("un\r\ndeux\r\n\r\nmask\xE9s\r\n"), u"un\ndeux\n\nmaskés\n"_s);
}

} // namespace
