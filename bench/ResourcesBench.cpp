// Resources: the process's objects and memory over thousands of cycles of the
// program's operations, against the same cycles made of the platform's calls alone.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "Bench.h"
#include "BenchWindow.h"
#include "ResourceFloor.h"
#include "Resources.h"
#include "Stats.h"
#include "Table.h"
#include "viewer/FontDescription.h"

namespace {

// The operations a resource cycle can be made of; "all" is one of each, in this order.
const char* const kCycleKinds[] = {"all", "rebuild", "preset", "wrap", "refresh", "repaint"};

// One cycle of the program's operations that create and release objects while the window runs.
void Cycle(CViewerDlg& dlg, const std::string& kind, int i)
{
    bool all = kind == "all";
    if (all || kind == "rebuild") dlg.RebuildPreviewFont();
    if (all || kind == "preset") dlg.SelectSizePreset(i % kSizePresetCount);
    if (all || kind == "wrap") dlg.ToggleWordWrap();
    if (all || kind == "refresh") {
        dlg.FillFontList();
        dlg.SelectFace(theApp.ViewerSettings.Name);
        dlg.RebuildPreviewFont();
    }
    if (all || kind == "repaint")
        RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The same cycle as the platform's calls alone, on a copy of the window.
void FloorCycle(FloorWindow& floor, const std::string& kind, int i)
{
    bool all = kind == "all";
    if (all || kind == "rebuild") floor.Rebuild();
    if (all || kind == "preset") floor.Preset(i);
    if (all || kind == "wrap") floor.Wrap();
    if (all || kind == "refresh") floor.Refresh();
    if (all || kind == "repaint") floor.Repaint();
}

void RunCycles(BenchWindow& window, int from, int count, const std::function<void(int)>& cycle)
{
    const int kBatch = 50;
    for (int done = 0; done < count; done += kBatch) {
        int batch = std::min(kBatch, count - done);
        window.Run([&] {
            for (int i = 0; i < batch; ++i) cycle(from + done + i);
        });
        // Let the window's own loop run between batches, as it does between the user's actions.
        window.Drain();
    }
}

// The counts after warm-up, at half and at the end of a number of cycles.
struct CycleCounts {
    ResourceCounts before, middle, after;
    double msPerCycle = 0;
    int warmUp = 0;
};

CycleCounts MeasureCycles(BenchWindow& window, int cycles, const std::function<void(int)>& cycle)
{
    CycleCounts counts;
    counts.warmUp = std::max(1, cycles / 20);
    double start = NowMs();
    RunCycles(window, 0, counts.warmUp, cycle);
    counts.msPerCycle = (NowMs() - start) / counts.warmUp;
    counts.before = CountResources();
    RunCycles(window, counts.warmUp, cycles / 2, cycle);
    counts.middle = CountResources();
    RunCycles(window, counts.warmUp + cycles / 2, cycles - cycles / 2, cycle);
    counts.after = CountResources();
    return counts;
}

std::string Megabytes(SIZE_T bytes)
{
    return Format("%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
}

double Grown(SIZE_T from, SIZE_T to)
{
    return static_cast<double>(to) - static_cast<double>(from);
}

// Allocator noise: what a heap may take on or give back without anything leaking.
const double kMemoryNoise = 256.0 * 1024.0;

void BenchResourcesOf(BenchWindow& window, const Options& options, const std::string& kind)
{
    std::string named = kind == "all" ? std::string() : " " + kind;
    Progress("resources: %d%s cycles", options.cycles, named.c_str());
    CycleCounts program = MeasureCycles(window, options.cycles, [&](int i) { Cycle(window.Dlg(), kind, i); });
    Progress("resources: the same %d%s cycles as the platform's calls alone", options.cycles, named.c_str());
    std::unique_ptr<FloorWindow> floorWindow;
    window.Run([&] { floorWindow.reset(new FloorWindow(window.Hwnd())); });
    CycleCounts floor;
    if (floorWindow && floorWindow->Created())
        floor = MeasureCycles(window, options.cycles, [&](int i) { FloorCycle(*floorWindow, kind, i); });
    else
        AddNote("Resources: the floor window could not be made; its rows are left out.");
    window.Run([&] { floorWindow.reset(); });
    window.Drain();

    const ResourceCounts& before = program.before;
    const ResourceCounts& middle = program.middle;
    const ResourceCounts& after = program.after;
    std::string cycles = Thousands(options.cycles) + named;
    auto countRow = [&](const std::string& what, long b, long m, long a) {
        AddRow({what + " after " + cycles + " cycles", Format("%ld (at half: %ld)", a, m), Format("%ld", b),
                Format("%+ld", a - b), "flat", a == b ? "met" : "MISSED"});
    };
    bool wineTable = before.gdiLive >= 0;
    if (GuiResourcesAnswer(before)) {
        countRow("GDI objects (GetGuiResources)", static_cast<long>(before.gdiReported),
                 static_cast<long>(middle.gdiReported), static_cast<long>(after.gdiReported));
        countRow("USER objects (GetGuiResources)", static_cast<long>(before.userReported),
                 static_cast<long>(middle.userReported), static_cast<long>(after.userReported));
    }
    if (wineTable) {
        countRow("GDI objects (live in handle table)", before.gdiLive, middle.gdiLive, after.gdiLive);
        countRow("  of which fonts", before.fontsLive, middle.fontsLive, after.fontsLive);
    }
    countRow("USER windows (process's windows)", before.windows, middle.windows, after.windows);

    // Private memory is met when it is flat (the second half adds no more than the
    // allocator's noise) or grows no more than the platform's own calls grow it.
    double programGrowth = Grown(before.privateBytes, after.privateBytes);
    double floorGrowth = Grown(floor.before.privateBytes, floor.after.privateBytes);
    bool haveFloor = floor.before.privateBytes != 0;
    bool flat = Grown(middle.privateBytes, after.privateBytes) <= kMemoryNoise;
    bool withinFloor = haveFloor && programGrowth <= floorGrowth + kMemoryNoise;
    auto memoryRow = [&](const std::string& what, const CycleCounts& c, SIZE_T ResourceCounts::*field,
                         const std::string& target, const std::string& verdict) {
        AddRow({what + " after " + cycles + " cycles",
                Megabytes(c.after.*field) + " (at half: " + Megabytes(c.middle.*field) + ")",
                Megabytes(c.before.*field),
                Format("%+.2f MB", Grown(c.before.*field, c.after.*field) / 1048576.0), target, verdict});
    };
    memoryRow("Private memory", program, &ResourceCounts::privateBytes, "flat, or <= floor + 0.25 MB",
              flat || withinFloor ? "met" : "MISSED");
    if (haveFloor) memoryRow("  floor: the platform's calls alone,", floor, &ResourceCounts::privateBytes, "(floor)", "");
    // The heaps hold what the program and the platform's Windows side allocate; the
    // rest of private memory is the platform's Unix side (font rasteriser, display).
    memoryRow("  of which in the heaps", program, &ResourceCounts::heapBytes, "(shown)", "");
    if (haveFloor) memoryRow("  floor, of which in the heaps", floor, &ResourceCounts::heapBytes, "(shown)", "");
    // The working set also holds mapped font files and shared pages that come and go: shown, not judged.
    memoryRow("Working set", program, &ResourceCounts::workingSet, "(shown)", "");

    double half = options.cycles - options.cycles / 2;
    AddNote(Format("Resources%s: private memory grew %.0f bytes a cycle (%.0f in the second half), its heaps "
                   "%.0f; the platform's calls alone grew it %.0f bytes a cycle (%.0f in the second half), "
                   "their heaps %.0f.",
                   named.c_str(), programGrowth / options.cycles,
                   Grown(middle.privateBytes, after.privateBytes) / half,
                   Grown(before.heapBytes, after.heapBytes) / options.cycles, floorGrowth / options.cycles,
                   Grown(floor.middle.privateBytes, floor.after.privateBytes) / half,
                   Grown(floor.before.heapBytes, floor.after.heapBytes) / options.cycles));
    if (kind == "all")
        AddNote(Format("Resources: one cycle = RebuildPreviewFont, a size preset, ToggleWordWrap, a refresh "
                       "(FillFontList, SelectFace, RebuildPreviewFont) and a full repaint; %.1f ms a cycle "
                       "(the floor's: %.1f ms); %d warm-up cycles before the first count.",
                       program.msPerCycle, floor.msPerCycle, program.warmUp));
    else
        AddNote(Format("Resources%s: %.1f ms a cycle (the floor's: %.1f ms).", named.c_str(),
                       program.msPerCycle, floor.msPerCycle));
}

}  // namespace

bool KnownCycleKind(const std::string& kind)
{
    for (const char* known : kCycleKinds)
        if (kind == known) return true;
    return false;
}

void BenchResources(BenchWindow& window, const Options& options)
{
    for (const std::string& kind : options.cycleKinds) BenchResourcesOf(window, options, kind);
    AddNote("Resources floor: the main window's dialog template under a bare dialog procedure, driven "
            "with the platform calls each operation ends in (a font created, handed to the box and the old "
            "one deleted; the size field set; the box re-created with its text; EnumFontsA and the list "
            "refilled; RedrawWindow), after the program's cycles in the same process.");
    ResourceCounts now = CountResources();
    if (!GuiResourcesAnswer(now))
        AddNote(Format("Resources: GetGuiResources answers 0 on %s (not implemented); GDI objects are counted "
                       "from the process's GDI handle table instead, USER objects as the process's windows.",
                       PlatformName().c_str()));
}

