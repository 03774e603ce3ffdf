// The real Typoscope.exe, copied into a folder, started, driven and ended from this process.
#pragma once

#include <windows.h>

#include <string>

// build\Typoscope.exe, found from the test executable's folder (build\tests\).
std::string TyposcopeExecutable();

class ProgramRun {
public:
    // Copies the program into the folder (which must exist) and starts it there.
    explicit ProgramRun(const std::string& folder);
    // Starts the copy already in the folder (one that cannot be written to, say).
    struct InPlace {};
    ProgramRun(const std::string& folder, InPlace);
    // Copies the program to a path the wide functions take whole ("\\?\..."), and
    // starts it from there in the test's own working folder.
    explicit ProgramRun(const std::wstring& longExecutablePath);
    // Ends the program by force if it is still running.
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD ProcessId() const { return m_processId; }
    // Its main window "Typoscope 1.0", once shown.
    HWND WaitForMainWindow(int timeoutMs = 20000);
    HWND MainWindow() const { return m_mainWindow; }

    void Close() const;                // WM_CLOSE, as the close box sends it
    void Command(UINT id) const;       // a menu command
    bool WaitForExit(int timeoutMs = 20000);
    DWORD ExitCode() const;

private:
    void Start(const std::wstring& exe, const wchar_t* workingFolder);

    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    HWND m_mainWindow = nullptr;
};
