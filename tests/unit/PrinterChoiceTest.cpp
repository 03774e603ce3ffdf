// The remembered printer choice: what a dialog receives and what is freed.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/PrinterChoice.h"

namespace {

HGLOBAL MakeMemory(const char* text)
{
    size_t size = strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    return memory;
}

std::string MemoryText(HGLOBAL memory)
{
    std::string text = static_cast<const char*>(GlobalLock(memory));
    GlobalUnlock(memory);
    return text;
}

bool Freed(HGLOBAL memory)
{
    return GlobalFlags(memory) == GMEM_INVALID_HANDLE;
}

PRINTDLGA SavedChoice()
{
    PRINTDLGA saved = {};
    saved.lStructSize = sizeof saved;
    saved.Flags = kPrinterDialogFlags | PD_RETURNDC;
    saved.hDevMode = MakeMemory("device mode of B");
    saved.hDevNames = MakeMemory("device names of B");
    saved.nCopies = 3;
    saved.nFromPage = 0xFFFF;
    return saved;
}

TEST(PrinterChoice, RestoreKeepsTheDialogsFormAndHandsOverCopies)
{
    PRINTDLGA saved = SavedChoice();
    for (DWORD form : {static_cast<DWORD>(PD_PRINTSETUP), static_cast<DWORD>(PD_RETURNDC)}) {
        SCOPED_TRACE(form);
        PRINTDLGA dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.Flags = kPrinterDialogFlags | form;
        RestorePrinterChoice(dialog, saved);
        EXPECT_EQ(kPrinterDialogFlags | form, dialog.Flags);
        EXPECT_EQ(sizeof dialog, dialog.lStructSize);
        EXPECT_EQ(3, dialog.nCopies);
        EXPECT_EQ(0xFFFF, dialog.nFromPage);
        EXPECT_EQ(nullptr, dialog.hDC);
        ASSERT_NE(nullptr, dialog.hDevMode);
        EXPECT_NE(saved.hDevMode, dialog.hDevMode);
        EXPECT_NE(saved.hDevNames, dialog.hDevNames);
        EXPECT_EQ("device mode of B", MemoryText(dialog.hDevMode));
        EXPECT_EQ("device names of B", MemoryText(dialog.hDevNames));
        // Whatever the dialog does with its copies, the saved memory stays.
        DiscardPrinterChoice(dialog);
        EXPECT_EQ(nullptr, dialog.hDevMode);
        EXPECT_EQ(nullptr, dialog.hDevNames);
        EXPECT_EQ("device mode of B", MemoryText(saved.hDevMode));
    }
    FreePrinterChoice(saved);
}

TEST(PrinterChoice, KeepReplacesAndFreesTheOldChoice)
{
    PRINTDLGA saved = SavedChoice();
    HGLOBAL oldMode = saved.hDevMode, oldNames = saved.hDevNames;
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = kPrinterDialogFlags | PD_PRINTSETUP;
    dialog.hDevMode = MakeMemory("device mode of A");
    dialog.hDevNames = MakeMemory("device names of A");
    HGLOBAL newMode = dialog.hDevMode;
    KeepPrinterChoice(saved, dialog);
    EXPECT_TRUE(Freed(oldMode));
    EXPECT_TRUE(Freed(oldNames));
    EXPECT_EQ(newMode, saved.hDevMode);
    EXPECT_EQ(kPrinterDialogFlags | PD_PRINTSETUP, saved.Flags);
    EXPECT_EQ(nullptr, dialog.hDevMode) << "the saved block alone owns the memory now";
    EXPECT_EQ(nullptr, dialog.hDevNames);
    FreePrinterChoice(saved);
    EXPECT_TRUE(Freed(newMode));
    EXPECT_EQ(nullptr, saved.hDevMode);
    EXPECT_EQ(nullptr, saved.hDevNames);
}

TEST(PrinterChoice, PrinterDeviceContextIsDeleted)
{
    PRINTDLGA block = {};
    block.hDC = CreateCompatibleDC(nullptr);
    HDC dc = block.hDC;
    ASSERT_NE(0u, GetObjectType(dc));
    ReleasePrinterDC(block);
    EXPECT_EQ(nullptr, block.hDC);
    EXPECT_EQ(0u, GetObjectType(dc));
    ReleasePrinterDC(block);  // nothing left to release
}

TEST(PrinterChoice, CopyOfNothingIsNothing)
{
    EXPECT_EQ(nullptr, CopyGlobalMemory(nullptr));
    PRINTDLGA empty = {};
    FreePrinterChoice(empty);
    DiscardPrinterChoice(empty);
}

}  // namespace
