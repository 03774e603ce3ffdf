// The installed font list: one entry per face name, sorted by the list box.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// The fill in progress. The platform reports each face once per character set,
// tens of thousands of reports with a few thousand fonts installed, and the list's
// own exact search reads every entry for each: so the fill gathers the names first
// and hands them to the list once, in the list's own order.
struct FaceGathering {
    std::unordered_set<std::string> reported;
    std::vector<std::string> faces;  // in the order of their first report
};

thread_local FaceGathering* g_gathering = nullptr;

struct SortableFace {
    std::string key;  // the platform's sort key, letter case ignored: the list's order and equality
    const std::string* face;
};

std::string SortKey(const std::string& face)
{
    int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, face.c_str(), -1, nullptr, 0);
    std::string key(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, face.c_str(), -1,
                               reinterpret_cast<LPSTR>(&key[0]), size);
    return key;
}

// The gathered faces in the list's order, one per name with letter case ignored,
// each in the letter case of its first report.
std::vector<const std::string*> ListOrder(const std::vector<std::string>& faces)
{
    std::vector<SortableFace> sortable;
    sortable.reserve(faces.size());
    for (const std::string& face : faces) sortable.push_back({SortKey(face), &face});
    std::stable_sort(sortable.begin(), sortable.end(),
                     [](const SortableFace& a, const SortableFace& b) { return a.key < b.key; });
    std::vector<const std::string*> ordered;
    ordered.reserve(sortable.size());
    for (size_t i = 0; i < sortable.size(); ++i)
        if (i == 0 || sortable[i].key != sortable[i - 1].key) ordered.push_back(sortable[i].face);
    return ordered;
}

}  // namespace

void CViewerDlg::FillFontList()
{
    // A visible list redraws its scroll bar at every addition, which costs far more
    // than the enumeration itself: it draws once, after the last face.
    FontList.SendMessage(WM_SETREDRAW, FALSE, 0);
    FontList.ResetContent();
    FaceGathering gathering;
    g_gathering = &gathering;
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EnumFontsA(display, nullptr, &CViewerDlg::AddFaceProc, reinterpret_cast<LPARAM>(this));
    DeleteDC(display);
    g_gathering = nullptr;
    // Already in the list's order, each name goes to the end without a search.
    std::vector<const std::string*> ordered = ListOrder(gathering.faces);
    FontList.SendMessage(LB_INITSTORAGE, ordered.size(), 0);
    for (const std::string* face : ordered)
        FontList.SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face->c_str()));
    if (FontList.GetCount() > 0) FontList.SetCurSel(0);
    FontList.SendMessage(WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(FontList.m_hWnd, nullptr, TRUE);
}

int CALLBACK CViewerDlg::AddFaceProc(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM context)
{
    CViewerDlg* dlg = reinterpret_cast<CViewerDlg*>(context);
    char face[256];
    strncpy(face, logFont->lfFaceName, LF_FACESIZE - 1);
    face[LF_FACESIZE - 1] = '\0';
    // Every style of a face may be reported; the first report's letter case stays.
    if (g_gathering) {
        if (g_gathering->reported.insert(face).second) g_gathering->faces.push_back(face);
        return 1;
    }
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
