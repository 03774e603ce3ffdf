#include "ModalProbe.h"

#include "ViewerHarness.h"
#include "Wait.h"
#include "WindowProbe.h"

ModalObservation ObserveModalCommand(ViewerHarness& h, UINT message, WPARAM wParam, LPARAM lParam, int button,
                                     const char* dialogClass, const char* caption, WPARAM closeWith)
{
    ModalObservation seen;
    h.Post(message, wParam, lParam);
    HWND dialog = WaitForThreadWindow(h.ThreadId(), dialogClass, caption);
    if (!dialog) return seen;
    seen.dialogShown = true;
    // The button is set before the dialog opens, so it can be read at once.
    seen.buttonWhileOpen = ToolbarButtonChecked(ToolbarOf(h), button);
    PostMessageA(dialog, WM_COMMAND, closeWith, 0);
    WaitUntil([&] { return !IsWindow(dialog); });
    // A function run on the window's thread waits for the loop that the command returns to.
    h.Run([] {});
    seen.buttonAfter = ToolbarButtonChecked(ToolbarOf(h), button);
    return seen;
}
