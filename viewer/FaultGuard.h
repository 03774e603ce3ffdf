// Calls into the platform that may fault on what a font holds. Under Wine some faces make
// the text layout read beyond its tables; the program meets that in its own trial first,
// where it can step back, rather than inside the sample box, which it would leave half made.
#pragma once

#include <windows.h>

// Runs the call on this thread; an error inside it (an access violation and the like, not
// a stack overflow or a corrupted heap) ends the call there and returns false. Only for
// calls that hold no lock, enter no window procedure or other callback, and leave nothing
// half changed that others share: what the call made before the fault is lost, not undone.
bool CallGuarded(void (*call)(void* context), void* context);

// Sends the message, to a window of this thread, as one call of its own and reports
// whether it ran without a fault. Under Wine a fault inside a window's procedure ends only
// that message and the program carries on; this notices it, so the caller can undo what
// the message was for.
bool SendWithoutFault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
