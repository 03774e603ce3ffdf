// The sample file beside the executable, and the main window's closing.
#include "viewer/ViewerDlg.h"

#include "app/FileReplace.h"
#include "app/ModulePath.h"
#include "res/resource.h"
#include "sample/BoxText.h"

#include <new>
#include <string>

namespace {

// The one backup of sample.txt, made before text of the user's replaces a sample.txt
// that the box did not show exactly. As long as the temporary files' names, it fits
// wherever they fit.
const wchar_t kBackupFile[] = L"sample-backup.txt";

bool WriteSampleFile(HWND box, TextEncoding encoding, bool backUp)
{
    wchar_t path[kModulePathSize], backup[kModulePathSize];
    if (!BuildModuleFilePath(path, L"sample.txt") || (backUp && !BuildModuleFilePath(backup, kBackupFile))) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    try {
        std::wstring text;
        if (!ReadBoxText(box, text)) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return false;
        }
        std::string bytes;
        EncodeKeepingEveryCharacter(text, encoding, bytes);
        // A read-only file stays; so does the old one, when no copy of it could be kept.
        const DWORD attributes = ::GetFileAttributesW(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        if (backUp && attributes != INVALID_FILE_ATTRIBUTES && !CopyIntoPlace(path, backup)) return false;
        return ReplaceFileContent(path, bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
}

}  // namespace

bool CViewerDlg::SaveSampleFile()
{
    // Without the box there is no text to keep: an empty file would lose the old one.
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!box) return true;
    const bool edited = ::SendMessageW(box, EM_GETMODIFY, 0, 0) != 0;
    const SampleSave action = Sample.CloseAction(edited);
    if (action == SampleSave::Leave) return true;
    if (WriteSampleFile(box, Sample.Encoding, action == SampleSave::BackUpAndWrite)) return true;
    // Text that only restates the file, or the built-in sentence, costs nothing when it is not saved.
    return !Sample.UserChanged(edited);
}

bool CViewerDlg::AskToRetrySave(const wchar_t* path, DWORD error)
{
    wchar_t format[512], reason[512] = L"", caption[128] = L"";
    // Even without its resources the question is asked: Cancel must never be the silent answer.
    if (::LoadStringW(AfxGetResourceHandle(), IDS_SAVE_FAILED, format, 512) <= 0) lstrcpynW(format, L"%1\n\n%2", 512);
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason, 512,
                     nullptr);
    ::GetWindowTextW(m_hWnd, caption, 128);
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(path), reinterpret_cast<DWORD_PTR>(reason)};
    wchar_t* message = nullptr;
    if (!::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                          format, 0, 0, reinterpret_cast<wchar_t*>(&message), 0,
                          reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts))))
        message = nullptr;
    const int answer = ::MessageBoxW(m_hWnd, message ? message : path, caption, MB_RETRYCANCEL | MB_ICONEXCLAMATION);
    ::LocalFree(message);
    return answer == IDRETRY;
}

void CViewerDlg::OnClose()
{
    // Text the user changed is never lost without a word: a failed save asks, and
    // Cancel keeps the window open with its text.
    while (!SaveSampleFile()) {
        const DWORD error = GetLastError();
        wchar_t path[kModulePathSize];
        if (!BuildModuleFilePath(path, L"sample.txt")) lstrcpynW(path, L"sample.txt", kModulePathSize);
        if (!AskToRetrySave(path, error)) return;
    }
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
