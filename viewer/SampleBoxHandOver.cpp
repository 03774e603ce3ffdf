// Texts and typed characters on their way into the sample box. Under Wine its layout code
// can fault on what a face holds; a fault inside a sent message ends only that message, but
// one inside a dispatched key ends the program. So under Wine both go in as sent messages,
// watched, and a box a fault left half laid out is made anew with its last good text and
// font. Elsewhere they are plain sends.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"
#include "sample/BoxText.h"
#include "viewer/FaultGuard.h"

#include <algorithm>

bool CViewerDlg::HandSampleBoxText(UINT message, const wchar_t* text)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    // A multi-line box tells no change of its whole text: the characters are counted anew.
    SampleCharactersStale = true;
    std::wstring before;
    if (!UnderWine() || !ReadBoxText(box, before)) {
        ::SendMessageW(box, message, 0, reinterpret_cast<LPARAM>(text));
        return true;
    }
    if (SendWithoutFault(box, message, 0, reinterpret_cast<LPARAM>(text))) return true;
    RemakeSampleBox(before, PreviewFont ? PreviewFont->GetSafeHandle() : nullptr);
    ::MessageBeep(MB_ICONEXCLAMATION);
    TakeSampleCharacters();
    return false;
}

bool CViewerDlg::PassTypedCharacter(const MSG& msg)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!UnderWine() || msg.message != WM_CHAR || !box || msg.hwnd != box) return false;
    const uint32_t c = static_cast<uint32_t>(msg.wParam);
    // Tab, Enter and Escape go the dialog's way.
    if (c == VK_TAB || c == VK_RETURN || c == VK_ESCAPE || c == '\n') return false;
    HFONT font = PreviewFont ? PreviewFont->GetSafeHandle() : nullptr;
    const bool plain = c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF);
    if (font && plain && !std::binary_search(TriedCharacters.begin(), TriedCharacters.end(), c)) {
        std::vector<uint32_t> with = TriedCharacters;
        with.insert(std::lower_bound(with.begin(), with.end(), c), c);
        if (!Layouts.LaysOut(font, with)) {
            ::MessageBeep(MB_ICONEXCLAMATION);
            PendingEdit = SampleEdit();
            return true;
        }
        TriedCharacters.swap(with);
    }
    std::wstring before;
    if (!ReadBoxText(box, before)) return false;
    if (SendWithoutFault(box, WM_CHAR, msg.wParam, msg.lParam)) return true;
    // Laid out where the trial could not foresee (where lines wrap): the key is undone.
    PendingEdit = SampleEdit();
    RemakeSampleBox(before, font);
    ::MessageBeep(MB_ICONEXCLAMATION);
    SampleCharactersStale = true;
    TakeSampleCharacters();
    return true;
}
