// The sample box's text built from a file's decoded text, given whole or in pieces.
#pragma once

#include <cstddef>
#include <string>

// Joins the pieces into whole lines, so that where one piece ends never puts a line
// break into the text. Each line ends at its first NUL (the box cannot hold one),
// loses its trailing CRs and gets CR LF, the file's last line included.
// A CR followed by more of the line ends a line of its own: files from systems
// that break lines with CR alone show their lines, not one run of text.
class SampleTextBuilder {
public:
    void Reserve(size_t characters) { m_text.reserve(characters); }
    void AddPiece(const wchar_t* piece, size_t length);
    // Ends a last line that the file did not end.
    void Finish();
    const std::wstring& Text() const { return m_text; }
    std::wstring& Text() { return m_text; }

private:
    void EndLine();
    void EndLoneCrLines();

    std::wstring m_text;
    size_t m_pendingCrs = 0;   // CRs read that end lines unless only more CRs and the LF follow
    bool m_lineOpen = false;   // part of a line has been read and not yet ended
    bool m_lineCut = false;    // a NUL ended the open line's text
};

// Whether the box's text shows the decoded file exactly: every character as it is, with
// only the line rule's changes (a bare CR or LF becomes CR LF, the last line gains its
// CR LF). A NUL, or CRs that the line rule drops, make it false.
bool ShowsEveryCharacter(const std::wstring& decoded, const std::wstring& shown);
