// A guarded call steps back from a read that faults in Wine's layout code, and from nothing
// else; on Windows none of it runs.
#include <gtest/gtest.h>

#include <usp10.h>

#include "viewer/FaultGuard.h"

namespace {

void Count(void* context) { ++*static_cast<int*>(context); }

// A read through a bad pointer inside usp10, as a face's broken tables make Wine's layout read.
void CountThenFaultInLayoutCode(void* context)
{
    ++*static_cast<int*>(context);
    SCRIPT_ITEM items[8];
    int count = 0;
    ::ScriptItemize(reinterpret_cast<const WCHAR*>(16), 4, 8, nullptr, nullptr, items, &count);
    ++*static_cast<int*>(context);  // never reached
}

// A system function that catches its own access violation and answers.
void AskIsBadReadPtr(void* context) { *static_cast<BOOL*>(context) = ::IsBadReadPtr(reinterpret_cast<void*>(16), 4); }

TEST(CallGuarded, AFaultInTheLayoutCodeEndsOnlyTheCallAndOthersTakeTheirCourse)
{
    int runs = 0;
    EXPECT_EQ(Guarded::Clean, CallGuarded(Count, &runs));
    EXPECT_EQ(Guarded::Faulted, CallGuarded(CountThenFaultInLayoutCode, &runs));
    EXPECT_EQ(Guarded::Faulted, CallGuarded(CountThenFaultInLayoutCode, &runs));
    EXPECT_EQ(Guarded::Clean, CallGuarded(Count, &runs));
    EXPECT_EQ(4, runs);
    BOOL bad = FALSE;
    EXPECT_EQ(Guarded::Clean, CallGuarded(AskIsBadReadPtr, &bad));
    EXPECT_TRUE(bad) << "the function's own answer";
}

// A window whose message meets an access violation that system code handles: a watched send
// would take it for a fault.
LRESULT CALLBACK ProbingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) return ::IsBadReadPtr(reinterpret_cast<void*>(16), 4);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(CallGuarded, OnWindowsNothingIsGuardedAndAMessageIsAPlainSend)
{
    const bool wine = UnderWine();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ProbingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"FaultGuardTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"FaultGuardTestWindow", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);

    AssumeUnderWine(false);
    int runs = 0;
    EXPECT_EQ(Guarded::Unguarded, CallGuarded(Count, &runs));
    EXPECT_EQ(0, runs);
    EXPECT_TRUE(SendWithoutFault(window, WM_APP, 0, 0)) << "nothing watched";
    AssumeUnderWine(wine);
    DestroyWindow(window);
}

}  // namespace
