// Where the sample text comes from: the sample file, a text file, the built-in samples.
#include "viewer/ViewerDlg.h"

#include "app/ModulePath.h"
#include "app/ViewerApp.h"
#include "res/resource.h"
#include "sample/SampleLines.h"
#include "sample/TextEncoding.h"

#include <memory>

namespace {

const char kFileFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// The edit control's own limit (about 30,000 characters) would cut a longer file
// and then the shortened text would overwrite the sample file at close.
void LiftTextLimit(HWND box)
{
    ::SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
}

// Keeps the box from drawing until it goes out of scope, whichever way that happens.
class SuspendedDrawing {
public:
    explicit SuspendedDrawing(HWND box) : m_box(box)
    {
        m_locked = ::LockWindowUpdate(box) != FALSE;
        ::SendMessageA(box, WM_SETREDRAW, 0, 0);
    }
    ~SuspendedDrawing()
    {
        ::SendMessageA(m_box, WM_SETREDRAW, 1, 0);
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

}  // namespace

void CViewerDlg::LoadInitialSample()
{
    // Start-up brings the box to the stored wrapping right after this. Doing it now,
    // while the box is still empty, spares re-creating a box full of a long file.
    if (WordWrapState != ViewerApp().ViewerSettings.Wordwrap) ToggleWordWrap();
    LiftTextLimit(GetDlgItem(IDC_SAMPLE_BOX));
    char path[kModulePathSize];
    if (BuildModuleFilePath(path, "sample.txt") && LoadTextFile(path)) return;

    char text[1024];
    if (LoadStringA(AfxGetResourceHandle(), IDS_SAMPLE_SENTENCE, text, sizeof text) <= 0)
        lstrcpynA(text, "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz", sizeof text);
    SetDlgItemText(IDC_SAMPLE_BOX, text);
}

bool CViewerDlg::LoadTextFile(const char* path)
{
    CStdioFile file;
    if (!path || !file.Open(path, 0)) return false;

    // The whole text is gathered first and goes into the box in one insertion:
    // appending line by line costs time in proportion to the square of the length.
    SampleTextBuilder text;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.m_hFile, &size) && size.QuadPart < (1LL << 30))
        text.Reserve(static_cast<size_t>(size.QuadPart + size.QuadPart / 8 + 2));
    char line[1024];
    UINT length = 0;
    while (file.ReadString(line, sizeof line, &length)) text.AddPiece(line, length);
    // A read error midway keeps what was read before it.
    text.Finish();
    file.Close();
    // A file marked as UTF-8 shows its characters, not the bytes that encode them.
    if (text.MarkedUtf8()) ConvertUtf8ToAnsi(text.Text());

    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    SetDlgItemText(IDC_SAMPLE_BOX, "");
    LiftTextLimit(box);
    {
        SuspendedDrawing suspended(box);
        AppendSampleText(text.Text().c_str());
        ::SendMessageA(box, EM_SCROLLCARET, 0, 0);
    }
    return true;
}

void CViewerDlg::AppendSampleText(const char* text)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    ::SendMessageA(box, EM_SETSEL, static_cast<WPARAM>(-1), 0xFFFF);
    ::SendMessageA(box, EM_SCROLLCARET, 0, 0);
    ::SendMessageA(box, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
}

void CViewerDlg::OnOpenTextFile()
{
    std::unique_ptr<CFileDialog> dialog(new CFileDialog(TRUE, ".txt", nullptr, 0, kFileFilter, this));
    if (dialog->DoModal() == IDOK) LoadTextFile(dialog->GetPathName());
}

void CViewerDlg::ShowStandardSample()
{
    char text[256];
    if (LoadStringA(AfxGetResourceHandle(), IDS_STANDARD_SAMPLE, text, 255) <= 0) text[0] = '\0';
    SampleBox.SetWindowText(text);
}

void CViewerDlg::ShowAsciiSample()
{
    char text[256 - 32 + 1];
    for (int code = 32; code <= 255; ++code) text[code - 32] = static_cast<char>(code);
    text[256 - 32] = '\0';
    SampleBox.SetWindowText(text);
}
