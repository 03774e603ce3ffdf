// Files dropped on the window: font files open as File, Open Font File opens them, and a text
// file becomes the sample text as File, Open Text File makes it.
#include "viewer/ViewerDlg.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

bool IsFontFileName(const std::wstring& path)
{
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring::npos || path[dot] != L'.') return false;
    for (const wchar_t* extension : {L".ttf", L".otf", L".ttc", L".otc", L".fon", L".fnt"})
        if (::lstrcmpiW(path.c_str() + dot, extension) == 0) return true;
    return false;
}

}  // namespace

void CViewerDlg::OnDropFiles(HDROP drop)
{
    std::vector<std::wstring> fonts;
    std::wstring text;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size())));
        if (IsFontFileName(path)) fonts.push_back(path);
        else if (text.empty()) text = path;  // the box holds one text: the first dropped
    }
    ::DragFinish(drop);
    if (!text.empty()) {
        OpenTextFile(text);
        TakeSampleCharacters();
    }
    OpenFontFiles(fonts);
}
