// File bytes decoded into the sample box's UTF-16 text, and the text encoded for saving.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "sample/TextEncoding.h"
#include "support/Files.h"

namespace {

std::wstring CodePageText(const std::string& bytes)
{
    return DecodedText(bytes, CP_ACP);
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::wstring text;  // for the code page: its conversion of the bytes, as the box always showed them
};

const DecodeCase kDecodeCases[] = {
    {"Empty", "", TextEncoding::CodePage, L""},
    {"Ascii", "plain\r\n", TextEncoding::CodePage, L""},
    {"CodePageBytes", "caf\xE9 \xFF\x80", TextEncoding::CodePage, L""},
    {"Utf8MarkIsNotText", "\xEF\xBB\xBFhi\n", TextEncoding::Utf8Marked, L"hi\n"},
    {"Utf8MarkAlone", "\xEF\xBB\xBF", TextEncoding::Utf8Marked, L""},
    {"Utf8WithoutMark", "\xCE\xB1\xD0\x96\xE6\x97\xA5\xF0\x9F\x98\x80", TextEncoding::Utf8,
     L"\x03B1\x0416\x65E5\xD83D\xDE00"},
    {"Utf8MarkLaterIsText", "a\n\xEF\xBB\xBF\n", TextEncoding::Utf8, L"a\n\xFEFF\n"},
    {"InvalidUtf8IsCodePage", "\xC3\xA9\xFF", TextEncoding::CodePage, L""},
    {"OverlongIsCodePage", "a\xC0\xAF", TextEncoding::CodePage, L""},
    {"SurrogateIsCodePage", "\xED\xA0\x80", TextEncoding::CodePage, L""},
    {"CutSequenceIsCodePage", "\xCE\xB1\xE2\x82", TextEncoding::CodePage, L""},
    {"Utf16LittleEndian", std::string("\xFF\xFEh\0\xB1\x03=\xD8\0\xDE", 10), TextEncoding::Utf16Le,
     L"h\x03B1\xD83D\xDE00"},
    {"Utf16BigEndian", std::string("\xFE\xFF\0h\x03\xB1\0\r\0\n", 10), TextEncoding::Utf16Be, L"h\x03B1\r\n"},
    {"Utf16NulIsText", std::string("\xFF\xFE" "a\0\0\0b\0", 8), TextEncoding::Utf16Le, std::wstring(L"a\0b", 3)},
};

class Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, DecidesTheEncodingOnceAndGivesTheText)
{
    const DecodeCase& c = GetParam();
    std::wstring text = L"old";
    EXPECT_EQ(static_cast<int>(c.encoding), static_cast<int>(DecodeText(c.bytes, text)));
    const std::wstring expected = c.encoding == TextEncoding::CodePage ? CodePageText(c.bytes) : c.text;
    EXPECT_TRUE(expected == text);
}

INSTANTIATE_TEST_SUITE_P(Cases, Decode, ::testing::ValuesIn(kDecodeCases),
                         [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

// Saving keeps every character: in the encoding the file came in when it can, else UTF-8 with its mark.
TEST(EncodeForSaving, KeepsTheEncodingThatHoldsEveryCharacter)
{
    std::string everyByte;
    for (int code = 1; code <= 255; ++code) everyByte += static_cast<char>(code);
    const std::wstring greek = L"\x03B1\x03B2 \x65E5\xD83D\xDE00";
    const std::string greekUtf8 = "\xCE\xB1\xCE\xB2 \xE6\x97\xA5\xF0\x9F\x98\x80";
    const struct {
        const char* name;
        std::wstring text;
        TextEncoding preferred;
        TextEncoding used;
        std::string bytes;
    } kCases[] = {
        // Code page text comes back as the very bytes it was read from.
        {"EveryCodePageByte", CodePageText(everyByte), TextEncoding::CodePage, TextEncoding::CodePage, everyByte},
        {"EmptyCodePage", L"", TextEncoding::CodePage, TextEncoding::CodePage, ""},
        {"BeyondTheCodePage", L"a" + greek, TextEncoding::CodePage, TextEncoding::Utf8Marked,
         "\xEF\xBB\xBF" "a" + greekUtf8},
        // A look-alike the code page offers in place of the character is no way to keep it.
        {"NoLookAlike", L"\x0100\x2212", TextEncoding::CodePage, TextEncoding::Utf8Marked,
         "\xEF\xBB\xBF\xC4\x80\xE2\x88\x92"},
        {"Utf8StaysWithoutMark", greek, TextEncoding::Utf8, TextEncoding::Utf8, greekUtf8},
        {"Utf8Marked", greek, TextEncoding::Utf8Marked, TextEncoding::Utf8Marked, "\xEF\xBB\xBF" + greekUtf8},
        {"Utf16LittleEndian", L"h\x03B1", TextEncoding::Utf16Le, TextEncoding::Utf16Le,
         std::string("\xFF\xFEh\0\xB1\x03", 6)},
        {"Utf16BigEndian", L"h\x03B1", TextEncoding::Utf16Be, TextEncoding::Utf16Be,
         std::string("\xFE\xFF\0h\x03\xB1", 6)},
        // Code-page bytes that the next start would take for UTF-8 or for its mark.
        {"LooksLikeUtf8", L"\x00C3\x00A9", TextEncoding::CodePage, TextEncoding::Utf8Marked,
         "\xEF\xBB\xBF\xC3\x83\xC2\xA9"},
        {"LooksLikeAMark", L"\x00EF\x00BB\x00BF" L"a", TextEncoding::CodePage, TextEncoding::Utf8Marked,
         "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF" "a"},
        {"Utf8StartingWithAMark", L"\xFEFF\x03B1", TextEncoding::Utf8, TextEncoding::Utf8Marked,
         "\xEF\xBB\xBF\xEF\xBB\xBF\xCE\xB1"},
        // A lone surrogate has no UTF-8 form; UTF-16 keeps it.
        {"LoneSurrogate", L"a\xD800", TextEncoding::Utf8, TextEncoding::Utf16Le, std::string("\xFF\xFE" "a\0\0\xD8", 6)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::string bytes = "old";
        EXPECT_EQ(static_cast<int>(c.used), static_cast<int>(EncodeKeepingEveryCharacter(c.text, c.preferred, bytes)));
        EXPECT_TRUE(c.bytes == bytes);
        // And what was saved reads back as the same text.
        std::wstring back;
        DecodeText(bytes, back);
        EXPECT_TRUE(c.text == back);
    }
}

}  // namespace
