#include "Framework.h"

#include <climits>

bool CGdiObject::DeleteObject()
{
    if (!m_hObject) return false;
    bool deleted = ::DeleteObject(m_hObject) != FALSE;
    m_hObject = nullptr;
    return deleted;
}

bool CFont::CreateFontIndirect(const LOGFONTA* logFont)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(logFont);
    return m_hObject != nullptr;
}

LONG CFont::PointTenthsToHeight(LONG tenths, int dotsPerInch)
{
    long long height = static_cast<long long>(dotsPerInch) * tenths / 720;  // truncates toward zero
    if (height < 0) height = -height;
    if (height > LONG_MAX) height = LONG_MAX;
    return -static_cast<LONG>(height);
}

bool CFont::CreatePointFontIndirect(const LOGFONTA* logFont, HDC hdc, int dotsPerInch)
{
    LOGFONTA font = *logFont;
    HDC screen = hdc ? hdc : ::GetDC(nullptr);
    if (dotsPerInch <= 0) dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    POINT point = {0, PointTenthsToHeight(font.lfHeight, dotsPerInch)};
    POINT origin = {0, 0};
    ::DPtoLP(screen, &point, 1);
    ::DPtoLP(screen, &origin, 1);
    LONG height = point.y - origin.y;
    font.lfHeight = height < 0 ? height : -height;
    if (!hdc) ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&font);
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color)
{
    RECT rect = {x, y, x + width, y + height};
    FillSolidRect(rect, color);
}

void CDC::Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, width - 1, 1, topLeft);
    FillSolidRect(x, y, 1, height - 1, topLeft);
    FillSolidRect(x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(x, y + height - 1, width, 1, bottomRight);
}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd)
{
    m_hDC = ::BeginPaint(hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd)
{
    m_hDC = ::GetDC(hWnd);
}

CClientDC::~CClientDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
}
