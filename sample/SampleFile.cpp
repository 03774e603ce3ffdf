// The sample file beside the executable, and the main window's closing.
#include "viewer/ViewerDlg.h"

#include "app/FileReplace.h"
#include "app/ModulePath.h"
#include "app/ViewerApp.h"
#include "res/resource.h"
#include "sample/BoxText.h"
#include "sample/FileMessages.h"
#include "sample/SampleOnDisk.h"

#include <new>
#include <string>

namespace {

// The newest backup of sample.txt; earlier ones are numbered beside it.
const wchar_t kBackupFile[] = L"sample-backup.txt";

}  // namespace

bool CViewerDlg::WriteSampleFile(bool edited)
{
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    wchar_t path[kModulePathSize], backup[kModulePathSize];
    if (!BuildModuleFilePath(path, L"sample.txt")) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    UnsavedFile = path;
    try {
        std::string bytes;
        TextEncoding encoding;
        {
            std::wstring text;
            if (!ReadBoxText(box, text)) {
                SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                return false;
            }
            encoding = EncodeKeepingEveryCharacter(text, Sample.Encoding, bytes);
        }
        FileContent written = FileContent::Empty();
        written.Add(bytes.data(), bytes.size());
        SampleOnDisk disk(path, Sample.Read, written);
        const SampleSave action = Sample.CloseAction(edited, disk.Content(), written, encoding, disk.Linked());
        if (action == SampleSave::Leave) return true;
        // A read-only file stays; so does the old one, when no copy of it could be kept.
        const DWORD attributes = ::GetFileAttributesW(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        const bool backedUp = action == SampleSave::BackUpAndWrite && disk.Content().present;
        if (backedUp && !BuildModuleFilePath(backup, kBackupFile)) {
            // In a folder so deep that only sample.txt's name fits beside the program.
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        if (backedUp && !disk.KeepAsBackup(backup)) {
            if (disk.Error() == ERROR_SUCCESS) UnsavedFile = backup;
            return false;
        }
        // Writers stay out until the new text is whole and about to take the file's place,
        // and a file that appeared since it was found missing is not replaced. Written in
        // place only once the old bytes are safe in the backup: a write that failed midway
        // would otherwise leave neither version.
        ReplaceWay way;
        way.inPlace = !backedUp ? InPlace::Never : disk.Linked() ? InPlace::Always : InPlace::WhenNoNewFile;
        way.overExisting = disk.Content().present;
        way.letGo = [&disk] { disk.Release(); };
        if (!ReplaceFileContent(path, bytes.data(), bytes.size(), way)) return false;
        // The file now is the box's text: a later close (or the session's end) starts from it.
        Sample.Read = written;
        Sample.Encoding = encoding;
        Sample.FileNotShown = false;
        Sample.TextReplaced = false;
        ::SendMessageW(box, EM_SETMODIFY, FALSE, 0);
        return true;
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
}

bool CViewerDlg::SaveSampleFile()
{
    // Without the box there is no text to keep: an empty file would lose the old one.
    HWND box = GetDlgItem(IDC_SAMPLE_BOX);
    if (!box) return true;
    const bool edited = ::SendMessageW(box, EM_GETMODIFY, 0, 0) != 0;
    if (WriteSampleFile(edited)) return true;
    // Text that only restates the file, or the built-in sentence, costs nothing when it is not saved.
    return !Sample.UserChanged(edited);
}

bool CViewerDlg::AskToRetrySave(const wchar_t* path, DWORD error)
{
    // Even without its resources the question is asked: Cancel must never be the silent answer.
    const std::wstring text = FormatResource(IDS_SAVE_FAILED, L"%1\n\n%2", path, SystemReason(error).c_str());
    return ShowFileMessage(m_hWnd, text, MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

void CViewerDlg::OnClose()
{
    // Text the user changed is never lost without a word: a failed save asks, and
    // Cancel keeps the window open with its text.
    while (!SaveSampleFile()) {
        const DWORD error = GetLastError();
        if (!AskToRetrySave(UnsavedFile.empty() ? L"sample.txt" : UnsavedFile.c_str(), error)) return;
    }
    EndAfterSaving();
}

void CViewerDlg::EndAfterSaving()
{
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

namespace {

// The reason shown beside the program when it asks the system not to end the session
// yet; the functions exist from Windows Vista on.
void SetShutdownBlockReason(HWND window, const wchar_t* reason)
{
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    if (reason) {
        using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
        if (auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(::GetProcAddress(user, "ShutdownBlockReasonCreate"))))
            create(window, reason);
    } else {
        using Destroy = BOOL(WINAPI*)(HWND);
        if (auto destroy = reinterpret_cast<Destroy>(reinterpret_cast<void*>(::GetProcAddress(user, "ShutdownBlockReasonDestroy"))))
            destroy(window);
    }
}

}  // namespace

BOOL CViewerDlg::OnQueryEndSession()
{
    // Logging off, shutting down or an installer's restart ends the program without a
    // close: the text is saved now, while the user can still be told that it cannot be.
    if (SaveSampleFile()) return TRUE;
    const std::wstring reason =
        FormatResource(IDS_SESSION_END_UNSAVED, L"%1", UnsavedFile.empty() ? L"sample.txt" : UnsavedFile.c_str());
    SetShutdownBlockReason(m_hWnd, reason.c_str());
    return FALSE;
}

void CViewerDlg::OnEndSession(bool ending, LPARAM how)
{
    SetShutdownBlockReason(m_hWnd, nullptr);
    if (!ending) return;
    // The process ends when this returns: what the close and the window's end would keep, now.
    SaveSampleFile();
    ViewerApp().SaveSettings();
    // An installer's restart asks the program to end itself.
    if (how & ENDSESSION_CLOSEAPP) EndAfterSaving();
}
