// The installed font list: one entry per face name, sorted by the list box.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"

#include <cstring>

void CViewerDlg::FillFontList()
{
    FontList.ResetContent();
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EnumFontsA(display, nullptr, &CViewerDlg::AddFaceProc, reinterpret_cast<LPARAM>(this));
    DeleteDC(display);
    if (FontList.GetCount() > 0) FontList.SetCurSel(0);
}

int CALLBACK CViewerDlg::AddFaceProc(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM context)
{
    CViewerDlg* dlg = reinterpret_cast<CViewerDlg*>(context);
    char face[256];
    strncpy(face, logFont->lfFaceName, LF_FACESIZE - 1);
    face[LF_FACESIZE - 1] = '\0';
    // Every style of a face may be reported; the first report's letter case stays.
    if (dlg->FontList.FindStringExact(-1, face) == LB_ERR) dlg->FontList.AddString(face);
    return 1;
}

void CViewerDlg::SelectFace(const char* name)
{
    int index = FontList.FindStringExact(-1, name);
    FontList.SetCurSel(index == LB_ERR ? 0 : index);
}

void CViewerDlg::OnFontListSelChange()
{
    int selected = FontList.GetCurSel();
    if (selected == LB_ERR) return;
    char face[128];
    if (FontList.GetTextLen(selected) >= static_cast<int>(sizeof face)) return;
    FontList.GetText(selected, face);
    ViewerSettingsRecord& settings = ViewerApp().ViewerSettings;
    strncpy(settings.Name, face, sizeof settings.Name - 1);
    settings.Name[sizeof settings.Name - 1] = '\0';
    RebuildPreviewFont();
}
