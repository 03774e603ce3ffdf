#include "Wait.h"

#include <cstdlib>
#include <vector>

DWORD Stretched(int timeoutMs)
{
    static const int factor = [] {
        const char* text = std::getenv("TYPOSCOPE_TIME_FACTOR");
        int value = text ? std::atoi(text) : 1;
        return value > 1 ? value : 1;
    }();
    return static_cast<DWORD>(timeoutMs) * static_cast<DWORD>(factor);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const DWORD deadline = Stretched(timeoutMs);
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= deadline) return condition();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Give the other threads a moment between polls.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

namespace {

struct WindowQuery {
    const char* className;
    const char* caption;
    DWORD processId;
    HWND found;
};

bool Matches(HWND hWnd, const WindowQuery& query)
{
    if (!IsWindowVisible(hWnd)) return false;
    if (query.className && WindowClass(hWnd) != query.className) return false;
    if (query.caption && WindowText(hWnd) != query.caption) return false;
    return true;
}

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM context)
{
    WindowQuery* query = reinterpret_cast<WindowQuery*>(context);
    if (query->processId) {
        DWORD processId = 0;
        GetWindowThreadProcessId(hWnd, &processId);
        if (processId != query->processId) return TRUE;
    }
    if (!Matches(hWnd, *query)) return TRUE;
    query->found = hWnd;
    return FALSE;
}

}  // namespace

HWND FindThreadWindow(DWORD threadId, const char* className, const char* caption)
{
    WindowQuery query = {className, caption, 0, nullptr};
    EnumThreadWindows(threadId, MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForThreadWindow(DWORD threadId, const char* className, const char* caption, int timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindThreadWindow(threadId, className, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption)
{
    WindowQuery query = {className, caption, processId, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForProcessWindow(DWORD processId, const char* className, const char* caption, int timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProcessWindow(processId, className, caption)) != nullptr; }, timeoutMs);
    return found;
}

std::string WindowText(HWND hWnd)
{
    int length = static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> text(static_cast<size_t>(length) + 1);
    SendMessageA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

std::wstring WideWindowText(HWND hWnd)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, Stretched(60000), &length);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        Stretched(60000), &copied);
    return std::wstring(text.data(), static_cast<size_t>(copied));
}

std::string WindowClass(HWND hWnd)
{
    char name[256] = {};
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string MessageBoxText(HWND box)
{
    // The message is the longest text of the box's static controls (the others are icons).
    std::string longest;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowClass(child) != "Static") continue;
        std::string text = WindowText(child);
        if (text.size() > longest.size()) longest = text;
    }
    return longest;
}
