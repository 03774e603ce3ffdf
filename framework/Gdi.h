// GDI objects and device contexts that release what they own, exactly once.
#pragma once

#include <windows.h>

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool DeleteObject();
};

class CFont : public CGdiObject {
public:
    HFONT GetSafeHandle() const { return static_cast<HFONT>(m_hObject); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    bool CreateFontIndirect(const LOGFONTA* logFont);
    // lfHeight in tenths of a point; with no device context the screen's resolution converts
    // it, and a resolution given (not 0) stands for the context's (a window's own scale).
    bool CreatePointFontIndirect(const LOGFONTA* logFont, HDC hdc = nullptr, int dotsPerInch = 0);

    // The pixel height CreatePointFontIndirect asks for: -(dpi x tenths / 720), truncated
    // toward zero, computed without overflow and kept within the range of a LONG.
    static LONG PointTenthsToHeight(LONG tenths, int dotsPerInch);
};

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int DrawText(LPCSTR text, int count, RECT* rect, UINT format) { return ::DrawTextA(m_hDC, text, count, rect, format); }
    void FillSolidRect(const RECT& rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    // One-pixel edges: top and left in topLeft, right and bottom in bottomRight.
    void Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
    void DrawIcon(int x, int y, HICON icon) { ::DrawIcon(m_hDC, x, y, icon); }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// The device context of a window's client area, from GetDC to ReleaseDC.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
