#include "BenchWindow.h"

#include "res/resource.h"
#include "support/Wait.h"

extern CViewerApp theApp;

BenchWindow::BenchWindow(const ViewerSettingsRecord& settings)
{
    m_thread = std::thread(&BenchWindow::ThreadMain, this, settings);
    WaitUntil([&] { return m_runnerReady.load() || m_ended.load(); }, 60000);
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
        60000);
}

BenchWindow::~BenchWindow()
{
    if (!m_ended) {
        Run([&] {
            if (m_dlg) m_dlg->EndDialog(1);
        });
    }
    if (m_thread.joinable()) m_thread.join();
}

void BenchWindow::ThreadMain(ViewerSettingsRecord settings)
{
    m_threadId = GetCurrentThreadId();
    m_runner.Create();
    theApp.ViewerSettings = settings;
    {
        CViewerDlg dlg;
        m_dlg = &dlg;
        theApp.m_pMainWnd = &dlg;
        m_runnerReady = true;
        dlg.DoModal();
        theApp.m_pMainWnd = nullptr;
        m_hWnd = nullptr;
        m_dlg = nullptr;
    }
    m_runner.Destroy();
    m_ended = true;
}

void BenchWindow::Run(const std::function<void()>& fn)
{
    if (!m_ended) m_runner.Run(fn, 600000);
}

void BenchWindow::Drain()
{
    if (!m_ended) m_runner.Drain(60000);
}
