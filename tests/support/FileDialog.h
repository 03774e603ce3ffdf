// The platform's file dialog opened by the window under test, answered from the test's thread.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A visible dialog of the thread other than the given main window, or null.
HWND FindFileDialog(DWORD threadId, HWND mainWindow);
HWND WaitForFileDialog(DWORD threadId, HWND mainWindow);
// The file name field: an edit of its own, or the edit somewhere inside the file name combo box.
HWND FileNameEdit(HWND dialog);
// The entries of the "Files of type" list.
std::vector<std::string> FileTypes(HWND dialog);
// Presses the button (IDOK, IDCANCEL) and waits until the dialog has gone.
bool AnswerFileDialog(HWND dialog, int button);
// Types the path into the name field and presses OK.
bool ChooseFile(HWND dialog, const std::string& path);
