// The sample file beside the executable, and the main window's closing.
#include "viewer/ViewerDlg.h"

#include "app/ModulePath.h"
#include "res/resource.h"
#include "sample/FileReplace.h"

#include <memory>
#include <new>

void CViewerDlg::SaveSampleFile()
{
    char path[kModulePathSize];
    if (!BuildModuleFilePath(path, "sample.txt")) return;
    // Without the box there is no text to keep: an empty file would lose the old one.
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!box) return;

    int length = ::GetWindowTextLengthA(box);
    if (length < 0) return;
    std::unique_ptr<char[]> text(new (std::nothrow) char[static_cast<size_t>(length) + 1]);
    if (!text) return;
    int copied = length > 0 ? ::GetWindowTextA(box, text.get(), length + 1) : 0;
    if (copied < 0) copied = 0;
    // The old file goes only once the new one is whole; failures stay silent.
    ReplaceFileContent(path, text.get(), static_cast<size_t>(copied));
}

void CViewerDlg::OnClose()
{
    SaveSampleFile();
    if (PreviewFont) {
        PreviewFont->DeleteObject();
        delete PreviewFont;
        PreviewFont = nullptr;
    }
    DestroyToolBar();
    EndDialog(1);
}
