// The sample box holds UTF-16 text; files hold it in one of these encodings.
#pragma once

#include <string>

enum class TextEncoding {
    CodePage,    // the system's code page, as text files have always been read
    Utf8,        // UTF-8 without a mark
    Utf8Marked,  // UTF-8 after its byte-order mark
    Utf16Le,     // UTF-16 after its mark, little endian
    Utf16Be,     // UTF-16 after its mark, big endian
};

// Decides the bytes' encoding once, from a mark at their start or else from whether they
// are UTF-8 with at least one multi-byte character (code page text almost never is),
// and gives their text without the mark. May throw std::bad_alloc.
TextEncoding DecodeText(const std::string& bytes, std::wstring& text);

// The text's bytes in the encoding, its mark first; false when the encoding cannot hold
// every character (nothing is ever replaced by a default character). May throw std::bad_alloc.
bool EncodeText(const std::wstring& text, TextEncoding encoding, std::string& bytes);

// The characters in a code page, appended to the bytes; false when the code page cannot
// hold one of them.
bool EncodeInCodePage(const wchar_t* text, size_t count, unsigned codePage, std::string& bytes);

// The text in the encoding it came in when that holds every character and its bytes
// read back as the same text, else in UTF-8 with its mark, else (lone surrogates) in
// UTF-16; the encoding used.
TextEncoding EncodeKeepingEveryCharacter(const std::wstring& text, TextEncoding preferred, std::string& bytes);

// Whether the text, encoded again as a save would, gives back exactly these bytes: false
// for bytes that the decoding could not show as they are (invalid UTF-8, an odd byte of
// UTF-16, code-page bytes without a character of their own).
bool EncodesBackTo(const std::wstring& text, TextEncoding encoding, const std::string& bytes);
