// The user's viewing choices, kept for the whole run by the application object.
#pragma once

struct ViewerSettingsRecord {
    int Wordwrap = 0;
    int Scrollbar = 0;
    int Bold = 0;
    int Italic = 0;
    int Underline = 0;
    int StrikeOut = 0;
    char Name[128] = "Arial";
    int Size = 12;
    // 1: the font list greys the faces that lack characters of the sample text.
    int MarkMissing = 1;
};
