// Where the sample text comes from: the sample file, a text file, the built-in samples.
#include "viewer/ViewerDlg.h"

#include "app/ModulePath.h"
#include "app/ViewerApp.h"
#include "res/resource.h"
#include "sample/BoxText.h"
#include "sample/FileMessages.h"
#include "sample/SampleLines.h"
#include "sample/TextEncoding.h"

#include <memory>
#include <new>
#include <string>

namespace {

const char kFileFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// Puts an 8-bit sample into the box, converted with the code page; the face is first
// tried on the text as the box will hold it.
bool ShowCodePageText(CViewerDlg& dlg, const char* text)
{
    int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    dlg.FitFontToText(wide);
    return dlg.HandSampleBoxText(WM_SETTEXT, wide.c_str());
}

// The edit control's own limit (about 30,000 characters) would cut a longer file
// and then the shortened text would overwrite the sample file at close.
void LiftTextLimit(HWND box)
{
    ::SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
}

// Keeps the box from drawing until it goes out of scope, whichever way that happens.
class SuspendedDrawing {
public:
    explicit SuspendedDrawing(HWND box) : m_box(box)
    {
        m_locked = ::LockWindowUpdate(box) != FALSE;
        ::SendMessageW(box, WM_SETREDRAW, 0, 0);
    }
    ~SuspendedDrawing()
    {
        ::SendMessageW(m_box, WM_SETREDRAW, 1, 0);
        if (m_locked) ::LockWindowUpdate(nullptr);
        // The one repaint of the new text.
        ::InvalidateRect(m_box, nullptr, TRUE);
    }
    SuspendedDrawing(const SuspendedDrawing&) = delete;
    SuspendedDrawing& operator=(const SuspendedDrawing&) = delete;

private:
    HWND m_box;
    bool m_locked;
};

// More than the 32-bit program can hold as text at once (file, UTF-16 text and the
// box's own copy): such a file loads nothing rather than stopping start-up half way.
const LONGLONG kLargestTextFile = 100LL << 20;

enum class FileRead { Missing, NotOpened, TooLarge, Partial, Whole };

// A text file as the box shows it.
struct FileText {
    FileRead read = FileRead::Missing;
    std::wstring text;
    TextEncoding encoding = TextEncoding::CodePage;
    bool exact = false;  // read whole, and the text gives back every byte of it
    FileContent content;  // which bytes were read, for the close to tell a file written meanwhile
    DWORD error = ERROR_SUCCESS;  // why it was not read whole
};

// The file's bytes, read whole in one go; a read error midway keeps what came before it.
FileRead ReadFileBytes(const wchar_t* path, std::string& bytes)
{
    CFile file;
    // Others may read the file too (a scanner, an editor showing it); a writer keeps us out.
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing
                                                                              : FileRead::NotOpened;
    }
    LARGE_INTEGER size{};
    // Pipes and devices have no size: they are read until they end.
    const UINT kChunk = 1u << 20;
    if (GetFileSizeEx(file.m_hFile, &size)) {
        if (size.QuadPart > kLargestTextFile) return FileRead::TooLarge;
        // Room for the read that finds the end too, so the bytes are never moved.
        bytes.reserve(static_cast<size_t>(size.QuadPart) + kChunk);
    }
    for (;;) {
        const size_t at = bytes.size();
        if (static_cast<LONGLONG>(at) >= kLargestTextFile) return FileRead::TooLarge;
        bytes.resize(at + kChunk);
        const int read = file.Read(&bytes[at], kChunk);
        bytes.resize(at + static_cast<size_t>(read > 0 ? read : 0));
        if (read < 0) return FileRead::Partial;
        if (read == 0) return FileRead::Whole;
    }
}

// The file's text as the box shows it: decoded once, then joined into CR LF lines.
void ReadTextFile(const wchar_t* path, FileText& file)
{
    try {
        std::string bytes;
        file.read = ReadFileBytes(path, bytes);
        file.error = GetLastError();
        file.content = file.read == FileRead::Missing ? FileContent::Missing() : FileContent::Unknown();
        if (file.read == FileRead::Whole) {
            file.content = FileContent::Empty();
            file.content.Add(bytes.data(), bytes.size());
        }
        if (file.read != FileRead::Partial && file.read != FileRead::Whole) return;
        std::wstring decoded;
        file.encoding = DecodeText(bytes, decoded);
        file.exact = file.read == FileRead::Whole && EncodesBackTo(decoded, file.encoding, bytes);
        std::string().swap(bytes);
        SampleTextBuilder lines;
        lines.Reserve(decoded.size() + decoded.size() / 8 + 2);
        lines.AddPiece(decoded.data(), decoded.size());
        lines.Finish();
        file.exact = file.exact && ShowsEveryCharacter(decoded, lines.Text());
        std::wstring().swap(decoded);
        file.text.swap(lines.Text());
    } catch (const std::bad_alloc&) {
        file.read = FileRead::TooLarge;
        file.content = FileContent::Unknown();
    }
}

bool Shown(const FileText& file) { return file.read == FileRead::Whole || file.read == FileRead::Partial; }

}  // namespace

