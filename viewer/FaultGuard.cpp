#include "viewer/FaultGuard.h"

#include <float.h>

namespace {

// Where a guarded call goes on after a fault, and whether it faulted; per thread.
thread_local CONTEXT* t_resume = nullptr;
thread_local volatile bool t_faulted = false;
// Set while a message is sent to be watched.
thread_local bool t_watching = false;

// The stack pointer a context runs on.
ULONG_PTR StackOf(const CONTEXT& context)
{
#ifdef _WIN64
    return context.Rsp;
#else
    return context.Esp;
#endif
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info)
{
    // Errors only: not C++ exceptions, not debug notices, which every thread may raise.
    if ((info->ExceptionRecord->ExceptionCode & 0xF0000000u) != 0xC0000000u) return EXCEPTION_CONTINUE_SEARCH;
    // A guarded call below the saved frame goes back to it; a saved frame the stack has
    // already left (the call ended some other way) is never gone back to.
    if (t_resume && StackOf(*info->ContextRecord) < StackOf(*t_resume)) {
        t_faulted = true;
        *info->ContextRecord = *t_resume;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    // Otherwise the platform handles it as it would.
    if (t_watching) t_faulted = true;
    return EXCEPTION_CONTINUE_SEARCH;
}

// Added once, first in line, for the life of the program.
bool HandlerInstalled()
{
    static PVOID handler = ::AddVectoredExceptionHandler(1, OnFault);
    return handler != nullptr;
}

}  // namespace

bool CallGuarded(void (*call)(void* context), void* context)
{
    if (!HandlerInstalled()) return false;
    CONTEXT resume = {};
    t_faulted = false;
#ifndef _WIN64
    // The 32-bit handler chain lives beside the registers, not in them: frames the call
    // pushed must not stay in it after going back.
    NT_TIB* tib = reinterpret_cast<NT_TIB*>(::NtCurrentTeb());
    EXCEPTION_REGISTRATION_RECORD* handlers = tib->ExceptionList;
#endif
    // After a fault the handler brings the thread back here, with t_faulted set. Only the
    // volatile flag is read after that: call lies in another file, out of the optimiser's sight.
    ::RtlCaptureContext(&resume);
    if (!t_faulted) {
        t_resume = &resume;
        call(context);
    }
    t_resume = nullptr;
    if (t_faulted) {
#ifndef _WIN64
        tib->ExceptionList = handlers;
#endif
        _fpreset();  // the floating-point unit as the call may have left it
    }
    return !t_faulted;
}

bool SendWithoutFault(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!HandlerInstalled()) {
        ::SendMessageW(window, message, wParam, lParam);
        return true;
    }
    t_faulted = false;
    t_watching = true;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 60000, &result);
    t_watching = false;
    return !t_faulted;
}
