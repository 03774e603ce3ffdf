// Reading the main window's state from the test thread, for assertions.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

inline std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

inline int EntryIndex(HWND list, const char* text)
{
    return static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

inline std::string SelectedFace(HWND list)
{
    int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (index < 0) return "<none>";
    char text[256] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

inline HFONT SampleBoxFont(const ViewerHarness& h)
{
    return reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0));
}

// The font the sample box says it draws with; false when the handle is no live font.
inline bool SampleFont(const ViewerHarness& h, LOGFONTA* font)
{
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0));
    return handle && GetObjectA(handle, sizeof *font, font) == static_cast<int>(sizeof *font);
}

// The box may hold no font at all, but never a handle that is no longer a font.
inline bool SampleFontIsLiveOrNone(const ViewerHarness& h)
{
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(h.Item(IDC_SAMPLE_BOX), WM_GETFONT, 0, 0));
    if (!handle) return true;
    LOGFONTA font;
    return GetObjectType(handle) == OBJ_FONT && GetObjectA(handle, sizeof font, &font) == static_cast<int>(sizeof font);
}

inline int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

inline LONG ExpectedHeight(int size)
{
    long long magnitude = size < 0 ? -static_cast<long long>(size) : size;
    return -static_cast<LONG>(ScreenDpi() * magnitude * 10 / 720);
}

// A user's change of the list's selection: the selection, then the list's notification.
inline void PickFace(const ViewerHarness& h, int index)
{
    SendMessageA(h.Item(IDC_FONT_LIST), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(h.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h.Item(IDC_FONT_LIST)));
}

inline ViewerSettingsRecord CurrentSettings(ViewerHarness& h)
{
    ViewerSettingsRecord settings;
    h.Run([&] { settings = ViewerApp().ViewerSettings; });
    return settings;
}

inline ViewerSettingsRecord SettingsWith(const char* name, int size)
{
    ViewerSettingsRecord settings;
    lstrcpynA(settings.Name, name, sizeof settings.Name);
    settings.Size = size;
    return settings;
}
