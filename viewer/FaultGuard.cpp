#include "viewer/FaultGuard.h"

#include <float.h>

namespace {

// Where a guarded call goes back to after a fault (a jump buffer of the compiler's own,
// which restores the frame and stack pointers and nothing more), and whether it faulted.
thread_local void* t_jump[5];
thread_local bool t_guarding = false;
thread_local volatile bool t_faulted = false;
// Set while a message is sent to be watched.
thread_local bool t_watching = false;

// Where a faulted guarded call resumes: on the faulted stack, from where it jumps back.
[[noreturn]] void GoBack() { __builtin_longjmp(t_jump, 1); }

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info)
{
    // Errors only: not C++ exceptions, not debug notices, which every thread may raise.
    if ((info->ExceptionRecord->ExceptionCode & 0xF0000000u) != 0xC0000000u) return EXCEPTION_CONTINUE_SEARCH;
    if (t_guarding) {
        t_guarding = false;
        t_faulted = true;
        // Continue in GoBack, as if called, a little below the faulted frame.
        CONTEXT& context = *info->ContextRecord;
#ifdef _WIN64
        context.Rsp = ((context.Rsp - 256) & ~static_cast<DWORD64>(15)) - 8;
        context.Rip = reinterpret_cast<DWORD64>(&GoBack);
#else
        context.Esp = ((context.Esp - 256) & ~static_cast<DWORD>(15)) - 4;
        context.Eip = reinterpret_cast<DWORD>(&GoBack);
#endif
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

#ifndef _WIN64
// The 32-bit chain of exception handler frames, whose head the thread keeps at fs:0.
void* HandlerChain()
{
    void* chain;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(chain));
    return chain;
}
void SetHandlerChain(void* chain) { __asm__ volatile("movl %0, %%fs:0" : : "r"(chain) : "memory"); }
#endif

// However the call ends, nothing is guarded after it.
struct Guarding {
    Guarding() { t_guarding = true; }
    ~Guarding() { t_guarding = false; }
};

// The guarded call itself, apart, so that its frame is the one the jump leaves.
bool RunGuarded(void (*call)(void* context), void* context)
{
    if (__builtin_setjmp(t_jump) == 0) {
        Guarding guarding;
        call(context);
    }
    return !t_faulted;
}

}  // namespace

bool CallGuarded(void (*call)(void* context), void* context)
{
    if (!HandlerInstalled()) return false;
    t_faulted = false;
#ifndef _WIN64
    // The 32-bit handler chain lives beside the registers, not in them: frames the call
    // pushed must not stay in it after going back.
    void* handlers = HandlerChain();
#endif
    if (RunGuarded(call, context)) return true;
#ifndef _WIN64
    SetHandlerChain(handlers);
#endif
    _fpreset();  // the floating-point unit as the call may have left it
    t_guarding = false;
    return false;
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
