// The installed font list: one entry per face name, sorted by the list box.
#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "res/resource.h"

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


// The list draws nothing from here until the end of the fill, whichever way the fill ends.
class HeldListDrawing {
public:
    explicit HeldListDrawing(CListBox& list) : m_list(list) { m_list.SendMessage(WM_SETREDRAW, FALSE, 0); }
    ~HeldListDrawing()
    {
        m_list.SendMessage(WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
    }
    HeldListDrawing(const HeldListDrawing&) = delete;
    HeldListDrawing& operator=(const HeldListDrawing&) = delete;

private:
    CListBox& m_list;
};

// The display's device context for one enumeration.
class DisplayContext {
public:
    DisplayContext() : m_dc(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
    ~DisplayContext()
    {
        if (m_dc) DeleteDC(m_dc);
    }
    DisplayContext(const DisplayContext&) = delete;
    DisplayContext& operator=(const DisplayContext&) = delete;
    HDC Handle() const { return m_dc; }

private:
    HDC m_dc;
};

// The gathering slot is this fill's only while it runs.
class GatheringSlot {
public:
    explicit GatheringSlot(FaceGathering& gathering) { g_gathering = &gathering; }
    ~GatheringSlot() { g_gathering = nullptr; }
    GatheringSlot(const GatheringSlot&) = delete;
    GatheringSlot& operator=(const GatheringSlot&) = delete;
};

}  // namespace

void CViewerDlg::FillFontList()
{
    // A visible list redraws its scroll bar at every addition, which costs far more
    // than the enumeration itself: it draws once, after the last face.
    HeldListDrawing held(FontList);
    FontList.ResetContent();
    FaceGathering gathering;
    {
        GatheringSlot slot(gathering);
        DisplayContext display;
        EnumFontsA(display.Handle(), nullptr, &CViewerDlg::AddFaceProc, reinterpret_cast<LPARAM>(this));
    }
    // Already in the list's order, each name goes to the end without a search.
    std::vector<const std::string*> ordered = ListOrder(gathering.faces);
    FontList.SendMessage(LB_INITSTORAGE, ordered.size(), 0);
    for (const std::string* face : ordered)
        FontList.SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face->c_str()));
    if (FontList.GetCount() > 0) FontList.SetCurSel(0);
}

int CALLBACK CViewerDlg::AddFaceProc(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM context)
{
    // The platform calls this: nothing may be thrown back through its frames. A face
    // that cannot be kept (memory ran out) ends the enumeration, and the faces gathered
    // so far are listed.
    try {
        CViewerDlg* dlg = reinterpret_cast<CViewerDlg*>(context);
        char face[LF_FACESIZE];
        strncpy(face, logFont->lfFaceName, LF_FACESIZE - 1);
        face[LF_FACESIZE - 1] = '\0';
        // Every style of a face may be reported; the first report's letter case stays.
        if (g_gathering) {
            if (g_gathering->reported.insert(face).second) g_gathering->faces.push_back(face);
            return 1;
        }
        if (dlg->FontList.FindStringExact(-1, face) == LB_ERR) dlg->FontList.AddString(face);
        return 1;
    } catch (...) {
        return 0;
    }
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
    // A name no font can carry is not stored; the rebuild refuses it and goes back.
    if (FontList.GetTextLen(selected) >= static_cast<int>(sizeof face)) return RebuildPreviewFont();
    FontList.GetText(selected, face);
    // A face from a file lasts for this run only: the next start comes back to the installed one.
    if (FontFiles.IsFileFace(face)) return RebuildPreviewFont();
    ViewerSettingsRecord& settings = ViewerApp().ViewerSettings;
    strncpy(settings.Name, face, sizeof settings.Name - 1);
    settings.Name[sizeof settings.Name - 1] = '\0';
    RebuildPreviewFont();
}

bool CViewerDlg::FindTypedFace(const MSG& msg)
{
    if (msg.message != WM_CHAR || !FontList.m_hWnd || msg.hwnd != FontList.m_hWnd) return false;
    wchar_t character = static_cast<wchar_t>(msg.wParam);
    // Control keys (Enter, Escape, Backspace, Tab) keep their meaning.
    if (character < 0x20 || character == 0x7F) return false;
    FaceSearch search = FaceFinder.Type(character, static_cast<unsigned long>(msg.time));
    int selected = FontList.GetCurSel();
    // The list's own search: letter case ignored, from the start or on from the selection, wrapping.
    LRESULT found = ::SendMessageW(FontList.m_hWnd, LB_FINDSTRING,
                                   static_cast<WPARAM>(search.afterSelection ? selected : -1),
                                   reinterpret_cast<LPARAM>(search.prefix.c_str()));
    if (found != LB_ERR && found != selected) {
        // As a click on the face: the selection, then the list's notification.
        FontList.SetCurSel(static_cast<int>(found));
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(FontList.m_hWnd));
    }
    return true;
}
