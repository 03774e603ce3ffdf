// Files dropped on the window: font files open as File, Open Font File opens them, and a text
// file becomes the sample text as File, Open Text File makes it. Anything else is said and
// left: a picture or an archive dropped by a slip would otherwise become the sample text.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"
#include "sample/FileMessages.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace {

bool HasExtension(const std::wstring& path, std::initializer_list<const wchar_t*> extensions)
{
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring::npos || path[dot] != L'.') return false;
    for (const wchar_t* extension : extensions)
        if (::lstrcmpiW(path.c_str() + dot, extension) == 0) return true;
    return false;
}

bool IsFontFileName(const std::wstring& path)
{
    return HasExtension(path, {L".ttf", L".otf", L".ttc", L".otc", L".fon", L".fnt"});
}

}  // namespace

void CViewerDlg::OnDropFiles(HDROP drop)
{
    std::vector<std::wstring> fonts;
    std::wstring text, refused;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size())));
        if (IsFontFileName(path)) fonts.push_back(path);
        else if (text.empty() && HasExtension(path, {L".txt"})) text = path;  // the box holds one text
        else if (refused.empty()) refused = path;
    }
    ::DragFinish(drop);
    if (!text.empty()) {
        OpenTextFile(text);
        TakeSampleCharacters();
    }
    OpenFontFiles(fonts);
    if (!refused.empty())
        ShowFileMessage(m_hWnd, FormatResource(IDS_DROP_NOT_OPENED, L"%1", refused.c_str()), MB_OK | MB_ICONEXCLAMATION);
}
