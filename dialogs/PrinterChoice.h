// The printer choice confirmed with OK, carried from one printer dialog of the
// run to the next. The saved block owns its device-mode and device-names
// memory; a dialog only ever receives copies of it, so the platform can free
// or replace what it is given without touching what is saved.
#pragma once

#include <windows.h>
#include <commdlg.h>

// The printer dialogs' options: all pages, no selection, no page numbers, the copy
// count in the device mode, no print-to-file box.
const DWORD kPrinterDialogFlags = PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

// Puts the saved choice into a dialog's block. The dialog keeps its own size and
// flags, so that it opens in the form of the command that opened it.
void RestorePrinterChoice(PRINTDLGA& dialog, const PRINTDLGA& saved);

// Deletes the printer device context a dialog handed back; nothing draws on it.
void ReleasePrinterDC(PRINTDLGA& block);

// After OK: the dialog's block becomes the saved one, whose memory it replaces.
// The dialog's block is left without memory of its own.
void KeepPrinterChoice(PRINTDLGA& saved, PRINTDLGA& dialog);

// After Cancel or a failure: frees the memory the dialog's block holds.
void DiscardPrinterChoice(PRINTDLGA& dialog);

// Frees the saved block's memory and device context, at the end of the run.
void FreePrinterChoice(PRINTDLGA& saved);

// A new movable copy of a global memory block; null for null or on failure.
HGLOBAL CopyGlobalMemory(HGLOBAL source);
