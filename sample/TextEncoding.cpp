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

// Appends the characters in the code page. False when a flag says one was lost: where the
// code page is not UTF-8, neither a default character nor a look-alike may stand in.
bool AppendConverted(UINT codePage, DWORD flags, bool checkDefault, const wchar_t* text, size_t count,
                     std::string& bytes)
{
    if (count == 0) return true;
    if (count > INT_MAX / 4) throw std::bad_alloc();
    const int length = static_cast<int>(count);
    BOOL usedDefault = FALSE;
    BOOL* lost = checkDefault ? &usedDefault : nullptr;
    const int size = WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, nullptr, lost);
    if (size <= 0 || usedDefault) return false;
    const size_t start = bytes.size();
    bytes.resize(start + static_cast<size_t>(size));
    return WideCharToMultiByte(codePage, flags, text, length, &bytes[start], size, nullptr, lost) == size &&
           !usedDefault;
}

void AppendUtf16(const wchar_t* text, size_t count, bool bigEndian, std::string& bytes)
{
    size_t at = bytes.size();
    bytes.resize(at + count * 2);
    for (size_t i = 0; i < count; ++i) {
        const unsigned unit = static_cast<unsigned>(text[i]) & 0xFFFF;
        bytes[at++] = static_cast<char>(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes[at++] = static_cast<char>(bigEndian ? unit & 0xFF : unit >> 8);
    }
}

bool HasLoneSurrogate(const wchar_t* text, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (IS_HIGH_SURROGATE(text[i]) && i + 1 < count && IS_LOW_SURROGATE(text[i + 1])) ++i;
        else if (IS_HIGH_SURROGATE(text[i]) || IS_LOW_SURROGATE(text[i])) return true;
    }
    return false;
}

const char* MarkOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Marked: return kUtf8Mark;
    case TextEncoding::Utf16Le: return kUtf16LeMark;
    case TextEncoding::Utf16Be: return kUtf16BeMark;
    default: return "";
    }
}

// The characters in the encoding, as a save writes them; false where it cannot hold one.
bool AppendEncoded(const wchar_t* text, size_t count, TextEncoding encoding, std::string& bytes)
{
    switch (encoding) {
    case TextEncoding::CodePage:
        return EncodeInCodePage(text, count, GetACP(), bytes);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Marked:
        // A lone surrogate has no UTF-8 form: it would become U+FFFD.
        return !HasLoneSurrogate(text, count) && AppendConverted(CP_UTF8, 0, false, text, count, bytes);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        AppendUtf16(text, count, encoding == TextEncoding::Utf16Be, bytes);
        return true;
    }
    return false;
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

bool EncodeInCodePage(const wchar_t* text, size_t count, unsigned codePage, std::string& bytes)
{
    // UTF-8 as the system code page (a Windows option) takes neither check: its only
    // loss, a lone surrogate, shows in the round trip below.
    const bool utf8 = codePage == CP_UTF8;
    const size_t start = bytes.size();
    if (!AppendConverted(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, !utf8, text, count, bytes)) return false;
    std::wstring back;
    ToWide(codePage, bytes.data() + start, bytes.size() - start, back);
    return back.size() == count && back.compare(0, count, text, count) == 0;
}

bool EncodeText(const std::wstring& text, TextEncoding encoding, std::string& bytes)
{
    bytes = MarkOf(encoding);
    return AppendEncoded(text.data(), text.size(), encoding, bytes);
}

TextEncoding EncodeKeepingEveryCharacter(const std::wstring& text, TextEncoding preferred, std::string& bytes)
{
    // Bytes that hold every character can still read back as another text: code-page
    // text that happens to be valid UTF-8 ("Ã©"), or that starts like a byte-order mark.
    // The next start decides the encoding from the bytes alone, so they must lead it back
    // to this text. UTF-16 with its mark always does, lone surrogates included.
    std::wstring back;
    for (TextEncoding encoding : {preferred, TextEncoding::Utf8Marked}) {
        if (!EncodeText(text, encoding, bytes)) continue;
        DecodeText(bytes, back);
        if (back == text) return encoding;
    }
    EncodeText(text, TextEncoding::Utf16Le, bytes);
    return TextEncoding::Utf16Le;
}

bool EncodesBackTo(const std::wstring& text, TextEncoding encoding, const std::string& bytes)
{
    const std::string mark = MarkOf(encoding);
    if (bytes.compare(0, mark.size(), mark) != 0) return false;
    // Piece by piece, so that a large file is not held twice.
    const size_t kPiece = 1u << 16;
    size_t at = mark.size();
    std::string piece;
    for (size_t start = 0; start < text.size();) {
        size_t count = text.size() - start < kPiece ? text.size() - start : kPiece;
        // A surrogate pair stays whole.
        if (start + count < text.size() && IS_HIGH_SURROGATE(text[start + count - 1])) --count;
        piece.clear();
        if (!AppendEncoded(text.data() + start, count, encoding, piece)) return false;
        if (bytes.compare(at, piece.size(), piece) != 0) return false;
        at += piece.size();
        start += count;
    }
    return at == bytes.size();
}
