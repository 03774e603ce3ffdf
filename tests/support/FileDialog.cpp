#include "FileDialog.h"

#include "Wait.h"
#include "WindowProbe.h"

namespace {

struct DialogQuery {
    HWND main, found;
};

BOOL CALLBACK MatchDialog(HWND w, LPARAM p)
{
    DialogQuery* q = reinterpret_cast<DialogQuery*>(p);
    if (w != q->main && IsWindowVisible(w) && WindowClass(w) == "#32770") q->found = w;
    return q->found == nullptr;
}

BOOL CALLBACK MatchEdit(HWND child, LPARAM p)
{
    if (WindowClass(child) != "Edit") return TRUE;
    *reinterpret_cast<HWND*>(p) = child;
    return FALSE;
}

}  // namespace

HWND FindFileDialog(DWORD threadId, HWND mainWindow)
{
    DialogQuery query = {mainWindow, nullptr};
    EnumThreadWindows(threadId, MatchDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForFileDialog(DWORD threadId, HWND mainWindow)
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindFileDialog(threadId, mainWindow)) != nullptr; });
    return dialog;
}

HWND FileNameEdit(HWND dialog)
{
    const int kEdit = 0x480, kCombo = 0x47C;
    if (HWND edit = GetDlgItem(dialog, kEdit)) return edit;
    HWND combo = GetDlgItem(dialog, kCombo);
    if (!combo) return nullptr;
    HWND found = nullptr;
    EnumChildWindows(combo, MatchEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::string> FileTypes(HWND dialog)
{
    const int kFileTypes = 0x470;
    return ComboItems(GetDlgItem(dialog, kFileTypes));
}

bool AnswerFileDialog(HWND dialog, int button)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return WaitUntil([&] { return !IsWindow(dialog); });
}

bool ChooseFile(HWND dialog, const std::string& path)
{
    HWND edit = FileNameEdit(dialog);
    if (!edit) return false;
    SetWindowTextA(edit, path.c_str());
    return AnswerFileDialog(dialog, IDOK);
}
