#include "ViewerThread.h"

#include "Wait.h"
#include "res/resource.h"

ViewerThread::ViewerThread(const ViewerSettingsRecord& settings, int startTimeoutMs)
{
    m_thread = std::thread(&ViewerThread::ThreadMain, this, settings);
    WaitUntil([&] { return m_runnerReady.load() || m_ended.load(); }, startTimeoutMs);
    WaitUntil(
        [&] {
            if (m_ended) return true;
            HWND hWnd = nullptr;
            Run([&] {
                if (m_dlg && m_dlg->Initialized) hWnd = m_dlg->m_hWnd;
            });
            if (hWnd && IsWindowVisible(hWnd)) m_hWnd = hWnd;
            return m_hWnd != nullptr;
        },
        startTimeoutMs);
}

ViewerThread::~ViewerThread()
{
    if (!m_ended) {
        HWND hWnd = m_hWnd;
        if (hWnd) PostMessageA(hWnd, WM_COMMAND, ID_FILE_EXIT, 0);
        else Run([&] { if (m_dlg) m_dlg->EndDialog(1); });
    }
    if (m_thread.joinable()) m_thread.join();
}

void ViewerThread::ThreadMain(ViewerSettingsRecord settings)
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

void ViewerThread::Run(const std::function<void()>& fn, UINT timeoutMs)
{
    if (!m_ended) m_runner.Run(fn, timeoutMs);
}

void ViewerThread::Drain(int timeoutMs)
{
    if (!m_ended) m_runner.Drain(timeoutMs);
}

bool ViewerThread::WaitForEnd(int timeoutMs)
{
    return WaitUntil([&] { return m_ended.load(); }, timeoutMs);
}
