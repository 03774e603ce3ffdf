// Runs functions on one thread, asked from any other: a message-only window of
// that thread receives them. Used by the in-process window harnesses of the tests
// and the benchmarks.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

class ThreadRunner {
public:
    // Both on the thread that is to run the functions.
    bool Create();
    void Destroy();

    bool Ready() const { return m_hWnd != nullptr; }
    // Runs the function on the runner's thread and waits for it, for up to timeoutMs.
    void Run(const std::function<void()>& fn, UINT timeoutMs) const;
    // Waits until the runner's thread has handled everything posted to it so far.
    void Drain(int timeoutMs);

private:
    std::atomic<HWND> m_hWnd{nullptr};
    std::atomic<long> m_drained{0};
};
