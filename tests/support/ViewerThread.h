// The main window created in-process on a thread of its own and run modally, as the
// application runs it: the common ground of the window tests' harness and the benchmarks.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "ThreadRunner.h"
#include "app/ViewerApp.h"
#include "viewer/ViewerDlg.h"

extern CViewerApp theApp;

class ViewerThread {
public:
    // Starts the window with these settings and waits, up to the time given, until its start-up has ended.
    explicit ViewerThread(const ViewerSettingsRecord& settings, int startTimeoutMs);
    // Ends the window through Exit if it is still open, and waits for its thread.
    ~ViewerThread();
    ViewerThread(const ViewerThread&) = delete;
    ViewerThread& operator=(const ViewerThread&) = delete;

    bool Started() const { return m_hWnd != nullptr; }
    HWND Hwnd() const { return m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    DWORD ThreadId() const { return m_threadId; }
    // Only to be touched on the window's thread, through Run.
    CViewerDlg& Dlg() { return *m_dlg; }

    // Runs the function on the window's thread and waits for it, for up to timeoutMs.
    void Run(const std::function<void()>& fn, UINT timeoutMs = 60000);
    // Waits until the window's thread has handled everything posted to it so far.
    void Drain(int timeoutMs = 60000);

    // Waits until the modal run has ended; its result then.
    bool WaitForEnd(int timeoutMs = 10000);
    bool Ended() const { return m_ended; }
    INT_PTR Result() const { return m_result; }

    // Called on the window's thread after the window object is destroyed (for resource counts).
    std::function<void()> AfterDestruction;

private:
    void ThreadMain(ViewerSettingsRecord settings);

    std::thread m_thread;
    std::atomic<HWND> m_hWnd{nullptr};
    ThreadRunner m_runner;
    std::atomic<DWORD> m_threadId{0};
    CViewerDlg* m_dlg = nullptr;
    std::atomic<bool> m_ended{false};
    std::atomic<bool> m_runnerReady{false};
    INT_PTR m_result = -1;
};
