// The preview font: every change of face, size or attribute ends in RebuildPreviewFont.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "res/resource.h"
#include "viewer/FontDescription.h"

#include <new>

void CViewerDlg::RebuildPreviewFont()
{
    // The box keeps drawing with the old font until a new one exists, and is
    // handed no font when no new one comes: it never holds a released font.
    ReleaseReplacedFont();
    if (ReplacedFont) delete PreviewFont;  // a cut-short hand-over: the box never took it
    else ReplacedFont = PreviewFont;
    PreviewFont = new (std::nothrow) CFont;

    int selected = FontList.GetCurSel();
    if (PreviewFont && selected != LB_ERR && FontList.GetTextLen(selected) < LF_FACESIZE) {
        char face[LF_FACESIZE];
        FontList.GetText(selected, face);
        PreviewFontInputs inputs = {face, CurrentSize, IsDlgButtonChecked(IDC_BOLD) == BST_CHECKED,
                                    IsDlgButtonChecked(IDC_ITALIC) == BST_CHECKED,
                                    IsDlgButtonChecked(IDC_UNDERLINE) == BST_CHECKED,
                                    IsDlgButtonChecked(IDC_STRIKEOUT) == BST_CHECKED};
        LOGFONTA description = DescribePreviewFont(inputs);
        CClientDC screen(nullptr);
        description.lfHeight = CapPreviewTenths(description.lfHeight, ::GetDeviceCaps(screen, LOGPIXELSY));
        PreviewFont->CreatePointFontIndirect(&description, screen);
        ApplyPreviewFont();
    } else if (ReplacedFont) {
        SampleBox.SendMessage(WM_SETFONT, 0, TRUE);
    }
    ReleaseReplacedFont();
}

void CViewerDlg::ReleaseReplacedFont()
{
    if (!ReplacedFont) return;
    // Not while the box still holds it: a cut-short hand-over may have left it there.
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (box && ReplacedFont->GetSafeHandle() &&
        reinterpret_cast<HGDIOBJ>(::SendMessageA(box, WM_GETFONT, 0, 0)) == ReplacedFont->GetSafeHandle())
        return;
    delete ReplacedFont;
    ReplacedFont = nullptr;
}

void CViewerDlg::ApplyPreviewFont()
{
    if (!PreviewFont) return;
    SampleBox.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(PreviewFont->GetSafeHandle()), 1);
}

void CViewerDlg::ToggleAttribute(int checkBoxId)
{
    CheckDlgButton(checkBoxId, IsDlgButtonChecked(checkBoxId) ? BST_UNCHECKED : BST_CHECKED);
    RebuildPreviewFont();
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
