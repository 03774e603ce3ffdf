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

// The largest character height, in pixels, that the preview asks of the font mapper. A
// typed size is used unchanged, but the edit box measures every glyph of its text at the
// new height on the one thread: with the 224 glyphs of the character set sample that
// takes about half a second at 1024 pixels, 1.3 s at 2000 and 5 s at 4000 (Wine), and
// the window does not answer meanwhile. 1024 pixels is taller than the sample box on
// any common display, so a larger glyph could not be seen whole anyway.
const LONG kMaxPreviewHeight = 1024;

// The size in tenths of a point (either sign) cut to the largest one that the point
// font conversion at this resolution turns into at most kMaxPreviewHeight pixels.
LONG CapPreviewTenths(LONG tenths, int dotsPerInch);

// The size presets of the Size menu, commands 32778 to 32787.
const int kSizePresetCount = 10;
extern const int SizePresets[kSizePresetCount];

// The preset's position for a size, or kSizePresetCount ("Other...") when none is equal.
int SizePresetIndex(int pointSize);

// The number at the start of the size field's text: leading white space, an
// optional sign, decimal digits up to the first other character; no digits gives 0.
// Saturates at the limits of a 32-bit integer.
int ParseSizeText(const char* text);
