#include "DialogAnswer.h"

#include "Wait.h"

#include <atomic>
#include <thread>

void PressDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitForWindowGone(HWND hWnd, int timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(hWnd) || !IsWindowVisible(hWnd); }, timeoutMs);
}

void CancelDialogsWhile(DWORD threadId, const std::function<void()>& action)
{
    std::atomic<bool> done{false};
    std::thread answerer([&] {
        while (!done) {
            HWND dialog = FindThreadWindow(threadId, "#32770", nullptr);
            if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            WaitUntil([&] { return done.load() || FindThreadWindow(threadId, "#32770", nullptr) != dialog; }, 200);
        }
    });
    action();
    done = true;
    answerer.join();
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool SelectComboItem(HWND dialog, int comboId, const std::string& text)
{
    HWND combo = GetDlgItem(dialog, comboId);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

ClientPixels ReadClientPixels(HWND hWnd)
{
    ClientPixels result;
    RECT rect;
    GetClientRect(hWnd, &rect);
    result.width = rect.right;
    result.height = rect.bottom;
    HDC dc = GetDC(hWnd);
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x) result.pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(hWnd, dc);
    return result;
}
