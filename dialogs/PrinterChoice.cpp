#include "dialogs/PrinterChoice.h"

#include <cstring>

static_assert(kPrinterDialogFlags == 1310732, "the printer dialogs' option flags");

namespace {

void FreeGlobal(HGLOBAL& memory)
{
    if (memory) ::GlobalFree(memory);
    memory = nullptr;
}

}  // namespace

HGLOBAL CopyGlobalMemory(HGLOBAL source)
{
    if (!source) return nullptr;
    SIZE_T size = ::GlobalSize(source);
    if (size == 0) return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    const void* from = ::GlobalLock(source);
    void* to = ::GlobalLock(copy);
    if (from && to) memcpy(to, from, size);
    if (to) ::GlobalUnlock(copy);
    if (from) ::GlobalUnlock(source);
    if (!from || !to) {
        ::GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

void RestorePrinterChoice(PRINTDLGA& dialog, const PRINTDLGA& saved)
{
    DWORD size = dialog.lStructSize;
    DWORD flags = dialog.Flags;
    memcpy(&dialog, &saved, sizeof dialog);
    dialog.lStructSize = size;
    dialog.Flags = flags;
    dialog.hDC = nullptr;
    dialog.hDevMode = CopyGlobalMemory(saved.hDevMode);
    dialog.hDevNames = CopyGlobalMemory(saved.hDevNames);
}

void ReleasePrinterDC(PRINTDLGA& block)
{
    if (block.hDC) ::DeleteDC(block.hDC);
    block.hDC = nullptr;
}

void KeepPrinterChoice(PRINTDLGA& saved, PRINTDLGA& dialog)
{
    FreePrinterChoice(saved);
    memcpy(&saved, &dialog, sizeof saved);
    dialog.hDevMode = nullptr;
    dialog.hDevNames = nullptr;
    dialog.hDC = nullptr;
}

void DiscardPrinterChoice(PRINTDLGA& dialog)
{
    ReleasePrinterDC(dialog);
    FreeGlobal(dialog.hDevMode);
    FreeGlobal(dialog.hDevNames);
}

void FreePrinterChoice(PRINTDLGA& saved)
{
    ReleasePrinterDC(saved);
    FreeGlobal(saved.hDevMode);
    FreeGlobal(saved.hDevNames);
}
