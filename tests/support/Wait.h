// Waiting on conditions with a deadline; nothing here sleeps for a fixed time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

const int kDefaultTimeoutMs = 10000;

// A deadline set for a native run, stretched by TYPOSCOPE_TIME_FACTOR (a whole number, 1 when
// unset) where every program runs that many times slower, as in an emulated PC. Every wait of
// the tests goes through it.
DWORD Stretched(int timeoutMs);

// Polls the condition, pumping this thread's messages, until it holds or the (stretched) deadline passes.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kDefaultTimeoutMs);

// A visible top-level window of the thread (or of the process, when threadId is 0 and
// processId is given) with this class and caption; either may be null to match any.
HWND FindThreadWindow(DWORD threadId, const char* className, const char* caption);
HWND WaitForThreadWindow(DWORD threadId, const char* className, const char* caption,
                         int timeoutMs = kDefaultTimeoutMs);
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption);
HWND WaitForProcessWindow(DWORD processId, const char* className, const char* caption,
                          int timeoutMs = kDefaultTimeoutMs);

// A window's text and class, for assertions.
std::string WindowText(HWND hWnd);
// The text as the window holds it, through the wide messages (characters beyond the code page).
std::wstring WideWindowText(HWND hWnd);
std::string WindowClass(HWND hWnd);
// The text of a message box's message (its static control that is not the icon).
std::string MessageBoxText(HWND box);
