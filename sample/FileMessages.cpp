#include "sample/FileMessages.h"

#include "framework/Framework.h"

std::wstring SystemReason(DWORD error)
{
    wchar_t reason[512] = L"";
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason, 512,
                     nullptr);
    return reason;
}

std::wstring FormatResource(UINT id, const wchar_t* fallback, const wchar_t* first, const wchar_t* second)
{
    wchar_t format[512];
    if (::LoadStringW(AfxGetResourceHandle(), id, format, 512) <= 0) lstrcpynW(format, fallback, 512);
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(first), reinterpret_cast<DWORD_PTR>(second)};
    wchar_t* text = nullptr;
    if (!::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                          format, 0, 0, reinterpret_cast<wchar_t*>(&text), 0,
                          reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts))))
        return first;
    std::wstring result = text;
    ::LocalFree(text);
    return result;
}

int ShowFileMessage(HWND window, const std::wstring& text, UINT type)
{
    wchar_t caption[128] = L"";
    ::GetWindowTextW(window, caption, 128);
    return ::MessageBoxW(window, text.c_str(), caption, type);
}
