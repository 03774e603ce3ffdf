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

namespace {

std::wstring Wide(const std::string& text)
{
    return DecodedText(text, CP_ACP);
}

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& folder)
{
    const std::string target = WithBackslash(folder);
    const std::string exe = target + "Typoscope.exe";
    if (CopyFileA(TyposcopeExecutable().c_str(), exe.c_str(), FALSE)) Start(Wide(exe), Wide(target).c_str());
}

ProgramRun::ProgramRun(const std::string& folder, InPlace)
{
    const std::string target = WithBackslash(folder);
    Start(Wide(target + "Typoscope.exe"), Wide(target).c_str());
}

ProgramRun::ProgramRun(const std::wstring& longExecutablePath)
{
    if (CopyFileW(Wide(TyposcopeExecutable()).c_str(), longExecutablePath.c_str(), FALSE))
        Start(longExecutablePath, nullptr);
}

void ProgramRun::Start(const std::wstring& exe, const wchar_t* workingFolder)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, workingFolder, &startup,
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
        WaitForSingleObject(m_process, Stretched(10000));
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
    return m_process && WaitForSingleObject(m_process, Stretched(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ProgramRun::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process) GetExitCodeProcess(m_process, &code);
    return code;
}
