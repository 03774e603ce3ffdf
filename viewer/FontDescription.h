// The preview font's logical description and the size rules, as pure functions.
#pragma once

#include <windows.h>

// The six inputs of the preview font.
struct PreviewFontInputs {
    const char* faceName;
    int pointSize;
    bool bold, italic, underline, strikeOut;
};

// The logical font description of the preview font; lfHeight in tenths of a point.
LOGFONTA DescribePreviewFont(const PreviewFontInputs& inputs);

// The size presets of the Size menu, commands 32778 to 32787.
const int kSizePresetCount = 10;
extern const int SizePresets[kSizePresetCount];

// The preset's position for a size, or kSizePresetCount ("Other...") when none is equal.
int SizePresetIndex(int pointSize);

// The number at the start of the size field's text: leading white space, an
// optional sign, decimal digits up to the first other character; no digits gives 0.
// Saturates at the limits of a 32-bit integer.
int ParseSizeText(const char* text);
