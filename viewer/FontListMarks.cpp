// Keeping the font list's marks with the sample text: the text's characters follow each
// change of the box, one character at a time where a key typed or removed just one.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "res/resource.h"

#include <vector>

namespace {

// The character at this place of the edit control's text, or 0 at a line break.
uint32_t CharacterAt(HWND box, DWORD index)
{
    LRESULT line = ::SendMessageW(box, EM_LINEFROMCHAR, index, 0);
    LRESULT start = ::SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    LRESULT length = ::SendMessageW(box, EM_LINELENGTH, index, 0);
    if (start < 0 || index < static_cast<DWORD>(start) || index - static_cast<DWORD>(start) >= static_cast<DWORD>(length))
        return 0;
    if (length + 1 > 0xFFFF) return 0;  // the line's length does not fit the request
    std::vector<wchar_t> text(static_cast<size_t>(length) + 2);
    text[0] = static_cast<wchar_t>(length + 1);
    LRESULT read = ::SendMessageW(box, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
    size_t at = index - static_cast<DWORD>(start);
    return at < static_cast<size_t>(read) ? static_cast<uint16_t>(text[at]) : 0;
}

// A character that stands for itself: no control character, no half of a pair.
bool Plain(uint32_t c) { return c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF); }

}  // namespace

void CViewerDlg::NoteSampleEdit(const MSG& msg)
{
    PendingEdit = SampleEdit();
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!MarkMissingState || !box || msg.hwnd != box) return;
    bool character = msg.message == WM_CHAR;
    bool deleteKey = msg.message == WM_KEYDOWN && msg.wParam == VK_DELETE && GetKeyState(VK_CONTROL) >= 0 &&
                     GetKeyState(VK_SHIFT) >= 0;
    if (!character && !deleteKey) return;
    DWORD start = 0, end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) return;  // a selection replaced: the whole text is counted again
    uint32_t c = character ? static_cast<uint32_t>(msg.wParam) : 0;
    if (character && Plain(c)) {
        PendingEdit = {1, c};
    } else if (character && c == VK_BACK && start > 0 && GetKeyState(VK_CONTROL) >= 0) {
        c = CharacterAt(box, start - 1);
        if (Plain(c)) PendingEdit = {-1, c};
    } else if (deleteKey) {
        c = CharacterAt(box, start);
        if (Plain(c)) PendingEdit = {-1, c};
    }
}

void CViewerDlg::OnSampleChange()
{
    // While the list is unmarked nothing is taken: the text is read when marking comes back.
    SampleEdit edit = PendingEdit;
    PendingEdit = SampleEdit();
    if (!MarkMissingState) {
        SampleCharactersStale = true;
        return;
    }
    // A key that typed or removed one character is counted alone, with the length to
    // show that nothing else changed; every other change counts the whole text again.
    size_t length = static_cast<size_t>(::GetWindowTextLengthW(GetDlgItem(IDC_SAMPLE_BOX)));
    bool changed;
    if (edit.change > 0 && length == FaceMarks.Length() + 1) changed = FaceMarks.Added(edit.character);
    else if (edit.change < 0 && length + 1 == FaceMarks.Length()) changed = FaceMarks.Removed(edit.character);
    else return TakeSampleCharacters();
    // Only a change of the characters can change a mark; then the rows on screen are drawn anew.
    if (changed && FontList.m_hWnd) ::InvalidateRect(FontList.m_hWnd, nullptr, FALSE);
}

void CViewerDlg::TakeSampleCharacters()
{
    if (!MarkMissingState) return;
    // Only a change of the characters can change a mark; then the rows on screen are drawn anew.
    if (FaceMarks.TakeText(GetDlgItem(IDC_SAMPLE_BOX)) && FontList.m_hWnd)
        ::InvalidateRect(FontList.m_hWnd, nullptr, FALSE);
}

void CViewerDlg::ToggleMarkMissing()
{
    MarkMissingState = MarkMissingState ? 0 : 1;
    ViewerApp().ViewerSettings.MarkMissing = MarkMissingState;
    TakeSampleCharacters();
    ::InvalidateRect(FontList.m_hWnd, nullptr, FALSE);
}
