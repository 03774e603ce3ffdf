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
    {"CrInsideALongLineStays", {"ab\r", "cd\n"}, "ab\rcd\r\n"},
    {"TrailingCrsAndLfsGo", {"ab\r\r\n"}, "ab\r\n"},
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
}

INSTANTIATE_TEST_SUITE_P(Cases, Pieces, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PiecesCase>& info) { return std::string(info.param.name); });

}  // namespace
