// The platform's own share of the resource cycles: the main window's dialog
// template under a bare dialog procedure, its sample box, size field and font
// list driven with the same calls the program's operations end in, and none of
// the program's code. What this loop grows, the platform grows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class FloorWindow {
public:
    // On the calling thread, over `like` and of its size, with its sample text,
    // preview font, wrapping and face list.
    explicit FloorWindow(HWND like);
    ~FloorWindow();
    FloorWindow(const FloorWindow&) = delete;
    FloorWindow& operator=(const FloorWindow&) = delete;

    bool Created() const { return m_hWnd != nullptr; }

    // A new font of the current size handed to the box, the previous one released.
    void Rebuild();
    // The size field set to a preset; the font rebuilt for it, as often as the program does.
    void Preset(int index);
    // The box made anew with ES_AUTOHSCROLL toggled, keeping text, font, margins and selection.
    void Wrap();
    // One enumeration of the display's fonts, the list refilled and the face selected, a new font.
    void Refresh();
    // The whole window invalidated, erased and repainted, children included.
    void Repaint();

private:
    HWND Box() const;
    // The box made anew in this style, with the old one's text, font, margins, limit and selection.
    void Recreate(DWORD style);

    HWND m_hWnd = nullptr;
    HFONT m_font = nullptr;
    LOGFONTA m_description = {};
    int m_size = 12;
    std::vector<std::string> m_faces;
    std::string m_face;
};
