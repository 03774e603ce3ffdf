// Layout, minimum size and the window's own painting.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"

#include <climits>

void CViewerDlg::LayoutControls(int cx, int cy)
{
    RECT window;
    GetWindowRect(&window);
    int toolbarWidth = (cx != 0 && cy != 0) ? cx : window.right - window.left;
    RECT client;
    GetClientRect(&client);

    LockWindowUpdate(m_hWnd);
    if (ToolBar) {
        RECT bar;
        ToolBar->GetWindowRect(&bar);
        SetWindowPos(ToolBar->m_hWnd, nullptr, 0, 0, toolbarWidth, bar.bottom - bar.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
        // The toolbar re-places itself on every size change; some platforms then count
        // its own border twice and lift it a little each time. It stays on top row 0.
        ToolBar->KeepTopAt(0);
        InvalidateRect(ToolBar->m_hWnd, nullptr, FALSE);
        UpdateWindow(ToolBar->m_hWnd);
    }
    KeepControlsBelowToolBar();

    HWND sampleBox = GetDlgItem(IDC_SAMPLE_BOX);
    RECT box;
    ::GetWindowRect(sampleBox, &box);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&box), 2);
    MoveWindow(sampleBox, box.left, box.top, client.right - box.left - client.left,
               client.bottom - box.top - client.top, TRUE);

    HWND fontList = GetDlgItem(IDC_FONT_LIST);
    RECT list;
    ::GetWindowRect(fontList, &list);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&list), 2);
    MoveWindow(fontList, list.left, list.top, list.right - list.left, client.bottom - list.top - client.top, TRUE);

    LockWindowUpdate(nullptr);
    ValidateRect(m_hWnd, nullptr);
    InvalidateRect(m_hWnd, nullptr, FALSE);
    InvalidateRect(fontList, nullptr, FALSE);
    UpdateWindow(fontList);
    InvalidateRect(sampleBox, nullptr, FALSE);
    UpdateWindow(sampleBox);
    UpdateWindow(m_hWnd);
}

void CViewerDlg::KeepControlsBelowToolBar()
{
    // The toolbar grows with the scale, the template's controls with the dialog's font,
    // which can grow less (8-point MS Sans Serif is 20 pixels high at 200 %, not 26).
    RECT bar = {};
    if (ToolBar) {
        ToolBar->GetWindowRect(&bar);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&bar), 2);
    }
    int top = INT_MAX;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((ToolBar && child == ToolBar->m_hWnd) || !(::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT place;
        ::GetWindowRect(child, &place);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        if (place.top < top) top = place.top;
    }
    if (top == INT_MAX) return;
    const int shift = bar.bottom - (top - ControlsShift);
    ShiftControls(shift < 0 ? 0 : shift);
}

void CViewerDlg::ShiftControls(int shift)
{
    const int move = shift - ControlsShift;
    if (!move) return;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ToolBar && child == ToolBar->m_hWnd) continue;
        RECT place;
        ::GetWindowRect(child, &place);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        ::SetWindowPos(child, nullptr, place.left, place.top + move, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ControlsShift = shift;
}

void CViewerDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (Initialized) LayoutControls(cx, cy);
}

void CViewerDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    // 640 x 480 at 100 %: below it the template's own controls, which scale, would not fit.
    info->ptMinTrackSize.x = Scaled(640);
    info->ptMinTrackSize.y = Scaled(480);
}

void CViewerDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(m_hWnd);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
        int iconWidth = GetSystemMetrics(SM_CXICON);
        int iconHeight = GetSystemMetrics(SM_CYICON);
        RECT client;
        GetClientRect(&client);
        int x = (client.right - client.left - iconWidth + 1) / 2;
        int y = (client.bottom - client.top - iconHeight + 1) / 2;
        dc.DrawIcon(x, y, WindowIcon);
        return;
    }
    CDialog::OnPaint();
    // An etched double line under the menu bar, across the whole client width: a grey
    // line over a white one, each a pixel thick at 100 % and thicker with the scale.
    CClientDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    int line = Scaled(1);
    dc.FillSolidRect(0, 0, client.right, line, RGB(127, 127, 127));
    dc.FillSolidRect(0, line, client.right, line, RGB(255, 255, 255));
}

HCURSOR CViewerDlg::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(WindowIcon);
}
