// Preview rebuild: RebuildPreviewFont with the box repainted, against creating and
// deleting the same font and repainting, and against handing the box a new font.
#include <windows.h>

#include "Bench.h"
#include "BenchWindow.h"
#include "Stats.h"
#include "Table.h"
#include "res/resource.h"

namespace {

// The description of the font the box shows now, for the floors to create it again.
LOGFONTA PreviewDescription(CViewerDlg& dlg)
{
    LOGFONTA description = {};
    if (dlg.PreviewFont) GetObjectA(dlg.PreviewFont->GetSafeHandle(), sizeof description, &description);
    return description;
}

}  // namespace

void BenchPreviewRebuild(BenchWindow& window, const Options& options)
{
    const int kRebuilds = 200;
    Progress("preview rebuild");
    window.Run([&] { window.Dlg().LoadInitialSample(); });
    Samples program, floor, minimum;
    for (int run = -1; run < options.runs; ++run) {
        double floorMs = 0, programMs = 0, minimumMs = 0;
        window.Run([&] {
            CViewerDlg& dlg = window.Dlg();
            double start = NowMs();
            for (int i = 0; i < kRebuilds; ++i) {
                dlg.RebuildPreviewFont();
                ::UpdateWindow(window.Item(IDC_SAMPLE_BOX));
            }
            programMs = (NowMs() - start) / kRebuilds;
        });
        window.Run([&] {
            LOGFONTA description = PreviewDescription(window.Dlg());
            HWND box = window.Item(IDC_SAMPLE_BOX);
            double start = NowMs();
            for (int i = 0; i < kRebuilds; ++i) {
                HFONT font = CreateFontIndirectA(&description);
                DeleteObject(font);
                InvalidateRect(box, nullptr, TRUE);
                UpdateWindow(box);
            }
            floorMs = (NowMs() - start) / kRebuilds;
        });
        // The least any program can do to show a new font in the box: hand it over.
        window.Run([&] {
            LOGFONTA description = PreviewDescription(window.Dlg());
            HWND box = window.Item(IDC_SAMPLE_BOX);
            HFONT kept = reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0));
            HFONT previous = nullptr;
            double start = NowMs();
            for (int i = 0; i < kRebuilds; ++i) {
                HFONT font = CreateFontIndirectA(&description);
                SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
                if (previous) DeleteObject(previous);
                previous = font;
                UpdateWindow(box);
            }
            minimumMs = (NowMs() - start) / kRebuilds;
            SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(kept), TRUE);
            if (previous) DeleteObject(previous);
        });
        if (run < 0) continue;
        floor.Add(floorMs);
        program.Add(programMs);
        minimum.Add(minimumMs);
    }
    AddTimedRow("Preview rebuild, sample box repainted", program, floor, 1.2);
    AddTimedRow("  platform minimum: new font handed to the box", minimum, floor, 1.2)
            .verdict = minimum.Median() <= 1.2 * floor.Median() ? "met" : "bound";
    AddNote(Format("Preview rebuild: Typoscope takes %.2f x the platform minimum (%d rebuilds per run).",
                   program.Median() / minimum.Median(), kRebuilds));
}

