// The main window in-process on a thread of its own, for the benchmarks to run their
// operations on: the same as the window tests', with room for operations of minutes.
#pragma once

#include <functional>

#include "support/ViewerThread.h"

class BenchWindow : public ViewerThread {
public:
    explicit BenchWindow(const ViewerSettingsRecord& settings) : ViewerThread(settings, 60000) {}

    // Loading 16 MB of text, or a thousand rebuilds, takes longer than a test waits.
    void Run(const std::function<void()>& fn) { ViewerThread::Run(fn, 600000); }
};
