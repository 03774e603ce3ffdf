// The main window created in-process on a thread of its own, run modally as the
// application runs it, and driven from the test's thread with messages.
#pragma once

#include <windows.h>

#include <functional>

#include "ViewerThread.h"

class ViewerHarness : public ViewerThread {
public:
    // Starts the window with these settings and waits until its start-up has ended.
    explicit ViewerHarness(const ViewerSettingsRecord& settings = ViewerSettingsRecord());

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
    // A user's change of the font list's selection: the selection, then the list's notification.
    void PickFace(int index) const;
    // The menu bar's activation, after which its marks can be read.
    HMENU ActivateMenu() const;
    // The application's settings record as the window's thread sees it now.
    ViewerSettingsRecord Settings();
};

// Default settings with this face and size, and with the attributes given (1 on, 0 off).
ViewerSettingsRecord SettingsWith(const char* name, int size, int bold = 0, int italic = 0, int underline = 0,
                                  int strikeOut = 0);
