// The help message: from Help, Help and from F1 in the main window.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"

namespace {

const char kHelpCaption[] = "Typoscope v1.0";
const char kHelpText[] =
    "This utility allows you to see the various fonts on your system without having to double-click each font "
    "file in the control panel.\n"
    "\n"
    "Select a font from the list and change the attributes.  The font is applied to the text in the \"Sample "
    "Text\" area, which can be changed.\n"
    "\n"
    "Look for the ability to print in version 2.0...\n"
    "\n"
    "Copyright (C) 2026 The Typoscope project\n"
    "All rights reserved.\n"
    "\n"
    "The Typoscope project\n"
    "1 Example Street\n"
    "Exampletown\n"
    "Exampleland\n"
    "typoscope@example.org\n"
    "https://typoscope.example.org/";

// Checks the open help message and closes it with its one button.
void ExpectHelpMessageAndClose(const ViewerHarness& h)
{
    HWND box = WaitForThreadWindow(h.ThreadId(), "#32770", kHelpCaption);
    ASSERT_NE(nullptr, box) << "no help message";
    EXPECT_EQ(kHelpText, MessageBoxText(box));
    EXPECT_EQ(h.Hwnd(), GetWindow(box, GW_OWNER)) << "owned by the main window";
    EXPECT_FALSE(IsWindowEnabled(h.Hwnd())) << "modal to the main window";
    // The information icon, and OK as the only button.
    HICON information = LoadIconA(nullptr, IDI_INFORMATION);
    bool hasIcon = false;
    int buttons = 0;
    for (HWND child : ChildWindows(box)) {
        if (WindowClass(child) == "Static" && SendMessageA(child, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(information))
            hasIcon = true;
        if (WindowClass(child) == "Button" && IsWindowVisible(child)) ++buttons;
    }
    EXPECT_TRUE(hasIcon) << "the information icon";
    EXPECT_EQ(1, buttons);
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(IsWindowEnabled(h.Hwnd()));
}

TEST(HelpMessage, StringHoldsTheWholeHelpText)
{
    char text[4096];
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_HELP_TEXT, text, sizeof text), 0);
    EXPECT_STREQ(kHelpText, text);
}

TEST(HelpMessage, HelpCommandShowsItInAnInformationBox)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    h.PostCommand(ID_HELP_HELP);
    ExpectHelpMessageAndClose(h);
}

TEST(HelpMessage, F1InTheMainWindowShowsIt)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    // F1 as the focused control receives it, from two of the window's controls.
    for (int control : {IDC_FONT_LIST, IDC_SAMPLE_BOX}) {
        SCOPED_TRACE(control);
        PostMessageA(h.Item(control), WM_KEYDOWN, VK_F1, 0x003B0001);
        ExpectHelpMessageAndClose(h);
    }
}

}  // namespace
