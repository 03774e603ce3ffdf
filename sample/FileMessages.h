// The messages that name a file and say why it could not be read or saved.
#pragma once

#include <windows.h>

#include <string>

// The system's own words for an error.
std::wstring SystemReason(DWORD error);
// A string-table text with %1 and %2 filled in; `fallback` stands in for it when the
// resources lack it, so that nothing the user must hear goes unsaid.
std::wstring FormatResource(UINT id, const wchar_t* fallback, const wchar_t* first, const wchar_t* second = L"");
// A message box over the window, under its caption; the button pressed.
int ShowFileMessage(HWND window, const std::wstring& text, UINT type);