void CViewerDlg::LoadInitialSample()
{
    // Start-up brings the box to the stored wrapping right after this. Doing it now,
    // while the box is still empty, spares re-creating a box full of a long file.
    if (WordWrapState != ViewerApp().ViewerSettings.Wordwrap) ToggleWordWrap();
    UseUnicodeSampleBox();
    LiftTextLimit(GetDlgItem(IDC_SAMPLE_BOX));
    Sample = SampleOrigin();
    wchar_t path[kModulePathSize];
    if (BuildModuleFilePath(path, L"sample.txt")) {
        FileText file;
        ReadTextFile(path, file);
        Sample.Read = file.content;
        if (Shown(file) && ShowFileText(file.text)) {
            Sample.Encoding = file.encoding;
            Sample.FileNotShown = !file.exact;
            return;
        }
        // A file that is there but could not be shown is the user's text all the same.
        Sample.FileNotShown = file.read != FileRead::Missing;
    }

    char text[1024];
    if (LoadStringA(AfxGetResourceHandle(), IDS_SAMPLE_SENTENCE, text, sizeof text) <= 0)
        lstrcpynA(text, "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz", sizeof text);
    ShowCodePageText(*this, text);
}

bool CViewerDlg::LoadTextFile(const char* path)
{
    if (!path) return false;
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0) return false;
    std::wstring widePath(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &widePath[0], length);
    return LoadTextFile(widePath.c_str());
}

bool CViewerDlg::LoadTextFile(const wchar_t* path)
{
    FileText file;
    ReadTextFile(path, file);
    // Half a file in the box would read as the whole of it: the box stays as it is.
    if (file.read == FileRead::Whole) {
        if (ShowFileText(file.text)) return true;
        file.error = ERROR_NOT_ENOUGH_MEMORY;
    }
    SetLastError(file.read == FileRead::TooLarge ? ERROR_FILE_TOO_LARGE
                 : file.error != ERROR_SUCCESS   ? file.error
                                                 : ERROR_READ_FAULT);
    return false;
}

void CViewerDlg::ReportUnreadableFile(const wchar_t* path, DWORD error)
{
    std::wstring reason;
    if (error == ERROR_FILE_TOO_LARGE) {
        reason = FormatResource(IDS_TEXT_TOO_LARGE, L"", L"");
    } else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_SHARING_VIOLATION ||
               error == ERROR_ACCESS_DENIED) {
        reason = SystemReason(error);
    } else {
        // A file that opened and then failed stopped midway.
        reason = FormatResource(IDS_TEXT_READ_STOPPED, L"%1", SystemReason(error).c_str());
    }
    ShowFileMessage(m_hWnd, FormatResource(IDS_OPEN_TEXT_FAILED, L"%1\n\n%2", path, reason.c_str()),
                    MB_OK | MB_ICONEXCLAMATION);
}

bool CViewerDlg::ShowFileText(const std::wstring& text)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    // An 8-bit box would turn characters beyond the code page into '?', which the close would keep.
    if (!::IsWindowUnicode(box)) return false;
    // What the box holds now comes back should it not take the whole file.
    std::wstring previous;
    if (!ReadBoxText(box, previous)) return false;
    const LRESULT edited = ::SendMessageW(box, EM_GETMODIFY, 0, 0);
    FitFontToText(text);
    ::SetWindowTextW(box, L"");
    LiftTextLimit(box);
    SuspendedDrawing suspended(box);
    // The whole text in one insertion: line by line costs time in proportion to
    // the square of the length.
    AppendSampleText(text.c_str());
    box = GetDlgItem(IDC_SAMPLE_BOX);  // made anew if laying the text out faulted
    ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
    // A box that ran out of memory holds less than the file.
    if (static_cast<size_t>(::GetWindowTextLengthW(box)) != text.size()) {
        HandSampleBoxText(WM_SETTEXT, previous.c_str());
        box = GetDlgItem(IDC_SAMPLE_BOX);
        ::SendMessageW(box, EM_SETMODIFY, edited ? TRUE : FALSE, 0);
        // A box that could not even take its old text back shows no file exactly.
        if (static_cast<size_t>(::GetWindowTextLengthW(box)) != previous.size()) Sample.FileNotShown = true;
        return false;
    }
    // Only the user's own changes mark the text as changed.
    ::SendMessageW(box, EM_SETMODIFY, FALSE, 0);
    return true;
}

void CViewerDlg::AppendSampleText(const wchar_t* text)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    ::SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(-1), 0xFFFF);
    ::SendMessageW(box, EM_SCROLLCARET, 0, 0);
    HandSampleBoxText(EM_REPLACESEL, text);
}

void CViewerDlg::OnOpenTextFile()
{
    std::unique_ptr<CFileDialog> dialog(new CFileDialog(TRUE, ".txt", nullptr, 0, kFileFilter, this));
    if (dialog->DoModal() != IDOK) return;
    OpenTextFile(dialog->GetPathName());
}

void CViewerDlg::OpenTextFile(const std::wstring& path)
{
    // Text the user chose is theirs to keep at the close.
    if (LoadTextFile(path.c_str())) Sample.TextReplaced = true;
    else ReportUnreadableFile(path.c_str(), GetLastError());
}

void CViewerDlg::ShowStandardSample()
{
    char text[256];
    if (LoadStringA(AfxGetResourceHandle(), IDS_STANDARD_SAMPLE, text, 255) <= 0) text[0] = '\0';
    // A text the box could not take (it was made anew with the one before) is not the user's.
    if (ShowCodePageText(*this, text)) Sample.TextReplaced = true;
}

void CViewerDlg::ShowAsciiSample()
{
    char text[256 - 32 + 1];
    for (int code = 32; code <= 255; ++code) text[code - 32] = static_cast<char>(code);
    text[256 - 32] = '\0';
    // The code page's characters: the 8-bit text is converted with it on the way into the box.
    // A text the box could not take (it was made anew with the one before) is not the user's.
    if (ShowCodePageText(*this, text)) Sample.TextReplaced = true;
}
