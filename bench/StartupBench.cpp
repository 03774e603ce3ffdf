// Start-up: from process creation to the main window shown with its list filled
// and the preview applied, against a program that creates the same dialog,
// enumerates the display's fonts once and shows it (bench/StartupFloor.cpp).
#include <windows.h>

#include <string>

#include "Bench.h"
#include "Stats.h"
#include "Table.h"
#include "res/resource.h"
#include "support/Wait.h"

namespace {

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

struct StartupResult {
    bool ok = false;
    double ms = 0;
    long faces = -1;     // list entries (Typoscope) or enumerated reports (floor)
};

bool Painted(HWND hWnd)
{
    if (GetUpdateRect(hWnd, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
    return true;
}

// From process creation to its main dialog shown, painted and waiting for input.
StartupResult LaunchOnce(const std::string& exe, bool typoscope)
{
    StartupResult result;
    std::string folder = FolderOf(exe);
    if (typoscope) DeleteFileA((folder + "\\sample.txt").c_str());
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double start = NowMs();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        Progress("cannot start %s (error %lu)", exe.c_str(), GetLastError());
        return result;
    }
    HWND window = nullptr;
    DWORD deadline = GetTickCount() + 60000;
    for (;;) {
        WaitForInputIdle(process.hProcess, 100);
        window = FindProcessWindow(process.dwProcessId, "#32770", nullptr);
        if (window && Painted(window)) break;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 || GetTickCount() > deadline) {
            window = nullptr;
            break;
        }
    }
    result.ms = NowMs() - start;
    if (window) {
        result.ok = true;
        DWORD_PTR answer = 0;
        if (typoscope) {
            if (SendMessageTimeoutA(GetDlgItem(window, IDC_FONT_LIST), LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &answer))
                result.faces = static_cast<long>(answer);
            PostMessageA(window, WM_COMMAND, ID_FILE_EXIT, 0);
        } else {
            result.faces = static_cast<long>(GetWindowLongPtrA(window, GWLP_USERDATA));
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        }
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace

void BenchStartup(const Options& options)
{
    Progress("start-up: %s against %s", options.typoscope.c_str(), options.floor.c_str());
    Samples program, floor;
    long faces = -1, reports = -1;
    bool ok = true;
    // The first pair warms the disk cache and Wine's font cache and is not counted.
    for (int run = -1; run < options.runs; ++run) {
        StartupResult f = LaunchOnce(options.floor, false);
        StartupResult t = LaunchOnce(options.typoscope, true);
        ok = ok && f.ok && t.ok;
        if (run < 0) continue;
        floor.Add(f.ms);
        program.Add(t.ms);
        faces = t.faces;
        reports = f.faces;
    }
    if (!ok) AddNote("Start-up: a run did not show its window within 60 s.");
    AddTimedRow(Format("Start-up to window shown (%s faces listed)", Thousands(faces).c_str()), program, floor, 1.3);
    AddNote(Format("Start-up floor: the same dialog template, one EnumFontsA (%s reports), shown.",
                   Thousands(reports).c_str()));
}

