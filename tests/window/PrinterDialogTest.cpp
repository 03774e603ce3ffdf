// Print Setup and Print: the printer choice confirmed with OK carries over for
// the run, each command keeps its own form, and no printer memory outlives the run.
// The test set-up gives Wine two printers; Typoscope_Test_A is the default.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/PrinterChoice.h"
#include "res/resource.h"
#include "support/DialogAnswer.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

const char kDefaultPrinter[] = "Typoscope_Test_A";
const char kOtherPrinter[] = "Typoscope_Test_B";

// The two forms of the platform's printer dialog, as each command opens it.
struct Form {
    const char* name;
    UINT command;
    const char* caption;
    int printerCombo;
};
const Form kSetup = {"PrintSetup", ID_FILE_PRINT_SETUP, "Print Setup", 0x470};  // cmb1
const Form kPrint = {"Print", ID_FILE_PRINT, "Print", 0x473};                   // cmb4
const int kLandscape = 0x421;  // rad2 of the setup form
const int kCopies = 0x482;     // edt3 of the full form

// What the window remembers, read on its thread.
struct Remembered {
    int firstPrintDialog;
    PRINTDLGA block;
    std::string deviceName;  // from the device names
    short orientation;       // from the device mode
    short copies;
};

Remembered ReadRemembered(ViewerHarness& h)
{
    Remembered r{};
    h.Run([&] {
        CViewerDlg& dlg = h.Dlg();
        r.firstPrintDialog = dlg.FirstPrintDialog;
        r.block = dlg.SavedPrintDlg;
        if (auto* names = static_cast<DEVNAMES*>(GlobalLock(r.block.hDevNames))) {
            r.deviceName = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
            GlobalUnlock(r.block.hDevNames);
        }
        if (auto* mode = static_cast<DEVMODEA*>(GlobalLock(r.block.hDevMode))) {
            r.orientation = mode->dmOrientation;
            r.copies = mode->dmCopies;
            GlobalUnlock(r.block.hDevMode);
        }
    });
    return r;
}

bool AllZero(const PRINTDLGA& block)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&block);
    for (size_t i = 0; i < sizeof block; ++i)
        if (bytes[i]) return false;
    return true;
}

bool PrintButtonChecked(const ViewerHarness& h)
{
    return SendMessageA(h.Item(IDC_TOOLBAR), TB_ISBUTTONCHECKED, ID_FILE_PRINT, 0) != 0;
}

class PrinterDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(h.Started());
        char name[256];
        DWORD size = sizeof name;
        ASSERT_TRUE(GetDefaultPrinterA(name, &size)) << "no printer: the test set-up starts two";
        ASSERT_STREQ(kDefaultPrinter, name);
    }
    void TearDown() override
    {
        // A dialog a failed check left open would keep the window from ending.
        for (const Form* form : {&kSetup, &kPrint}) {
            if (HWND dialog = FindThreadWindow(h.ThreadId(), "#32770", form->caption)) {
                PressDialogButton(dialog, IDCANCEL);
                WaitForWindowGone(dialog);
            }
        }
    }

    // Opens the printer dialog of a command; fails when another form opens.
    HWND Open(const Form& form)
    {
        h.PostCommand(form.command);
        HWND dialog = WaitForThreadWindow(h.ThreadId(), "#32770", form.caption);
        EXPECT_NE(nullptr, dialog) << form.name << " did not open its own form";
        if (dialog) {
            // The other form has no printer list of this form's id.
            EXPECT_NE(nullptr, GetDlgItem(dialog, form.printerCombo)) << form.name;
        }
        return dialog;
    }
    std::string ShownPrinter(HWND dialog, const Form& form) { return ComboSelection(GetDlgItem(dialog, form.printerCombo)); }
    void Answer(HWND dialog, int button)
    {
        PressDialogButton(dialog, button);
        ASSERT_TRUE(WaitForWindowGone(dialog));
        // The command has returned once the window is enabled again.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(h.Hwnd()) != FALSE; }));
    }
    // Opens a form, picks the other printer and confirms it.
    void ChooseOtherPrinter(const Form& form)
    {
        HWND dialog = Open(form);
        ASSERT_NE(nullptr, dialog);
        ASSERT_TRUE(SelectComboItem(dialog, form.printerCombo, kOtherPrinter));
        Answer(dialog, IDOK);
    }

    ViewerHarness h;
};

TEST_F(PrinterDialogs, FirstDialogOpensWithTheDefaultsAndCancelKeepsThem)
{
    for (const Form* form : {&kSetup, &kPrint, &kSetup}) {
        SCOPED_TRACE(form->name);
        HWND dialog = Open(*form);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(kDefaultPrinter, ShownPrinter(dialog, *form));
        // A different choice, cancelled, is forgotten.
        ASSERT_TRUE(SelectComboItem(dialog, form->printerCombo, kOtherPrinter));
        Answer(dialog, IDCANCEL);
        Remembered r = ReadRemembered(h);
        EXPECT_EQ(1, r.firstPrintDialog);
        EXPECT_TRUE(AllZero(r.block));
    }
}

