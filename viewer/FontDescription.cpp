#include "viewer/FontDescription.h"

#include <climits>
#include <cstring>

const int SizePresets[kSizePresetCount] = {8, 10, 12, 14, 20, 24, 36, 48, 60, 72};

LOGFONTA DescribePreviewFont(const PreviewFontInputs& inputs)
{
    LOGFONTA font;
    memset(&font, 0, sizeof font);
    // Tenths of a point; the product saturates rather than wrapping.
    long long tenths = static_cast<long long>(inputs.pointSize) * 10;
    if (tenths > INT_MAX) tenths = INT_MAX;
    if (tenths < INT_MIN) tenths = INT_MIN;
    font.lfHeight = static_cast<LONG>(tenths);
    font.lfWeight = inputs.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = inputs.italic ? 1 : 0;
    font.lfUnderline = inputs.underline ? 1 : 0;
    font.lfStrikeOut = inputs.strikeOut ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = 4;
    if (inputs.faceName) {
        strncpy(font.lfFaceName, inputs.faceName, LF_FACESIZE - 1);
        font.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    return font;
}

LONG CapPreviewTenths(LONG tenths, int dotsPerInch)
{
    if (dotsPerInch <= 0) return tenths;
    // The conversion truncates dpi x tenths / 720, so every product below 720 x (cap + 1) fits.
    long long limit = (720LL * (kMaxPreviewHeight + 1) - 1) / dotsPerInch;
    if (tenths > limit) return static_cast<LONG>(limit);
    if (tenths < -limit) return static_cast<LONG>(-limit);
    return tenths;
}

int SizePresetIndex(int pointSize)
{
    for (int i = 0; i < kSizePresetCount; ++i)
        if (SizePresets[i] == pointSize) return i;
    return kSizePresetCount;
}

int ParseSizeText(const char* text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}
