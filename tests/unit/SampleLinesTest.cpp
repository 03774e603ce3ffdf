// Joining a reader's pieces into the sample box's lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sample/SampleLines.h"

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
    {"Utf8MarkIsNotText", {"\xEF\xBB\xBFhi\n"}, "hi\r\n"},
    {"Utf8MarkAloneLeavesNothing", {"\xEF\xBB\xBF"}, ""},
    {"Utf8MarkLaterIsText", {"a\n", "\xEF\xBB\xBF\n"}, "a\r\n\xEF\xBB\xBF\r\n"},
    {"NulEndsTheLineAcrossPieces", {std::string("ab\0c", 4), "dd", "e\n", "f\n"}, "ab\r\nf\r\n"},
    {"NulAtTheStartLeavesAnEmptyLine", {std::string("\0x\n", 3)}, "\r\n"},
    {"LoneNulPieceAtTheEnd", {std::string("\0", 1)}, "\r\n"},
    {"CtrlZIsText", {"a\x1a\n"}, "a\x1a\r\n"},
};

class Pieces : public ::testing::TestWithParam<PiecesCase> {};

TEST_P(Pieces, BecomeWholeLinesEndingWithCrLf)
{
    SampleTextBuilder builder;
    for (const std::string& piece : GetParam().pieces) builder.AddPiece(piece.data(), piece.size());
    builder.Finish();
    EXPECT_EQ(GetParam().text, builder.Text());
    EXPECT_EQ(GetParam().pieces.size() > 0 && GetParam().pieces[0].compare(0, 3, "\xEF\xBB\xBF") == 0,
              builder.MarkedUtf8());
}

INSTANTIATE_TEST_SUITE_P(Cases, Pieces, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PiecesCase>& info) { return std::string(info.param.name); });

}  // namespace
