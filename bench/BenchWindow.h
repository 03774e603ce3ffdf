// The main window created in-process on a thread of its own and run modally, as
// the application runs it; the benchmarks run their operations on that thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "app/ViewerApp.h"
#include "support/ThreadRunner.h"
#include "viewer/ViewerDlg.h"

class BenchWindow {
public:
    // Starts the window with these settings; Started() tells whether it came up.
    explicit BenchWindow(const ViewerSettingsRecord& settings);
    // Ends the window and waits for its thread.
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    bool Started() const { return m_hWnd != nullptr; }
    HWND Hwnd() const { return m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    DWORD ThreadId() const { return m_threadId; }
    // Only to be touched on the window's thread, through Run.
    CViewerDlg& Dlg() { return *m_dlg; }

    // Runs the function on the window's thread and waits for it.
    void Run(const std::function<void()>& fn);
    // Waits until the window's thread has handled everything posted to it so far.
    void Drain();

private:
    void ThreadMain(ViewerSettingsRecord settings);

    std::thread m_thread;
    std::atomic<HWND> m_hWnd{nullptr};
    ThreadRunner m_runner;
    std::atomic<DWORD> m_threadId{0};
    CViewerDlg* m_dlg = nullptr;
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_runnerReady{false};
};
