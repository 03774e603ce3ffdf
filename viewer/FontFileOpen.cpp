// File, Open Font File...: font files looked at before they are installed. Each file is added
// for this process alone (OpenedFontFiles), and its faces join the list with a mark.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"
#include "sample/FileMessages.h"
#include "viewer/FontFileNames.h"

#include <memory>
#include <new>
#include <set>

namespace {

const char kFontFilter[] =
    "Font Files (*.ttf;*.otf;*.ttc;*.otc;*.fon;*.fnt)|*.ttf;*.otf;*.ttc;*.otc;*.fon;*.fnt|All Files (*.*)|*.*||";
// Far beyond the largest collections; the bytes are only held while the names are read.
const LONGLONG kLargestFontFile = 256LL << 20;

// Why a file was not opened: a message of ours (with the face it names), or the system's error.
struct Refusal {
    UINT reason = 0;
    DWORD error = ERROR_SUCCESS;
    std::wstring face;
};

bool ReadWholeFile(const wchar_t* path, std::string& bytes, DWORD& error)
{
    CFile file;
    LARGE_INTEGER size{};
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite) || !GetFileSizeEx(file.m_hFile, &size)) {
        error = GetLastError();
        return false;
    }
    if (size.QuadPart > kLargestFontFile) {
        error = ERROR_FILE_TOO_LARGE;
        return false;
    }
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    const int read = bytes.empty() ? 0 : file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    if (read < 0) error = GetLastError();
    bytes.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return read >= 0;
}

// The older bitmap fonts hold no name table: the platform alone tells their faces.
bool IsBitmapFontName(const std::wstring& path)
{
    const size_t dot = path.find_last_of(L".\\/");
    if (dot == std::wstring::npos || path[dot] != L'.') return false;
    return ::lstrcmpiW(path.c_str() + dot, L".fon") == 0 || ::lstrcmpiW(path.c_str() + dot, L".fnt") == 0;
}

// Names as the font list compares them: letter case ignored.
struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const { return ::lstrcmpiA(a.c_str(), b.c_str()) < 0; }
};
using Families = std::set<std::string, NoCase>;

int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM context)
{
    try {
        reinterpret_cast<Families*>(context)->insert(font->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
}

// The families the platform lists to this process now, or those of one name.
Families ListedFamilies(const char* name = "")
{
    Families families;
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, name, LF_FACESIZE);
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(screen, &wanted, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
    ::ReleaseDC(nullptr, screen);
    return families;
}

// The family name as the list holds it: code-page text that fits a font description whole.
bool ListName(const std::u16string& family, std::string& name)
{
    char text[LF_FACESIZE];
    BOOL lost = FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(family.c_str()),
                                            static_cast<int>(family.size()), text, LF_FACESIZE - 1, nullptr, &lost);
    if (bytes <= 0 || lost) return false;
    name.assign(text, static_cast<size_t>(bytes));
    return true;
}

std::wstring Wide(const std::string& name)
{
    wchar_t text[LF_FACESIZE] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, text, LF_FACESIZE);
    return text;
}

}  // namespace

void CViewerDlg::OnOpenFontFile()
{
    std::unique_ptr<CFileDialog> dialog(
        new CFileDialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST, kFontFilter, this));
    if (dialog->DoModal() != IDOK) return;
    OpenFontFiles(dialog->GetPathNames());
}

void CViewerDlg::OpenFontFiles(const std::vector<std::wstring>& paths)
{
    std::string shown;
    for (const std::wstring& path : paths) {
        std::string first;
        if (OpenFontFile(path, first)) shown = first;
    }
    if (shown.empty()) return;
    // As a click on the face, but the settings keep the last installed face.
    FontList.SetCurSel(FontList.FindStringExact(-1, shown.c_str()));
    RebuildPreviewFont();
}

bool CViewerDlg::OpenFontFile(const std::wstring& path, std::string& firstFace)
{
    Refusal refusal;
    std::vector<std::string> faces;
    std::string bytes;
    std::vector<std::u16string> families;
    const bool bitmap = IsBitmapFontName(path);
    if (!ReadWholeFile(path.c_str(), bytes, refusal.error)) {
        refusal.reason = 0;
    } else {
        const FontFileNames read =
            ReadFontFileNames(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), families);
        std::string().swap(bytes);
        if (read == FontFileNames::NotAFont && !bitmap) refusal.reason = IDS_FONT_NOT_A_FONT;
        else if (read == FontFileNames::Damaged) refusal.reason = IDS_FONT_DAMAGED;
        else if (read == FontFileNames::Unnamed) refusal.reason = IDS_FONT_UNNAMED;
    }
    // A face is opened only when the platform lists no face of its name before the file is
    // added: after, the name can stand for the file's face alone.
    for (size_t i = 0; i < families.size() && !refusal.reason && refusal.error == ERROR_SUCCESS; ++i) {
        std::string name;
        if (!ListName(families[i], name)) refusal.reason = IDS_FONT_UNNAMED;
        else if (FontFiles.IsFileFace(name.c_str())) refusal = {IDS_FONT_ALREADY_OPEN, 0, Wide(name)};
        else if (!ListedFamilies(name.c_str()).empty()) refusal = {IDS_FONT_NAME_INSTALLED, 0, Wide(name)};
        else faces.push_back(name);
    }
    if (refusal.reason || refusal.error != ERROR_SUCCESS) {
        ReportFontFile(path, refusal.reason, refusal.error, refusal.face);
        return false;
    }

    const Families before = bitmap && faces.empty() ? ListedFamilies() : Families();
    if (!FontFiles.Add(path)) {
        ReportFontFile(path, IDS_FONT_REFUSED, 0, L"");
        return false;
    }
    if (faces.empty()) {
        for (const std::string& family : ListedFamilies())
            if (!before.count(family) && FontList.FindStringExact(-1, family.c_str()) == LB_ERR)
                faces.push_back(family);
    }
    // Each name the file gives is now listed, or the platform took the file otherwise.
    bool listed = !faces.empty();
    for (const std::string& face : faces) listed = listed && !ListedFamilies(face.c_str()).empty();
    if (!listed) {
        FontFiles.RemoveLast();
        ReportFontFile(path, bitmap ? IDS_FONT_NO_NEW_FACE : IDS_FONT_REFUSED, 0, L"");
        return false;
    }
    for (const std::string& face : faces) {
        FontFiles.NoteFace(face);
        if (FontList.FindStringExact(-1, face.c_str()) == LB_ERR) FontList.AddString(face.c_str());
    }
    firstFace = faces.front();
    return true;
}

void CViewerDlg::ReportFontFile(const std::wstring& path, UINT reason, DWORD error, const std::wstring& face)
{
    const std::wstring why = reason ? FormatResource(reason, L"", face.c_str()) : SystemReason(error);
    ShowFileMessage(m_hWnd, FormatResource(IDS_OPEN_FONT_FAILED, L"%1\n\n%2", path.c_str(), why.c_str()),
                    MB_OK | MB_ICONEXCLAMATION);
}
