#include "ViewerHarness.h"

#include <gtest/gtest.h>

#include "Wait.h"

ViewerHarness::ViewerHarness(const ViewerSettingsRecord& settings)
{
    m_thread = std::thread(&ViewerHarness::ThreadMain, this, settings);
    WaitUntil([&] { return m_runnerReady.load() || m_ended.load(); });
    bool started = WaitUntil([&] {
        if (m_ended) return true;
        HWND hWnd = nullptr;
        Run([&] {
            if (m_dlg && m_dlg->Initialized) hWnd = m_dlg->m_hWnd;
        });
        if (hWnd && IsWindowVisible(hWnd)) m_hWnd = hWnd;
        return m_hWnd != nullptr;
    });
    EXPECT_TRUE(started && m_hWnd) << "the main window did not start";
}

ViewerHarness::~ViewerHarness()
{
    if (!m_ended) {
        HWND hWnd = m_hWnd;
        if (hWnd) PostMessageA(hWnd, WM_COMMAND, 32771, 0);  // File, Exit
        else Run([&] { if (m_dlg) m_dlg->EndDialog(1); });
    }
    if (m_thread.joinable()) m_thread.join();
}

void ViewerHarness::ThreadMain(ViewerSettingsRecord settings)
{
    m_threadId = GetCurrentThreadId();
    m_runner.Create();
    theApp.ViewerSettings = settings;
    {
        CViewerDlg dlg;
        m_dlg = &dlg;
        theApp.m_pMainWnd = &dlg;
        m_runnerReady = true;
        m_result = dlg.DoModal();
        theApp.m_pMainWnd = nullptr;
        m_hWnd = nullptr;
        m_dlg = nullptr;
    }
    if (AfterDestruction) AfterDestruction();
    m_runner.Destroy();
    m_ended = true;
}

void ViewerHarness::Run(const std::function<void()>& fn)
{
    if (!m_ended) m_runner.Run(fn, 60000);
}

LRESULT ViewerHarness::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(m_hWnd, message, wParam, lParam);
}

void ViewerHarness::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    PostMessageA(m_hWnd, message, wParam, lParam);
}

void ViewerHarness::Click(int id) const
{
    // BM_CLICK flips an automatic check box and sends its click notification, as a mouse click does.
    SendMessageA(Item(id), BM_CLICK, 0, 0);
}

HMENU ViewerHarness::ActivateMenu() const
{
    HMENU menu = GetMenu(m_hWnd);
    Send(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    return menu;
}

bool ViewerHarness::WaitForEnd(int timeoutMs)
{
    return WaitUntil([&] { return m_ended.load(); }, timeoutMs);
}
