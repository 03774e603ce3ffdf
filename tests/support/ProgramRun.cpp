#include "ProgramRun.h"

#include "Files.h"
#include "Wait.h"

std::string TyposcopeExecutable()
{
    std::string folder = ExecutableFolder();
    // build\tests\ -> build\Typoscope.exe
    std::string parent = folder.substr(0, folder.find_last_of('\\', folder.size() - 2) + 1);
    return parent + "Typoscope.exe";
}

ProgramRun::ProgramRun(const std::string& folder)
{
    std::string target = folder;
    if (!target.empty() && target.back() != '\\') target += '\\';
    std::string exe = target + "Typoscope.exe";
    if (!CopyFileA(TyposcopeExecutable().c_str(), exe.c_str(), FALSE)) return;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, target.c_str(), &startup,
                        &process))
        return;
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_processId = process.dwProcessId;
}

ProgramRun::~ProgramRun()
{
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 10000);
    }
    CloseHandle(m_process);
}

HWND ProgramRun::WaitForMainWindow(int timeoutMs)
{
    if (!m_process) return nullptr;
    m_mainWindow = WaitForProcessWindow(m_processId, nullptr, "Typoscope 1.0", timeoutMs);
    return m_mainWindow;
}

void ProgramRun::Close() const
{
    PostMessageA(m_mainWindow, WM_CLOSE, 0, 0);
}

void ProgramRun::Command(UINT id) const
{
    PostMessageA(m_mainWindow, WM_COMMAND, id, 0);
}

bool ProgramRun::WaitForExit(int timeoutMs)
{
    return m_process && WaitForSingleObject(m_process, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ProgramRun::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process) GetExitCodeProcess(m_process, &code);
    return code;
}
