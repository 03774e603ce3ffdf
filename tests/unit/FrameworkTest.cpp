// The framework's own mechanisms, each on windows of its own: message tables that
// chain to the base class's, creation while another window is being created, and
// the modal loop's end on a quit request.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/Framework.h"
#include "res/resource.h"

namespace {

const UINT kBaseCommand = 40001, kDerivedCommand = 40002;

class BaseWnd : public CWnd {
public:
    int baseCommands = 0, closes = 0;

protected:
    void OnBaseCommand() { ++baseCommands; }
    void OnClose() { ++closes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_COMMAND(kBaseCommand, OnBaseCommand)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    int derivedCommands = 0;

protected:
    void OnDerivedCommand() { ++derivedCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_COMMAND(kDerivedCommand, OnDerivedCommand)
END_MESSAGE_MAP()

bool CreatePlain(CWnd& wnd)
{
    RECT rect = {0, 0, 10, 10};
    return wnd.CreateEx(0, "STATIC", "", WS_POPUP, rect, nullptr, 0);
}

TEST(MessageTable, ChainsToTheBaseClassForCommandsAndWindowMessages)
{
    DerivedWnd wnd;
    ASSERT_TRUE(CreatePlain(wnd));
    HWND control = wnd.m_hWnd;  // any window stands for a control here
    const struct {
        const char* name;
        WPARAM wParam;
        LPARAM lParam;
        int derived, base;  // the handlers' counts afterwards
    } rows[] = {
        {"own entry", MAKEWPARAM(kDerivedCommand, 0), 0, 1, 0},
        {"base entry, from a menu", MAKEWPARAM(kBaseCommand, 0), 0, 1, 1},
        {"base entry, from an accelerator", MAKEWPARAM(kBaseCommand, 1), 0, 1, 2},
        {"a control's notification 1 is no command", MAKEWPARAM(kBaseCommand, 1), reinterpret_cast<LPARAM>(control), 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SendMessageA(wnd.m_hWnd, WM_COMMAND, row.wParam, row.lParam);
        EXPECT_EQ(row.derived, wnd.derivedCommands);
        EXPECT_EQ(row.base, wnd.baseCommands);
    }
    // Without the base's entry the platform would destroy the window.
    SendMessageA(wnd.m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, wnd.closes);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
}

TEST(CreationHook, AWindowCreatedWhileAnotherIsBeingCreatedLeavesTheOuterOneItsObject)
{
    CWnd outer, inner;
    HWND outerWindow, innerWindow;
    {
        CreationHook outerHook(&outer);
        {
            CreationHook innerHook(&inner);
            innerWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        }
        outerWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(innerWindow, inner.m_hWnd);
    EXPECT_EQ(outerWindow, outer.m_hWnd);
    if (!outer.m_hWnd) DestroyWindow(outerWindow);
    // Once both are made, no hook is left to take a window for either object.
    HWND later = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(later));
    DestroyWindow(later);
}

// A dialog whose start-up runs a step; it gives up after a while if nothing ends it.
class StepDialog : public CDialog {
public:
    static const int kGaveUp = 99;
    explicit StepDialog(std::function<void(StepDialog&)> step) : CDialog(IDD_ABOUTBOX), m_step(std::move(step)) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, 1, 5000, nullptr);
        m_step(*this);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER) {
            EndDialog(kGaveUp);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(StepDialog&)> m_step;
};

TEST(ModalLoop, AQuitRequestEndsEveryModalLoopAndReachesTheThreadsOwnLoop)
{
    INT_PTR innerResult = 0;
    StepDialog outer([&](StepDialog&) {
        StepDialog inner([](StepDialog&) { PostQuitMessage(42); });
        innerResult = inner.DoModal();
    });
    EXPECT_EQ(-1, outer.DoModal()) << "the quit request ended the outer loop too";
    EXPECT_EQ(-1, innerResult);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the request was passed on";
    EXPECT_EQ(42u, msg.wParam);
}

// The files chosen, as the platform hands them back: one whole path, or the folder and then
// each name.
TEST(FileDialog, GivesEveryPathChosen)
{
    using namespace std::string_literals;
    const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
        {L"C:\\fonts\\a.ttf\0"s, {L"C:\\fonts\\a.ttf"}},
        {L"C:\\fonts\0a.ttf\0b.ttc\0"s, {L"C:\\fonts\\a.ttf", L"C:\\fonts\\b.ttc"}},
        {L"C:\\\0a.ttf\0b.ttc\0"s, {L"C:\\a.ttf", L"C:\\b.ttc"}},
    };
    for (const auto& c : cases) {
        CFileDialog dialog(TRUE);
        std::copy(c.first.begin(), c.first.end(), dialog.m_ofn.lpstrFile);
        EXPECT_EQ(c.second, dialog.GetPathNames());
    }
}

}  // namespace
