// The preview font's description, its pixel height and the size field's number, without a window.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "framework/Framework.h"
#include "viewer/FontDescription.h"

namespace {

struct AttributeCase {
    const char* name;
    bool bold, italic, underline, strikeOut;
};

class DescriptionAttributes : public testing::TestWithParam<AttributeCase> {};

TEST_P(DescriptionAttributes, FillsEveryFieldOfTheDescription)
{
    const AttributeCase& c = GetParam();
    LOGFONTA font = DescribePreviewFont({"Some Face", 14, c.bold, c.italic, c.underline, c.strikeOut});
    EXPECT_EQ(140, font.lfHeight) << "tenths of a point";
    EXPECT_EQ(0, font.lfWidth);
    EXPECT_EQ(0, font.lfEscapement);
    EXPECT_EQ(0, font.lfOrientation);
    EXPECT_EQ(c.bold ? 700 : 400, font.lfWeight);
    EXPECT_EQ(c.italic ? 1 : 0, font.lfItalic);
    EXPECT_EQ(c.underline ? 1 : 0, font.lfUnderline);
    EXPECT_EQ(c.strikeOut ? 1 : 0, font.lfStrikeOut);
    EXPECT_EQ(1, font.lfCharSet);
    EXPECT_EQ(4, font.lfOutPrecision);
    EXPECT_EQ(0, font.lfClipPrecision);
    EXPECT_EQ(2, font.lfQuality);
    EXPECT_EQ(4, font.lfPitchAndFamily);
    EXPECT_STREQ("Some Face", font.lfFaceName);
    // Everything past the name's terminator stays cleared.
    for (size_t i = strlen("Some Face"); i < sizeof font.lfFaceName; ++i) EXPECT_EQ(0, font.lfFaceName[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(, DescriptionAttributes,
                         testing::Values(AttributeCase{"None", false, false, false, false},
                                         AttributeCase{"Bold", true, false, false, false},
                                         AttributeCase{"Italic", false, true, false, false},
                                         AttributeCase{"Underline", false, false, true, false},
                                         AttributeCase{"StrikeOut", false, false, false, true},
                                         AttributeCase{"All", true, true, true, true}),
                         [](const testing::TestParamInfo<AttributeCase>& info) { return info.param.name; });

TEST(Description, SizeBecomesTenthsOfAPointAndSaturatesInsteadOfWrapping)
{
    const struct { int size; LONG tenths; } cases[] = {
        {0, 0}, {12, 120}, {-14, -140}, {214748364, 2147483640}, {214748365, LONG_MAX}, {INT_MAX, LONG_MAX},
        {INT_MIN, LONG_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(c.tenths, DescribePreviewFont({"F", c.size, false, false, false, false}).lfHeight);
    }
}

TEST(Description, FaceNameIsCutToThirtyOneCharacters)
{
    std::string longName(40, 'x');
    LOGFONTA font = DescribePreviewFont({longName.c_str(), 12, false, false, false, false});
    EXPECT_EQ(std::string(31, 'x'), std::string(font.lfFaceName));
    EXPECT_EQ(0, font.lfFaceName[31]);
}

// The heights of the ten presets as the font mapper is asked for them.
struct HeightTable {
    int dotsPerInch;
    int pixels[kSizePresetCount];
};

TEST(PixelHeight, PresetsAtNinetySixAndOneHundredTwentyDotsPerInch)
{
    const HeightTable tables[] = {
        {96, {10, 13, 16, 18, 26, 32, 48, 64, 80, 96}},
        {120, {13, 16, 20, 23, 33, 40, 60, 80, 100, 120}},
    };
    for (const HeightTable& t : tables) {
        for (int i = 0; i < kSizePresetCount; ++i) {
            SCOPED_TRACE(testing::Message() << t.dotsPerInch << " dpi, " << SizePresets[i] << " points");
            EXPECT_EQ(-t.pixels[i], CFont::PointTenthsToHeight(SizePresets[i] * 10, t.dotsPerInch));
        }
    }
}

TEST(PixelHeight, NegativeSizesGiveTheHeightOfTheirMagnitudeAndZeroStaysZero)
{
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        EXPECT_EQ(CFont::PointTenthsToHeight(140, dpi), CFont::PointTenthsToHeight(-140, dpi));
        EXPECT_EQ(CFont::PointTenthsToHeight(1, dpi), CFont::PointTenthsToHeight(-1, dpi));
        EXPECT_EQ(0, CFont::PointTenthsToHeight(0, dpi));
    }
    EXPECT_EQ(-10, CFont::PointTenthsToHeight(-75, 96)) << "truncated toward zero, not rounded";
}

TEST(PixelHeight, ProductsBeyondThirtyTwoBitsDoNotWrapAndThePreviewCapsThem)
{
    // 96 x 30000000 overflows 32 bits; a plain product would wrap to a negative number.
    // The framework converts faithfully; the preview's cap keeps the height at 1024 pixels.
    const struct { LONG tenths; int dpi; LONG converted; LONG capped; } cases[] = {
        {7680, 96, -1024, -1024},                // exactly at the cap
        {7000, 96, -933, -933},                  // large but below it: unchanged
        {7690, 96, -1025, -kMaxPreviewHeight},   // just above it
        {6149, 120, -1024, -1024},               // the largest size at 120 dpi that stays at the cap
        {6150, 120, -1025, -kMaxPreviewHeight},
        {30000000, 96, -4000000, -kMaxPreviewHeight},
        {LONG_MAX, 96, -286331152, -kMaxPreviewHeight},
        {LONG_MAX, 120, -357913941, -kMaxPreviewHeight},
        {LONG_MIN, 96, -286331153, -kMaxPreviewHeight},
        {-30000000, 120, -5000000, -kMaxPreviewHeight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tenths << " tenths at " << c.dpi << " dpi");
        EXPECT_EQ(c.converted, CFont::PointTenthsToHeight(c.tenths, c.dpi));
        EXPECT_EQ(c.capped, CFont::PointTenthsToHeight(CapPreviewTenths(c.tenths, c.dpi), c.dpi));
    }
}

int ScreenDotsPerInch()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

LOGFONTA CreatedDescription(const CFont& font)
{
    LOGFONTA created = {};
    EXPECT_EQ(static_cast<int>(sizeof created), GetObjectA(font.GetSafeHandle(), sizeof created, &created));
    return created;
}

TEST(CreatePointFont, WithoutADeviceContextConvertsWithTheScreenResolution)
{
    const int dpi = ScreenDotsPerInch();
    for (int size : {8, 12, 72, -12, 0}) {
        SCOPED_TRACE(size);
        LOGFONTA description = DescribePreviewFont({"DejaVu Sans", size, true, false, false, false});
        CFont font;
        ASSERT_TRUE(font.CreatePointFontIndirect(&description));
        LOGFONTA created = CreatedDescription(font);
        EXPECT_EQ(-(dpi * (size < 0 ? -size : size) * 10 / 720), created.lfHeight);
        EXPECT_EQ(700, created.lfWeight);
        EXPECT_STREQ("DejaVu Sans", created.lfFaceName);
    }
}

TEST(CreatePointFont, TheLargestHeightIsOneThePlatformRealisesAtFullSize)
{
    // Beyond what the rasteriser takes, a font silently comes out one pixel high;
    // the clamp must stay below that.
    LOGFONTA description = DescribePreviewFont({"DejaVu Sans", INT_MAX, false, false, false, false});
    description.lfHeight = CapPreviewTenths(description.lfHeight, ScreenDotsPerInch());
    CFont font;
    ASSERT_TRUE(font.CreatePointFontIndirect(&description));
    EXPECT_EQ(-kMaxPreviewHeight, CreatedDescription(font).lfHeight);

    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.GetSafeHandle());
    TEXTMETRICA metrics = {};
    ASSERT_TRUE(GetTextMetricsA(screen, &metrics));
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    EXPECT_GE(metrics.tmHeight - metrics.tmInternalLeading, kMaxPreviewHeight - 1);
}

TEST(SizePresetIndexTest, EveryPresetFindsItsPlaceAndOtherSizesAreOther)
{
    for (int i = 0; i < kSizePresetCount; ++i) EXPECT_EQ(i, SizePresetIndex(SizePresets[i])) << SizePresets[i];
    const int others[] = {0, 13, -12, 9, 11, 73, 120, INT_MAX, INT_MIN};
    for (int size : others) EXPECT_EQ(kSizePresetCount, SizePresetIndex(size)) << size;
    EXPECT_EQ(10, kSizePresetCount);
    const int expected[kSizePresetCount] = {8, 10, 12, 14, 20, 24, 36, 48, 60, 72};
    for (int i = 0; i < kSizePresetCount; ++i) EXPECT_EQ(expected[i], SizePresets[i]) << i;
}

TEST(ParseSize, ReadsLikeASignedDecimalConversion)
{
    const struct { const char* text; int value; } cases[] = {
        {"14", 14},
        {"   14", 14},
        {"\t\r\n 14", 14},
        {"14abc", 14},
        {"14 16", 14},
        {"", 0},
        {"abc", 0},
        {"   ", 0},
        {"-", 0},
        {"+14", 14},
        {"-14", -14},
        {"007", 7},
        {"- 14", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(c.value, ParseSizeText(c.text));
    }
}

TEST(ParseSize, OverflowSaturatesAtTheThirtyTwoBitLimits)
{
    const std::string nines(254, '9');  // the longest text the field hands over
    const struct { const char* text; int value; } cases[] = {
        {"2147483648", INT_MAX},
        {"99999999999", INT_MAX},
        {"999999999999999999999999999999", INT_MAX},
        {nines.c_str(), INT_MAX},
        {"-2147483649", INT_MIN},
        {"-99999999999", INT_MIN},
        {"99999999999abc", INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text).substr(0, 40));
        EXPECT_EQ(c.value, ParseSizeText(c.text));
    }
}

}  // namespace
