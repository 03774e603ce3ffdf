#include "ThreadRunner.h"

#include "Wait.h"

namespace {

const UINT kRunMessage = WM_APP + 1;
const UINT kDrainMessage = WM_APP + 2;
const char kClassName[] = "TyposcopeThreadRunner";

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

bool RegisterRunnerClass()
{
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RunnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc);
    }();
    return atom != 0;
}

}  // namespace

bool ThreadRunner::Create()
{
    if (!RegisterRunnerClass()) return false;
    m_hWnd = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    return m_hWnd != nullptr;
}

void ThreadRunner::Destroy()
{
    HWND hWnd = m_hWnd.exchange(nullptr);
    if (hWnd) DestroyWindow(hWnd);
}

void ThreadRunner::Run(const std::function<void()>& fn, UINT timeoutMs) const
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hWnd, kRunMessage, 0, reinterpret_cast<LPARAM>(&fn), SMTO_NORMAL,
                        Stretched(static_cast<int>(timeoutMs)), &result);
}

void ThreadRunner::Drain(int timeoutMs)
{
    HWND hWnd = m_hWnd;
    if (!hWnd) return;
    long target = m_drained + 1;
    if (!PostMessageA(hWnd, kDrainMessage, 0, reinterpret_cast<LPARAM>(&m_drained))) return;
    WaitUntil([&] { return m_drained >= target || !m_hWnd; }, timeoutMs);
}
