// A helper for the scripts: waits for a top-level window by its caption and
// prints its screen rectangle, or closes it as its close box would.
//   window_tool wait "Typoscope 1.0" [seconds]   prints "x y width height"
//   window_tool close "Typoscope 1.0"
//   window_tool command "Typoscope 1.0" ID         posts the menu command ID
//   window_tool command "Open" PATH                 chooses the path in a file dialog
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: window_tool wait|close CAPTION [SECONDS] | command CAPTION ID\n");
        return 2;
    }
    bool command = strcmp(argv[1], "command") == 0;
    if (command && argc < 4) {
        fprintf(stderr, "usage: window_tool command CAPTION ID\n");
        return 2;
    }
    int seconds = argc > 3 && !command ? atoi(argv[3]) : 60;
    DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    HWND window = nullptr;
    while (!(window = FindWindowA(nullptr, argv[2])) || !IsWindowVisible(window)) {
        if (static_cast<int>(GetTickCount() - deadline) >= 0) {
            fprintf(stderr, "no window \"%s\"\n", argv[2]);
            return 1;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    if (strcmp(argv[1], "close") == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command && !atoi(argv[3])) {
        // The file name field: the explorer dialog's combo box, or the older dialog's edit.
        SetDlgItemTextA(window, 0x47C, argv[3]);
        SetDlgItemTextA(window, 0x480, argv[3]);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return 0;
    }
    if (command) {
        PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(atoi(argv[3])), 0);
        return 0;
    }
    // Let the window finish painting before anyone photographs it.
    DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    (void)threadId;
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    RECT rect;
    GetWindowRect(window, &rect);
    printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}
