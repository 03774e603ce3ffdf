// Calls into the platform that may fault on what a font holds. Under Wine 8 some faces make
// its text layout code (gdi32 and usp10) read beyond their tables; the program meets that in
// its own trial first, where it can step back, rather than inside the sample box, which it
// would leave half made. On Windows none of this runs: it guards nothing and watches nothing.
#pragma once

#include <windows.h>

// Whether the program runs under Wine: asked of ntdll once. Tests put their own answer in place.
bool UnderWine();
void AssumeUnderWine(bool wine);

enum class Guarded {
    Clean,      // the call ran to its end
    Faulted,    // it read where it may not inside the platform's layout code, and ended there
    Unguarded,  // not made: not under Wine, or no guard could be had (another thread holds it)
};

// Runs the call on this thread, under Wine only. Only an access violation whose address lies
// in gdi32 or usp10 ends the call; every other error, in any code, takes its usual course
// (a system function that catches its own fault still answers). The call may allocate and
// create GDI objects: what it made before a fault is lost, not undone. It must enter no
// window procedure or other callback and hold no lock that code outside it takes.
Guarded CallGuarded(void (*call)(void* context), void* context);

// Sends the message, to a window of this thread, and reports whether it ran without a fault.
// Under Wine a fault inside a window's procedure during a sent message ends only that
// message and the program carries on; this notices it, so the caller can undo what the
// message was for. Elsewhere a plain send, always true.
bool SendWithoutFault(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
