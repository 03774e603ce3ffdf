// The sample file beside the executable, and the main window's closing.
#include "viewer/ViewerDlg.h"

#include "app/ModulePath.h"
#include "res/resource.h"
#include "app/FileReplace.h"

#include <new>
#include <string>

void CViewerDlg::SaveSampleFile()
{
    char path[kModulePathSize];
    if (!BuildModuleFilePath(path, "sample.txt")) return;
    // Without the box there is no text to keep: an empty file would lose the old one.
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!box) return;
    // What a failed read left in the box is not the file's text; what the user typed is.
    if (KeepSampleFile && !::SendMessageW(box, EM_GETMODIFY, 0, 0)) return;

    int length = ::GetWindowTextLengthW(box);
    if (length < 0) return;
    try {
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        int copied = length > 0 ? ::GetWindowTextW(box, &text[0], length + 1) : 0;
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
        std::string bytes;
        EncodeKeepingEveryCharacter(text, SampleEncoding, bytes);
        // The old file goes only once the new one is whole; failures stay silent.
        ReplaceFileContent(path, bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
    }
}

void CViewerDlg::OnClose()
{
    SaveSampleFile();
    if (PreviewFont) {
        // The box lets go of the font before it is released, as at every rebuild.
        SampleBox.SendMessage(WM_SETFONT, 0, FALSE);
        PreviewFont->DeleteObject();
        delete PreviewFont;
        PreviewFont = nullptr;
    }
    DestroyToolBar();
    EndDialog(1);
}
