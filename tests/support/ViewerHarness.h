// The main window created in-process on a thread of its own, run modally as the
// application runs it, and driven from the test's thread with messages.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "ThreadRunner.h"
#include "app/ViewerApp.h"
#include "viewer/ViewerDlg.h"

extern CViewerApp theApp;

class ViewerHarness {
public:
    // Starts the window with these settings and waits until its start-up has ended.
    explicit ViewerHarness(const ViewerSettingsRecord& settings = ViewerSettingsRecord());
    // Ends the window through Exit if it is still open, and waits for its thread.
    ~ViewerHarness();
    ViewerHarness(const ViewerHarness&) = delete;
    ViewerHarness& operator=(const ViewerHarness&) = delete;

    bool Started() const { return m_hWnd != nullptr; }
    HWND Hwnd() const { return m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    DWORD ThreadId() const { return m_threadId; }
    // Only to be touched on the window's thread, through Run.
    CViewerDlg& Dlg() { return *m_dlg; }

    // Runs the function on the window's thread and waits for it.
    void Run(const std::function<void()>& fn);
    template <typename T> T Get(const std::function<T()>& fn)
    {
        T value{};
        Run([&] { value = fn(); });
        return value;
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // A menu or toolbar command, as the menu sends it; returns when it has run.
    void Command(UINT id) const { Send(WM_COMMAND, id, 0); }
    // A command whose dialog will be answered from this thread.
    void PostCommand(UINT id) const { Post(WM_COMMAND, id, 0); }
    // A click on a check box, as the user makes it.
    void Click(int id) const;
    // The menu bar's activation, after which its marks can be read.
    HMENU ActivateMenu() const;

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
