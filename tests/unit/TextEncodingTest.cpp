// UTF-8 text turned into the 8-bit text the sample box holds.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "sample/TextEncoding.h"

namespace {

std::string Converted(std::string text)
{
    ConvertUtf8ToAnsi(text);
    return text;
}

TEST(Utf8ToAnsi, KeepsLinesAndGivesTheCodePagesCharacters)
{
    if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252, this is " << GetACP();
    EXPECT_EQ("", Converted(""));
    EXPECT_EQ("plain\r\ntext\r\n", Converted("plain\r\ntext\r\n"));
    EXPECT_EQ("caf\xE9 \x80\r\n", Converted("caf\xC3\xA9 \xE2\x82\xAC\r\n"));  // e acute, euro sign
    // What the code page lacks, and bytes that are not UTF-8, become its default character.
    EXPECT_EQ("a?b\r\n", Converted("a\xE4\xB8\xAD" "b\r\n"));
    EXPECT_EQ("x?y", Converted("x\xFF" "y"));
}

}  // namespace
