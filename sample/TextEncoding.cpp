#include "sample/TextEncoding.h"

#include <windows.h>

#include <climits>

void ConvertUtf8ToAnsi(std::string& text)
{
    if (text.empty() || text.size() > INT_MAX) return;
    const int bytes = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
    if (wide <= 0) return;
    std::wstring unicode(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, &unicode[0], wide);
    const int ansi = WideCharToMultiByte(CP_ACP, 0, unicode.data(), wide, nullptr, 0, nullptr, nullptr);
    if (ansi <= 0) return;
    std::string converted(static_cast<size_t>(ansi), '\0');
    WideCharToMultiByte(CP_ACP, 0, unicode.data(), wide, &converted[0], ansi, nullptr, nullptr);
    text.swap(converted);
}
