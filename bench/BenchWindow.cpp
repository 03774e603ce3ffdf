#include "BenchWindow.h"

#include "res/resource.h"
#include "support/Wait.h"

extern CViewerApp theApp;

namespace {

const UINT kRunMessage = WM_APP + 1;
const UINT kDrainMessage = WM_APP + 2;

LRESULT CALLBACK RunnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunMessage) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 1;
    }
    if (message == kDrainMessage) {
        ++*reinterpret_cast<std::atomic<long>*>(lParam);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

const char* RunnerClass()
{
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RunnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TyposcopeBenchRunner";
        return RegisterClassA(&wc);
    }();
    return atom ? "TyposcopeBenchRunner" : nullptr;
}

}  // namespace

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
    m_runner = CreateWindowExA(0, RunnerClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
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
    DestroyWindow(m_runner);
    m_runner = nullptr;
    m_ended = true;
}

void BenchWindow::Run(const std::function<void()>& fn)
{
    if (!m_runner || m_ended) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(m_runner, kRunMessage, 0, reinterpret_cast<LPARAM>(&fn), SMTO_NORMAL, 600000, &result);
}

void BenchWindow::Drain()
{
    if (!m_runner || m_ended) return;
    long target = m_drained + 1;
    PostMessageA(m_runner, kDrainMessage, 0, reinterpret_cast<LPARAM>(&m_drained));
    WaitUntil([&] { return m_drained >= target || m_ended; }, 60000);
}
