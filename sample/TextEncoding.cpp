#include "sample/TextEncoding.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <new>

namespace {

const char kUtf8Mark[] = "\xEF\xBB\xBF";
const char kUtf16LeMark[] = "\xFF\xFE";
const char kUtf16BeMark[] = "\xFE\xFF";

bool StartsWith(const std::string& bytes, const char* mark, size_t length)
{
    return bytes.size() >= length && memcmp(bytes.data(), mark, length) == 0;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF)
// with at least one character of more than one byte.
bool IsUtf8WithMultiByteCharacters(const unsigned char* p, size_t size)
{
    bool multiByte = false;
    const unsigned char* end = p + size;
    while (p < end) {
        unsigned char c = *p++;
        if (c < 0x80) continue;
        size_t following;
        unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            following = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            following = 2;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            following = 3;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (static_cast<size_t>(end - p) < following) return false;
        if (p[0] < low || p[0] > high) return false;
        for (size_t i = 1; i < following; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF) return false;
        p += following;
        multiByte = true;
    }
    return multiByte;
}

void ToWide(UINT codePage, const char* bytes, size_t size, std::wstring& text)
{
    text.clear();
    if (size == 0) return;
    if (size > INT_MAX) throw std::bad_alloc();
    const int length = static_cast<int>(size);
    const int wide = MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    if (wide <= 0) return;
    text.resize(static_cast<size_t>(wide));
    MultiByteToWideChar(codePage, 0, bytes, length, &text[0], wide);
}

void Utf16ToWide(const char* bytes, size_t size, bool bigEndian, std::wstring& text)
{
    // A last odd byte is half a character: there is nothing to show for it.
    text.assign(size / 2, L'\0');
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < text.size(); ++i, p += 2)
        text[i] = static_cast<wchar_t>(bigEndian ? (p[0] << 8) | p[1] : p[0] | (p[1] << 8));
}

// False when the code page lacks a character: neither a default character nor a
// look-alike ("best fit") may stand in for it, and the bytes must read back as the text.
bool ToCodePage(const std::wstring& text, std::string& bytes)
{
    if (text.empty()) return true;
    if (text.size() > INT_MAX / 2) return false;
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                                         &usedDefault);
    if (size <= 0 || usedDefault) return false;
    std::string converted(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, &converted[0], size, nullptr,
                        &usedDefault);
    if (usedDefault) return false;
    std::wstring back;
    ToWide(CP_ACP, converted.data(), converted.size(), back);
    if (back != text) return false;
    bytes += converted;
    return true;
}

void ToUtf8(const std::wstring& text, std::string& bytes)
{
    if (text.size() > INT_MAX / 3) throw std::bad_alloc();
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    const size_t start = bytes.size();
    bytes.resize(start + static_cast<size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &bytes[start], size, nullptr, nullptr);
}

void ToUtf16(const std::wstring& text, bool bigEndian, std::string& bytes)
{
    size_t at = bytes.size();
    bytes.resize(at + text.size() * 2);
    for (wchar_t c : text) {
        const unsigned unit = static_cast<unsigned>(c) & 0xFFFF;
        bytes[at++] = static_cast<char>(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes[at++] = static_cast<char>(bigEndian ? unit & 0xFF : unit >> 8);
    }
}

}  // namespace

TextEncoding DecodeText(const std::string& bytes, std::wstring& text)
{
    const char* data = bytes.data();
    if (StartsWith(bytes, kUtf8Mark, 3)) {
        ToWide(CP_UTF8, data + 3, bytes.size() - 3, text);
        return TextEncoding::Utf8Marked;
    }
    if (StartsWith(bytes, kUtf16LeMark, 2) || StartsWith(bytes, kUtf16BeMark, 2)) {
        const bool bigEndian = bytes[0] == kUtf16BeMark[0];
        Utf16ToWide(data + 2, bytes.size() - 2, bigEndian, text);
        return bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
    }
    if (IsUtf8WithMultiByteCharacters(reinterpret_cast<const unsigned char*>(data), bytes.size())) {
        ToWide(CP_UTF8, data, bytes.size(), text);
        return TextEncoding::Utf8;
    }
    ToWide(CP_ACP, data, bytes.size(), text);
    return TextEncoding::CodePage;
}

bool EncodeText(const std::wstring& text, TextEncoding encoding, std::string& bytes)
{
    bytes.clear();
    switch (encoding) {
    case TextEncoding::CodePage:
        return ToCodePage(text, bytes);
    case TextEncoding::Utf8Marked:
        bytes = kUtf8Mark;
        // fall through
    case TextEncoding::Utf8:
        ToUtf8(text, bytes);
        return true;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        bytes = encoding == TextEncoding::Utf16Le ? kUtf16LeMark : kUtf16BeMark;
        ToUtf16(text, encoding == TextEncoding::Utf16Be, bytes);
        return true;
    }
    return false;
}

TextEncoding EncodeKeepingEveryCharacter(const std::wstring& text, TextEncoding preferred, std::string& bytes)
{
    if (EncodeText(text, preferred, bytes)) return preferred;
    EncodeText(text, TextEncoding::Utf8Marked, bytes);
    return TextEncoding::Utf8Marked;
}