struct CarryCase {
    const Form* first;
    const Form* second;
};

class PrinterChoiceCarriesOver : public PrinterDialogs, public ::testing::WithParamInterface<CarryCase> {};

TEST_P(PrinterChoiceCarriesOver, ToTheNextDialogInItsOwnForm)
{
    const Form& first = *GetParam().first;
    const Form& second = *GetParam().second;
    ASSERT_NO_FATAL_FAILURE(ChooseOtherPrinter(first));
    Remembered r = ReadRemembered(h);
    EXPECT_EQ(0, r.firstPrintDialog);
    EXPECT_EQ(kOtherPrinter, r.deviceName);
    EXPECT_EQ(kPrinterDialogFlags, r.block.Flags & kPrinterDialogFlags);
    EXPECT_EQ(nullptr, r.block.hDC) << "the printer device context is released at once";

    HWND dialog = Open(second);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(kOtherPrinter, ShownPrinter(dialog, second));
    Answer(dialog, IDCANCEL);
    EXPECT_EQ(kOtherPrinter, ReadRemembered(h).deviceName) << "Cancel keeps the confirmed choice";

    // And it keeps carrying over, the command's own form each time.
    for (const Form* form : {&first, &second}) {
        SCOPED_TRACE(form->name);
        dialog = Open(*form);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(kOtherPrinter, ShownPrinter(dialog, *form));
        Answer(dialog, IDCANCEL);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, PrinterChoiceCarriesOver,
                         ::testing::Values(CarryCase{&kSetup, &kSetup}, CarryCase{&kSetup, &kPrint},
                                           CarryCase{&kPrint, &kPrint}, CarryCase{&kPrint, &kSetup}),
                         [](const ::testing::TestParamInfo<CarryCase>& info) {
                             return std::string(info.param.first->name) + "Then" + info.param.second->name;
                         });

TEST_F(PrinterDialogs, SettingsConfirmedInEitherFormCarryOver)
{
    // Landscape from Print Setup.
    HWND dialog = Open(kSetup);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(SelectComboItem(dialog, kSetup.printerCombo, kOtherPrinter));
    CheckRadioButton(dialog, 0x420, kLandscape, kLandscape);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kLandscape, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, kLandscape)));
    Answer(dialog, IDOK);
    EXPECT_EQ(DMORIENT_LANDSCAPE, ReadRemembered(h).orientation);

    // Three copies from Print; the orientation stays.
    dialog = Open(kPrint);
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, kCopies, "3");
    Answer(dialog, IDOK);
    Remembered r = ReadRemembered(h);
    EXPECT_EQ(kOtherPrinter, r.deviceName);
    EXPECT_EQ(DMORIENT_LANDSCAPE, r.orientation);
    EXPECT_EQ(3, r.copies);

    dialog = Open(kSetup);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, kLandscape));
    Answer(dialog, IDCANCEL);
    dialog = Open(kPrint);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("3", WindowText(GetDlgItem(dialog, kCopies)));
    Answer(dialog, IDCANCEL);
}

TEST_F(PrinterDialogs, PrintPressesItsToolbarButtonAndPrintSetupLeavesItAlone)
{
    ASSERT_NE(nullptr, h.Item(IDC_TOOLBAR)) << "the main window has no toolbar";
    HWND dialog = Open(kPrint);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(PrintButtonChecked(h));
    Answer(dialog, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !PrintButtonChecked(h); }));
    dialog = Open(kSetup);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(PrintButtonChecked(h));
    Answer(dialog, IDCANCEL);
}

TEST_F(PrinterDialogs, ReplacedAndRemainingPrinterMemoryIsFreed)
{
    // Every block of printer memory the window has held, and whether it is freed by the end.
    std::vector<HGLOBAL> held;
    for (const Form* form : {&kPrint, &kSetup, &kPrint}) {
        SCOPED_TRACE(form->name);
        ASSERT_NO_FATAL_FAILURE(ChooseOtherPrinter(*form));
        Remembered r = ReadRemembered(h);
        ASSERT_NE(nullptr, r.block.hDevMode);
        ASSERT_NE(nullptr, r.block.hDevNames);
        for (HGLOBAL earlier : held) {
            if (earlier == r.block.hDevMode || earlier == r.block.hDevNames) continue;  // reused after a free
            EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), h.Get<UINT>([&] { return GlobalFlags(earlier); }))
                << "replaced printer memory is freed";
        }
        held.push_back(r.block.hDevMode);
        held.push_back(r.block.hDevNames);
    }
    auto flagsAtEnd = std::make_shared<std::vector<UINT>>();
    h.AfterDestruction = [held, flagsAtEnd] {
        for (HGLOBAL memory : held) flagsAtEnd->push_back(GlobalFlags(memory));
    };
    h.Command(ID_FILE_EXIT);
    ASSERT_TRUE(h.WaitForEnd());
    ASSERT_EQ(held.size(), flagsAtEnd->size());
    for (UINT flags : *flagsAtEnd) EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), flags) << "nothing outlives the run";
}

}  // namespace
