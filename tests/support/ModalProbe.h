// Commands that open a modal dialog on the window's thread, observed from the test's thread.
#pragma once

#include <windows.h>

class ViewerHarness;

struct ModalObservation {
    bool dialogShown = false;
    int buttonWhileOpen = -1;  // the toolbar button's state while the dialog was on screen
    int buttonAfter = -1;      // its state once the command has finished
};

// Posts the message (a command from the menu: lParam 0; from the toolbar: lParam the
// toolbar), waits for its dialog (class and caption; either may be null), reads the
// toolbar button of `button`, closes the dialog with the command `closeWith` and waits until
// the window's loop has finished the command.
ModalObservation ObserveModalCommand(ViewerHarness& h, UINT message, WPARAM wParam, LPARAM lParam, int button,
                                     const char* dialogClass, const char* caption, WPARAM closeWith = IDCANCEL);
