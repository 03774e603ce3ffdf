// Joining decoded text, given in pieces, into the sample box's lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "sample/SampleLines.h"
#include "support/Files.h"

namespace {

struct PiecesCase {
    const char* name;
    std::vector<std::string> pieces;
    std::string text;
};

const PiecesCase kCases[] = {
    {"Nothing", {}, ""},
    {"OneLine", {"abc\n"}, "abc\r\n"},
    {"LastLineWithoutBreak", {"abc\n", "de"}, "abc\r\nde\r\n"},
    {"EmptyLine", {"\n"}, "\r\n"},
    {"LongLineInPieces", {"aaa", "bbb", "c\n"}, "aaabbbc\r\n"},
    {"PieceEndsExactlyAtLineEnd", {"aaa", "bbb", "\n", "next\n"}, "aaabbb\r\nnext\r\n"},
    {"TrailingCrsAndLfsGo", {"ab\r\r\n"}, "ab\r\n"},
    {"CrOnlyLineEnds", {"one\rtwo\rthree\r"}, "one\r\ntwo\r\nthree\r\n"},
    {"CrOnlyEmptyLines", {"a\r\r\rb"}, "a\r\n\r\n\r\nb\r\n"},
    {"MixedLineEnds", {"a\n", "b\rc\n", "d"}, "a\r\nb\r\nc\r\nd\r\n"},
    {"CrAtAPieceEndBeforeMoreOfTheLine", {"ab\r", "cd\n"}, "ab\r\ncd\r\n"},
    {"CrAtAPieceEndBeforeTheLf", {"ab\r", "\n", "c\n"}, "ab\r\nc\r\n"},
    {"NulThenCrStartsALineThatShows", {std::string("ab\0x\rcd\n", 8)}, "ab\r\ncd\r\n"},
    {"CharactersBeyondTheCodePage", {"\xCE\xB1\xCF\x89\r\n", "\xE6\x97\xA5\xF0\x9F\x98\x80"},
     "\xCE\xB1\xCF\x89\r\n\xE6\x97\xA5\xF0\x9F\x98\x80\r\n"},
    {"NulEndsTheLineAcrossPieces", {std::string("ab\0c", 4), "dd", "e\n", "f\n"}, "ab\r\nf\r\n"},
    {"NulAtTheStartLeavesAnEmptyLine", {std::string("\0x\n", 3)}, "\r\n"},
    {"LoneNulPieceAtTheEnd", {std::string("\0", 1)}, "\r\n"},
    {"CtrlZIsText", {"a\x1a\n"}, "a\x1a\r\n"},
};

class Pieces : public ::testing::TestWithParam<PiecesCase> {};

// The cases are written in UTF-8; the builder joins decoded text.
std::wstring Wide(const std::string& utf8)
{
    return DecodedText(utf8, CP_UTF8);
}

TEST_P(Pieces, BecomeWholeLinesEndingWithCrLf)
{
    SampleTextBuilder builder;
    for (const std::string& piece : GetParam().pieces) {
        const std::wstring wide = Wide(piece);
        builder.AddPiece(wide.data(), wide.size());
    }
    builder.Finish();
    EXPECT_TRUE(Wide(GetParam().text) == builder.Text());
}

INSTANTIATE_TEST_SUITE_P(Cases, Pieces, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PiecesCase>& info) { return std::string(info.param.name); });

}  // namespace
