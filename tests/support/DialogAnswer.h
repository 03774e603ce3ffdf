// Answering the program's modal dialogs from the test's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Presses a dialog's button as a click on it would: the command reaches the dialog.
void PressDialogButton(HWND dialog, int id);
// Waits until the window is gone or hidden.
bool WaitForWindowGone(HWND hWnd, int timeoutMs = 10000);
// Runs the action (commands that open dialogs on the thread and return once they close),
// cancelling every dialog the thread shows meanwhile.
void CancelDialogsWhile(DWORD threadId, const std::function<void()>& action);

// The direct children of a window in their order (for dialogs, the template order).
std::vector<HWND> ChildWindows(HWND parent);

// Selects the item with this text as the user does, telling the dialog; false when absent.
bool SelectComboItem(HWND dialog, int comboId, const std::string& text);

// The pixels of a window's client area as its own device context shows them.
struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
ClientPixels ReadClientPixels(HWND hWnd);
