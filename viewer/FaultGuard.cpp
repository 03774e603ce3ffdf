#include "viewer/FaultGuard.h"

namespace {

// Where a guarded call goes on after a fault, and whether it faulted; per thread.
thread_local CONTEXT* t_resume = nullptr;
thread_local volatile bool t_faulted = false;
// Set while a message is sent to be watched.
thread_local bool t_watching = false;

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (t_resume && code == EXCEPTION_ACCESS_VIOLATION) {
        t_faulted = true;
        *info->ContextRecord = *t_resume;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    // Errors only: not C++ exceptions, not debug notices. The platform handles it as it would.
    if (t_watching && (code & 0xF0000000u) == 0xC0000000u) t_faulted = true;
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
    // After a fault the handler brings the thread back here, with t_faulted set.
    ::RtlCaptureContext(&resume);
    if (!t_faulted) {
        t_resume = &resume;
        call(context);
    }
    t_resume = nullptr;
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
