// Command dispatch, the attribute check boxes' clicks, the menu marks and the system menu.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "res/resource.h"
#include "viewer/FontDescription.h"

BOOL CViewerDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    switch (id) {
    case ID_FILE_EXIT: EndDialog(1); return TRUE;
    case ID_EDIT_BOLD: ToggleAttribute(IDC_BOLD); OnBoldClicked(); return TRUE;
    case ID_EDIT_ITALIC: ToggleAttribute(IDC_ITALIC); OnItalicClicked(); return TRUE;
    case ID_EDIT_UNDERLINE: ToggleAttribute(IDC_UNDERLINE); OnUnderlineClicked(); return TRUE;
    case ID_EDIT_STRIKEOUT: ToggleAttribute(IDC_STRIKEOUT); OnStrikeOutClicked(); return TRUE;
    case ID_HELP_ABOUT:
        SetToolbarButtonChecked(ID_HELP_ABOUT, 1);
        ShowAboutBox();
        SetToolbarButtonChecked(ID_HELP_ABOUT, 0);
        return TRUE;
    case ID_VIEW_REFRESH:
        // Faces may have come or gone, and a face of the same name may hold other characters.
        FaceMarks.ForgetFaces();
        Layouts.Forget();
        FillFontList();
        SelectFace(ViewerApp().ViewerSettings.Name);
        RebuildPreviewFont();
        return TRUE;
    case ID_SIZE_8: case ID_SIZE_10: case ID_SIZE_12: case ID_SIZE_14: case ID_SIZE_20:
    case ID_SIZE_24: case ID_SIZE_36: case ID_SIZE_48: case ID_SIZE_60: case ID_SIZE_72:
        SelectSizePreset(static_cast<int>(id - ID_SIZE_8));
        return TRUE;
    case ID_FILE_OPEN_TEXT:
        SetToolbarButtonChecked(ID_FILE_OPEN_TEXT, 1);
        OnOpenTextFile();
        TakeSampleCharacters();
        SetToolbarButtonChecked(ID_FILE_OPEN_TEXT, 0);
        return TRUE;
    case ID_FILE_OPEN_FONT: OnOpenFontFile(); return TRUE;
    case ID_EDIT_WORDWRAP: ToggleWordWrap(); return TRUE;
    case ID_HELP_HELP: ShowHelpMessage(); return TRUE;
    case ID_VIEW_SCROLLBAR: ToggleScrollbar(); return TRUE;
    case ID_FILE_PRINT_SETUP: ShowPrinterDialog(TRUE); return TRUE;
    case ID_FILE_PRINT:
        SetToolbarButtonChecked(ID_FILE_PRINT, 1);
        ShowPrinterDialog(FALSE);
        SetToolbarButtonChecked(ID_FILE_PRINT, 0);
        return TRUE;
    // A text put in whole may come without the box's change notification.
    case ID_VIEW_STANDARD_SAMPLE: ShowStandardSample(); TakeSampleCharacters(); return TRUE;
    case ID_VIEW_ASCII_SAMPLE: ShowAsciiSample(); TakeSampleCharacters(); return TRUE;
    case ID_VIEW_MARK_MISSING: ToggleMarkMissing(); return TRUE;
    default: return CDialog::OnCommand(wParam, lParam);
    }
}

namespace {

// An attribute check box's click: store its state, rebuild the preview and let
// the toolbar button show the same state as the box.
void AttributeClicked(CViewerDlg& dlg, int checkBoxId, int& setting, int commandId)
{
    setting = static_cast<int>(dlg.IsDlgButtonChecked(checkBoxId));
    dlg.RebuildPreviewFont();
    // A font the box could not show brings the box back: the button follows it.
    dlg.SetToolbarButtonChecked(commandId, static_cast<int>(dlg.IsDlgButtonChecked(checkBoxId)));
}

}  // namespace

void CViewerDlg::OnBoldClicked()
{
    AttributeClicked(*this, IDC_BOLD, ViewerApp().ViewerSettings.Bold, ID_EDIT_BOLD);
}

void CViewerDlg::OnItalicClicked()
{
    AttributeClicked(*this, IDC_ITALIC, ViewerApp().ViewerSettings.Italic, ID_EDIT_ITALIC);
}

void CViewerDlg::OnUnderlineClicked()
{
    AttributeClicked(*this, IDC_UNDERLINE, ViewerApp().ViewerSettings.Underline, ID_EDIT_UNDERLINE);
}

void CViewerDlg::OnStrikeOutClicked()
{
    AttributeClicked(*this, IDC_STRIKEOUT, ViewerApp().ViewerSettings.StrikeOut, ID_EDIT_STRIKEOUT);
}

void CViewerDlg::OnInitMenu(HMENU menu)
{
    // The marks are read from the live controls each time the menu bar opens.
    CheckMenuItem(menu, ID_EDIT_BOLD, MF_BYCOMMAND | IsDlgButtonChecked(IDC_BOLD) * MF_CHECKED);
    CheckMenuItem(menu, ID_EDIT_ITALIC, MF_BYCOMMAND | IsDlgButtonChecked(IDC_ITALIC) * MF_CHECKED);
    CheckMenuItem(menu, ID_EDIT_UNDERLINE, MF_BYCOMMAND | IsDlgButtonChecked(IDC_UNDERLINE) * MF_CHECKED);
    CheckMenuItem(menu, ID_EDIT_STRIKEOUT, MF_BYCOMMAND | IsDlgButtonChecked(IDC_STRIKEOUT) * MF_CHECKED);
    CheckMenuItem(menu, ID_EDIT_WORDWRAP, MF_BYCOMMAND | static_cast<UINT>(WordWrapState) * MF_CHECKED);
    CheckMenuItem(menu, ID_VIEW_SCROLLBAR, MF_BYCOMMAND | static_cast<UINT>(ScrollbarState) * MF_CHECKED);
    CheckMenuItem(menu, ID_VIEW_MARK_MISSING, MF_BYCOMMAND | static_cast<UINT>(MarkMissingState) * MF_CHECKED);
    CheckMenuRadioItem(menu, ID_SIZE_8, ID_SIZE_OTHER, ID_SIZE_8 + static_cast<UINT>(SizePresetIndex(CurrentSize)),
                       MF_BYCOMMAND);
}

void CViewerDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAboutBox();
        return;
    }
    CDialog::OnSysCommand(id, lParam);
}

void CViewerDlg::WinHelp(DWORD_PTR, UINT)
{
    // No help file belongs to the program: F1 shows the same help as Help, Help.
    ShowHelpMessage();
}
