// The preview font: every change of face, size or attribute ends in RebuildPreviewFont.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "res/resource.h"
#include "sample/BoxText.h"
#include "viewer/FaultGuard.h"
#include "viewer/FontDescription.h"

#include <memory>
#include <new>

namespace {

const int kAttributeBoxes[4] = {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_STRIKEOUT};

}  // namespace

void CViewerDlg::RebuildPreviewFont()
{
    if (RestoringChoices) return;  // the box already shows the font of the choices brought back
    int selected = FontList.GetCurSel();
    if (selected == LB_ERR) {
        // No face to show: the box is handed no font, and the old one goes.
        if (PreviewFont && PreviewFont->GetSafeHandle()) HandSampleBoxFont(nullptr);
        delete PreviewFont;
        PreviewFont = new (std::nothrow) CFont;
        return;
    }
    // The new font is made beside the one shown, which goes only once the box has taken
    // its successor: never more than these two.
    std::unique_ptr<CFont> made(new (std::nothrow) CFont);
    if (made && FontList.GetTextLen(selected) < LF_FACESIZE) {
        char face[LF_FACESIZE];
        FontList.GetText(selected, face);
        PreviewFontInputs inputs = {face, CurrentSize, IsDlgButtonChecked(IDC_BOLD) == BST_CHECKED,
                                    IsDlgButtonChecked(IDC_ITALIC) == BST_CHECKED,
                                    IsDlgButtonChecked(IDC_UNDERLINE) == BST_CHECKED,
                                    IsDlgButtonChecked(IDC_STRIKEOUT) == BST_CHECKED};
        LOGFONTA description = DescribePreviewFont(inputs);
        // The window's own scale: on a screen of another scale the face is shown in that screen's pixels.
        CClientDC screen(nullptr);
        description.lfHeight = CapPreviewTenths(description.lfHeight, ShownDpi);
        made->CreatePointFontIndirect(&description, screen, ShownDpi);
        HFONT font = made->GetSafeHandle();
        // While the list is unmarked its count of the text's characters is kept only here.
        if (!MarkMissingState && SampleCharactersStale) {
            FaceMarks.TakeText(SampleBox.m_hWnd);
            SampleCharactersStale = false;
        }
        if (font && Layouts.LaysOut(font, FaceMarks.Characters())) {
            if (HandSampleBoxFont(font)) {
                delete PreviewFont;
                PreviewFont = made.release();
                TriedCharacters = FaceMarks.Characters();
                NoteShownChoices();
                return;
            }
            // The box faulted laying its text out: a whole box comes back with the same text
            // in the last good font, and failing that the box takes that font back.
            HFONT last = PreviewFont ? PreviewFont->GetSafeHandle() : nullptr;
            std::wstring text;
            if (ReadBoxText(SampleBox.m_hWnd, text) && RemakeSampleBox(text, last)) {
                made.reset();
                ::MessageBeep(MB_ICONEXCLAMATION);
                RestoreShownChoices();
                return;
            }
            HandSampleBoxFont(last);
            if (reinterpret_cast<HFONT>(SampleBox.SendMessage(WM_GETFONT, 0, 0)) == font) {
                // It faulted before taking even that: the font it holds lives on, and the
                // controls name it.
                delete PreviewFont;
                PreviewFont = made.release();
                NoteShownChoices();
                ::MessageBeep(MB_ICONEXCLAMATION);
                return;
            }
        }
    }
    // No font, or one the box cannot show: the last good one stays, and the controls
    // come back to it.
    made.reset();
    ::MessageBeep(MB_ICONEXCLAMATION);
    RestoreShownChoices();
}

