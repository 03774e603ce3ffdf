#include "sample/BoxText.h"

#include <new>

bool ReadBoxText(HWND box, std::wstring& text)
{
    const int length = ::GetWindowTextLengthW(box);
    if (length < 0) return false;
    try {
        text.assign(static_cast<size_t>(length) + 1, L'\0');
    } catch (const std::bad_alloc&) {
        return false;
    }
    const int copied = length > 0 ? ::GetWindowTextW(box, &text[0], length + 1) : 0;
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return copied == length;
}
