#include "viewer/FaultGuard.h"

#include <float.h>

#include <atomic>

namespace {

// The handler runs for every thread's errors, so it reads no thread-local variable (the
// first read on a thread allocates): the thread guarding a call, or watching a message,
// is named by its id. Only one thread at a time guards a call: the window's.
std::atomic<DWORD> g_guardingThread{0};
std::atomic<DWORD> g_watchingThread{0};
std::atomic<bool> g_faulted{false};     // a watched message met an error
std::atomic<bool> g_steppedBack{false};  // the guarded call was ended by a layout fault
// Where a faulted guarded call goes back to: a jump buffer of the compiler's own, which
// restores the frame and stack pointers and nothing more.
void* g_jump[5];
#ifndef _WIN64
void* g_handlers = nullptr;  // the 32-bit handler chain's head when the call began
#endif

// Where Wine's layout code lies (gdi32 and usp10, loaded for good), found when the handler
// is installed: a guarded call steps back only from a read that faults in there.
struct CodeRange {
    ULONG_PTR first = 0, end = 0;
};
CodeRange g_layoutCode[2];

CodeRange ModuleRange(const wchar_t* name)
{
    CodeRange range;
    HMODULE module = ::LoadLibraryW(name);
    if (!module) return range;
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    range.first = reinterpret_cast<ULONG_PTR>(base);
    range.end = range.first + nt->OptionalHeader.SizeOfImage;
    return range;
}

bool InLayoutCode(const void* address)
{
    const auto at = reinterpret_cast<ULONG_PTR>(address);
    for (const CodeRange& range : g_layoutCode)
        if (at >= range.first && at < range.end) return true;
    return false;
}

int g_wine = -1;  // -1 until asked

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

// Where a faulted guarded call resumes: on the faulted stack, from where it jumps back.
[[noreturn]] void GoBack()
{
#ifndef _WIN64
    // Frames the call pushed must not stay in the chain: the stack they lie on is reused.
    SetHandlerChain(g_handlers);
#endif
    __builtin_longjmp(g_jump, 1);
}

// The one fault stepped back from: Wine's layout code reading beyond a face's tables. Any
// other error is left to whoever handles it, so system code that catches its own faults,
// and unwinds its own frames, still does.
bool LayoutFault(const EXCEPTION_RECORD& record)
{
    return record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && !(record.ExceptionFlags & EXCEPTION_NONCONTINUABLE) &&
           InLayoutCode(record.ExceptionAddress);
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info)
{
    // Errors only: not C++ exceptions, not debug notices.
    if ((info->ExceptionRecord->ExceptionCode & 0xF0000000u) != 0xC0000000u) return EXCEPTION_CONTINUE_SEARCH;
    const DWORD thread = ::GetCurrentThreadId();
    if (g_guardingThread.load() == thread && LayoutFault(*info->ExceptionRecord)) {
        g_guardingThread = 0;
        g_steppedBack = true;
        // Continue in GoBack, as if called, a little below the faulted frame, with the
        // direction flag clear as every call expects.
        CONTEXT& context = *info->ContextRecord;
        context.EFlags &= ~0x400u;
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
    if (g_watchingThread.load() == thread) g_faulted = true;
    return EXCEPTION_CONTINUE_SEARCH;
}

// Added once, first in line, for the life of the program, under Wine only.
bool HandlerInstalled()
{
    static PVOID handler = [] {
        g_layoutCode[0] = ModuleRange(L"gdi32.dll");
        g_layoutCode[1] = ModuleRange(L"usp10.dll");
        return ::AddVectoredExceptionHandler(1, OnFault);
    }();
    return handler != nullptr;
}

// The guarded call itself, apart, so that its frame is the one the jump leaves.
bool RunGuarded(void (*call)(void* context), void* context)
{
    if (__builtin_setjmp(g_jump) == 0) call(context);
    return !g_steppedBack;
}

}  // namespace

bool UnderWine()
{
    if (g_wine < 0) {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        g_wine = ntdll && ::GetProcAddress(ntdll, "wine_get_version") ? 1 : 0;
    }
    return g_wine == 1;
}

void AssumeUnderWine(bool wine) { g_wine = wine ? 1 : 0; }

Guarded CallGuarded(void (*call)(void* context), void* context)
{
    if (!UnderWine() || !HandlerInstalled()) return Guarded::Unguarded;
    // One guarded call at a time, claimed in one step.
    DWORD none = 0;
    if (!g_guardingThread.compare_exchange_strong(none, ::GetCurrentThreadId())) return Guarded::Unguarded;
    // A message being watched keeps what it has seen so far.
    const bool seen = g_faulted.exchange(false);
    g_steppedBack = false;
#ifndef _WIN64
    g_handlers = HandlerChain();
#endif
    const bool clean = RunGuarded(call, context);
    g_guardingThread = 0;
    if (!clean) _fpreset();  // the floating-point unit as the call may have left it
    g_faulted = seen;
    return clean ? Guarded::Clean : Guarded::Faulted;
}

bool SendWithoutFault(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!UnderWine() || !HandlerInstalled()) {
        ::SendMessageW(window, message, wParam, lParam);
        return true;
    }
    // Sends within sends: each sees its own faults, and the outer one goes on watching.
    const DWORD watching = g_watchingThread.exchange(::GetCurrentThreadId());
    const bool seen = g_faulted.exchange(false);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 60000, &result);
    const bool clean = !g_faulted;
    g_faulted = seen || !clean;
    g_watchingThread = watching;
    return clean;
}