bool CViewerDlg::HandSampleBoxFont(HFONT font)
{
    return SendWithoutFault(SampleBox.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CViewerDlg::NoteShownChoices()
{
    const ViewerSettingsRecord& settings = ViewerApp().ViewerSettings;
    int selected = FontList.GetCurSel();
    if (selected == LB_ERR || FontList.GetTextLen(selected) >= LF_FACESIZE) return;
    FontList.GetText(selected, ShownFont.face);
    ShownFont.size = CurrentSize;
    for (int i = 0; i < 4; ++i) ShownFont.checks[i] = IsDlgButtonChecked(kAttributeBoxes[i]);
    lstrcpynA(ShownFont.name, settings.Name, sizeof ShownFont.name);
    ShownFont.storedSize = settings.Size;
    const int stored[4] = {settings.Bold, settings.Italic, settings.Underline, settings.StrikeOut};
    for (int i = 0; i < 4; ++i) ShownFont.stored[i] = stored[i];
}

void CViewerDlg::RestoreShownChoices()
{
    if (!PreviewFont || !PreviewFont->GetSafeHandle()) {
        // Nothing shown yet to go back to (the remembered face at start-up): no face is
        // chosen, as the box shows none; the remembered name stays for the next start.
        FontList.SetCurSel(-1);
        return;
    }
    RestoringChoices = true;
    // A face gone from the list since is no longer named there.
    FontList.SetCurSel(FontList.FindStringExact(-1, ShownFont.face));
    for (int i = 0; i < 4; ++i) CheckDlgButton(kAttributeBoxes[i], ShownFont.checks[i]);
    if (CurrentSize != ShownFont.size) {
        CurrentSize = ShownFont.size;
        SetDlgItemInt(IDC_SIZE_FIELD, static_cast<UINT>(CurrentSize), TRUE);
    }
    ViewerSettingsRecord& settings = ViewerApp().ViewerSettings;
    lstrcpynA(settings.Name, ShownFont.name, sizeof settings.Name);
    settings.Size = ShownFont.storedSize;
    settings.Bold = ShownFont.stored[0];
    settings.Italic = ShownFont.stored[1];
    settings.Underline = ShownFont.stored[2];
    settings.StrikeOut = ShownFont.stored[3];
    RestoringChoices = false;
}

void CViewerDlg::FitFontToText(const std::wstring& text)
{
    if (!PreviewFont || !PreviewFont->GetSafeHandle()) return;
    MissingCharacters next;
    next.TakeText(text.c_str(), text.size());
    if (Layouts.LaysOut(PreviewFont->GetSafeHandle(), next.Characters())) {
        TriedCharacters = next.Characters();
        return;
    }
    // The text is the user's and stays: the face gives way, and the box shows its own font.
    HandSampleBoxFont(nullptr);
    delete PreviewFont;
    PreviewFont = new (std::nothrow) CFont;
    FontList.SetCurSel(-1);
    ::MessageBeep(MB_ICONEXCLAMATION);
}

void CViewerDlg::ApplyPreviewFont()
{
    if (PreviewFont) HandSampleBoxFont(PreviewFont->GetSafeHandle());
}

void CViewerDlg::ToggleAttribute(int checkBoxId)
{
    // The click handling that follows stores it and rebuilds the preview, once.
    CheckDlgButton(checkBoxId, IsDlgButtonChecked(checkBoxId) ? BST_UNCHECKED : BST_CHECKED);
}

void CViewerDlg::SelectSizePreset(int index)
{
    if (index < 0 || index >= kSizePresetCount) return;
    CurrentSize = SizePresets[index];
    SetDlgItemInt(IDC_SIZE_FIELD, static_cast<UINT>(CurrentSize), TRUE);
    // The field's change notification has stored the size; make sure of it all the same.
    ViewerApp().ViewerSettings.Size = CurrentSize;
    RebuildPreviewFont();
}

void CViewerDlg::OnSizeChange()
{
    if (!Initialized) return;
    char text[255];
    GetDlgItemText(IDC_SIZE_FIELD, text, sizeof text);
    CurrentSize = ParseSizeText(text);
    ViewerApp().ViewerSettings.Size = CurrentSize;
    RebuildPreviewFont();
}
