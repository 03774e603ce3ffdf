// Print Setup and Print: the platform's printer dialog, remembering the choice
// confirmed with OK for the rest of the run.
#include "viewer/ViewerDlg.h"

#include "dialogs/PrinterChoice.h"

void CViewerDlg::ShowPrinterDialog(BOOL setupOnly)
{
    CPrintDialog dialog(setupOnly, kPrinterDialogFlags, this);
    if (!FirstPrintDialog) RestorePrinterChoice(dialog.m_pd, SavedPrintDlg);

    INT_PTR result = dialog.DoModal();
    // Nothing is printed, so the full form's device context goes at once.
    ReleasePrinterDC(dialog.m_pd);
    if (result == IDOK) {
        KeepPrinterChoice(SavedPrintDlg, dialog.m_pd);
        FirstPrintDialog = 0;
    } else {
        DiscardPrinterChoice(dialog.m_pd);
    }
}
