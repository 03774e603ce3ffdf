// Typoscope's benchmarks: each operation against the platform's own floor for
// the same work, measured in the same run, printed as one table.
//   typoscope_bench --typoscope EXE --floor EXE --fonts DIR --data DIR [--runs N] [--cycles N] [--only NAME]
//                   [--cycle KIND,...]
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BenchWindow.h"
#include "ResourceFloor.h"
#include "Resources.h"
#include "Stats.h"
#include "res/resource.h"
#include "support/Wait.h"
#include "viewer/FontDescription.h"

CViewerApp theApp;

namespace {

struct Options {
    std::string typoscope;
    std::string floor;
    std::string fonts;
    std::string data;
    int runs = 7;
    int cycles = 10000;
    std::string only;
    std::vector<std::string> cycleKinds{"all"};
    bool Wants(const char* name) const { return only.empty() || only.find(name) != std::string::npos; }
};

// One line of the table. Timed rows show median (min-max) of both sides and their ratio.
struct Row {
    std::string measure;
    std::string program;
    std::string floor;
    std::string ratio;
    std::string target;
    std::string verdict;
};

std::vector<Row> g_rows;
std::vector<std::string> g_notes;

void Progress(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
    fflush(stderr);
}

std::string Format(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Duration(double ms)
{
    if (ms < 1.0) return Format("%.1f us", ms * 1000.0);
    if (ms < 100.0) return Format("%.2f ms", ms);
    return Format("%.0f ms", ms);
}

std::string Spread(const Samples& s)
{
    return Duration(s.Median()) + " (" + Duration(s.Min()) + " - " + Duration(s.Max()) + ")";
}

void AddTimedRow(const std::string& measure, const Samples& program, const Samples& floor, double target)
{
    double ratio = floor.Median() > 0 ? program.Median() / floor.Median() : 0;
    g_rows.push_back({measure, Spread(program), Spread(floor), Format("%.2f", ratio), Format("<= %.1f", target),
                      ratio <= target ? "met" : "MISSED"});
}

std::string Thousands(long long n)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return (n < 0 ? "-" : "") + out;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Start-up -------------------------------------------------------------------

struct StartupResult {
    bool ok = false;
    double ms = 0;
    long faces = -1;     // list entries (Typoscope) or enumerated reports (floor)
};

bool Painted(HWND hWnd)
{
    if (GetUpdateRect(hWnd, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
    return true;
}

// From process creation to its main dialog shown, painted and waiting for input.
StartupResult LaunchOnce(const std::string& exe, bool typoscope)
{
    StartupResult result;
    std::string folder = FolderOf(exe);
    if (typoscope) DeleteFileA((folder + "\\sample.txt").c_str());
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double start = NowMs();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        Progress("cannot start %s (error %lu)", exe.c_str(), GetLastError());
        return result;
    }
    HWND window = nullptr;
    DWORD deadline = GetTickCount() + 60000;
    for (;;) {
        WaitForInputIdle(process.hProcess, 100);
        window = FindProcessWindow(process.dwProcessId, "#32770", nullptr);
        if (window && Painted(window)) break;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 || GetTickCount() > deadline) {
            window = nullptr;
            break;
        }
    }
    result.ms = NowMs() - start;
    if (window) {
        result.ok = true;
        DWORD_PTR answer = 0;
        if (typoscope) {
            if (SendMessageTimeoutA(GetDlgItem(window, IDC_FONT_LIST), LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &answer))
                result.faces = static_cast<long>(answer);
            PostMessageA(window, WM_COMMAND, ID_FILE_EXIT, 0);
        } else {
            result.faces = static_cast<long>(GetWindowLongPtrA(window, GWLP_USERDATA));
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        }
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

void BenchStartup(const Options& options)
{
    Progress("start-up: %s against %s", options.typoscope.c_str(), options.floor.c_str());
    Samples program, floor;
    long faces = -1, reports = -1;
    bool ok = true;
    // The first pair warms the disk cache and Wine's font cache and is not counted.
    for (int run = -1; run < options.runs; ++run) {
        StartupResult f = LaunchOnce(options.floor, false);
        StartupResult t = LaunchOnce(options.typoscope, true);
        ok = ok && f.ok && t.ok;
        if (run < 0) continue;
        floor.Add(f.ms);
        program.Add(t.ms);
        faces = t.faces;
        reports = f.faces;
    }
    if (!ok) g_notes.push_back("Start-up: a run did not show its window within 60 s.");
    AddTimedRow(Format("Start-up to window shown (%s faces listed)", Thousands(faces).c_str()), program, floor, 1.3);
    g_notes.push_back(Format("Start-up floor: the same dialog template, one EnumFontsA (%s reports), shown.",
                             Thousands(reports).c_str()));
}

// Font list --------------------------------------------------------------------

int CALLBACK CountReport(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM context)
{
    ++*reinterpret_cast<long*>(context);
    return 1;
}

std::vector<std::string> FixtureFiles(const Options& options)
{
    std::vector<std::string> files;
    std::ifstream names(options.fonts + "\\names.txt");
    std::string name;
    for (int index = 0; std::getline(names, name); ++index)
        files.push_back(options.fonts + Format("\\face%05d.ttf", index));
    return files;
}

void BenchFontList(BenchWindow& window, const Options& options)
{
    std::vector<std::string> files = FixtureFiles(options);
    if (files.size() < 5000) {
        g_notes.push_back("Font list: fewer than 5,000 fixture faces in " + options.fonts + "; rows left out.");
        return;
    }
    long stock = 0;
    window.Run([&] {
        window.Dlg().FillFontList();
        stock = static_cast<long>(window.Dlg().FontList.GetCount());
    });
    size_t added = 0;
    std::vector<double> programMedians, floorMedians;
    for (size_t target : {size_t(200), size_t(2000), size_t(5000)}) {
        for (; added < target; ++added)
            if (!AddFontResourceExA(files[added].c_str(), FR_PRIVATE, nullptr))
                Progress("font list: cannot add %s", files[added].c_str());
        Progress("font list: %lu fixture faces", static_cast<unsigned long>(target));
        Samples program, floor, minimum;
        long faces = 0, reports = 0;
        std::vector<std::string> listed;
        for (int run = -1; run < options.runs; ++run) {
            double floorMs = 0, programMs = 0, minimumMs = 0;
            window.Run([&] {
                reports = 0;
                double start = NowMs();
                HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
                EnumFontsA(display, nullptr, CountReport, reinterpret_cast<LPARAM>(&reports));
                DeleteDC(display);
                floorMs = NowMs() - start;
            });
            window.Run([&] {
                CViewerDlg& dlg = window.Dlg();
                double start = NowMs();
                dlg.FillFontList();
                ::UpdateWindow(dlg.FontList.m_hWnd);
                programMs = NowMs() - start;
                faces = static_cast<long>(dlg.FontList.GetCount());
                listed.assign(static_cast<size_t>(faces), std::string());
                char face[256];
                for (long i = 0; i < faces; ++i)
                    if (dlg.FontList.GetTextLen(static_cast<int>(i)) < static_cast<int>(sizeof face)) {
                        dlg.FontList.GetText(static_cast<int>(i), face);
                        listed[static_cast<size_t>(i)] = face;
                    }
            });
            // The least any program can do to list the faces: the enumeration, and one
            // message per name into the same list, already sorted and free of duplicates.
            window.Run([&] {
                HWND list = window.Item(IDC_FONT_LIST);
                long counted = 0;
                double start = NowMs();
                HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
                EnumFontsA(display, nullptr, CountReport, reinterpret_cast<LPARAM>(&counted));
                DeleteDC(display);
                SendMessageA(list, WM_SETREDRAW, FALSE, 0);
                SendMessageA(list, LB_RESETCONTENT, 0, 0);
                for (const std::string& face : listed)
                    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str()));
                SendMessageA(list, LB_SETCURSEL, 0, 0);
                SendMessageA(list, WM_SETREDRAW, TRUE, 0);
                InvalidateRect(list, nullptr, TRUE);
                UpdateWindow(list);
                minimumMs = NowMs() - start;
            });
            if (run < 0) continue;
            floor.Add(floorMs);
            program.Add(programMs);
            minimum.Add(minimumMs);
        }
        AddTimedRow(Format("Font list, %s faces (%s reports)", Thousands(faces).c_str(), Thousands(reports).c_str()),
                    program, floor, 1.5);
        AddTimedRow(Format("  platform minimum: EnumFontsA + %s list inserts", Thousands(faces).c_str()), minimum,
                    floor, 1.5);
        g_rows.back().verdict = minimum.Median() <= 1.5 * floor.Median() ? "met" : "bound";
        g_notes.push_back(Format("Font list, %s faces: Typoscope takes %.2f x the platform minimum.",
                                 Thousands(faces).c_str(), program.Median() / minimum.Median()));
        programMedians.push_back(program.Median());
        floorMedians.push_back(floor.Median());
        if (faces != stock + static_cast<long>(target))
            g_notes.push_back(Format("Font list: %s entries listed, %s expected (%s installed + %s fixture faces).",
                                     Thousands(faces).c_str(), Thousands(stock + static_cast<long>(target)).c_str(),
                                     Thousands(stock).c_str(), Thousands(static_cast<long>(target)).c_str()));
    }
    g_notes.push_back(Format("Font list growth, 200 -> 2,000 -> 5,000 fixture faces: Typoscope x%.1f, x%.1f; "
                             "floor x%.1f, x%.1f (faces x10, x25).",
                             programMedians[1] / programMedians[0], programMedians[2] / programMedians[0],
                             floorMedians[1] / floorMedians[0], floorMedians[2] / floorMedians[0]));
    for (size_t i = 0; i < added; ++i) RemoveFontResourceExA(files[i].c_str(), FR_PRIVATE, nullptr);
    window.Run([&] {
        CViewerDlg& dlg = window.Dlg();
        dlg.FillFontList();
        dlg.SelectFace(theApp.ViewerSettings.Name);
        dlg.RebuildPreviewFont();
    });
}

// Text loading -----------------------------------------------------------------

// A file of 80-character lines ending in CR LF, of about this many bytes; its text.
std::string WriteTextFile(const std::string& path, size_t bytes)
{
    const char alphabet[] = "The quick brown fox jumps over the lazy dog 0123456789 ";
    std::string text;
    text.reserve(bytes + 82);
    size_t line = 0;
    while (text.size() + 82 <= bytes) {
        for (int i = 0; i < 80; ++i) text += alphabet[(line * 7 + i) % (sizeof alphabet - 1)];
        text += "\r\n";
        ++line;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

void ClearSampleBox(BenchWindow& window)
{
    window.Run([&] {
        HWND box = window.Item(IDC_SAMPLE_BOX);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        UpdateWindow(box);
    });
}

void BenchTextLoading(BenchWindow& window, const Options& options)
{
    CreateDirectoryA(options.data.c_str(), nullptr);
    struct Size {
        const char* label;
        size_t bytes;
    };
    for (Size size : {Size{"1 MB", size_t(1) << 20}, Size{"16 MB", size_t(16) << 20}}) {
        std::string path = options.data + Format("\\lines-%lu.txt", static_cast<unsigned long>(size.bytes >> 20));
        std::string text = WriteTextFile(path, size.bytes);
        Progress("text loading: %s", size.label);
        Samples program, floor;
        long programLength = 0, floorLength = 0;
        bool opened = true;
        int runs = size.bytes > (size_t(4) << 20) ? std::max(3, options.runs / 2 + 1) : options.runs;
        for (int run = -1; run < runs; ++run) {
            double floorMs = 0, programMs = 0;
            ClearSampleBox(window);
            window.Run([&] {
                HWND box = window.Item(IDC_SAMPLE_BOX);
                double start = NowMs();
                SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
                UpdateWindow(box);
                floorMs = NowMs() - start;
                floorLength = GetWindowTextLengthA(box);
            });
            ClearSampleBox(window);
            window.Run([&] {
                double start = NowMs();
                opened = window.Dlg().LoadTextFile(path.c_str()) && opened;
                ::UpdateWindow(window.Item(IDC_SAMPLE_BOX));
                programMs = NowMs() - start;
                programLength = GetWindowTextLengthA(window.Item(IDC_SAMPLE_BOX));
            });
            if (run < 0) continue;
            floor.Add(floorMs);
            program.Add(programMs);
        }
        AddTimedRow(Format("Text loading, %s (%s lines of 80)", size.label, Thousands(static_cast<long long>(text.size() / 82)).c_str()),
                    program, floor, 2.0);
        if (!opened) g_notes.push_back(Format("Text loading %s: LoadTextFile reported that the file did not open.", size.label));
        if (programLength != static_cast<long>(text.size()) || floorLength != static_cast<long>(text.size()))
            g_notes.push_back(Format("Text loading %s: the box held %s characters after LoadTextFile and %s after "
                                     "WM_SETTEXT, of %s in the file.",
                                     size.label, Thousands(programLength).c_str(), Thousands(floorLength).c_str(),
                                     Thousands(static_cast<long long>(text.size())).c_str()));
        DeleteFileA(path.c_str());
    }
    window.Run([&] { window.Dlg().LoadInitialSample(); });
}

// Preview rebuild --------------------------------------------------------------

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
            CViewerDlg& dlg = window.Dlg();
            LOGFONTA description = {};
            if (dlg.PreviewFont) GetObjectA(dlg.PreviewFont->GetSafeHandle(), sizeof description, &description);
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
            CViewerDlg& dlg = window.Dlg();
            LOGFONTA description = {};
            if (dlg.PreviewFont) GetObjectA(dlg.PreviewFont->GetSafeHandle(), sizeof description, &description);
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
    AddTimedRow("  platform minimum: new font handed to the box", minimum, floor, 1.2);
    g_rows.back().verdict = minimum.Median() <= 1.2 * floor.Median() ? "met" : "bound";
    g_notes.push_back(Format("Preview rebuild: Typoscope takes %.2f x the platform minimum (%d rebuilds per run).",
                             program.Median() / minimum.Median(), kRebuilds));
}

// Resources --------------------------------------------------------------------

// The operations a resource cycle can be made of; "all" is one of each, in this order.
const char* const kCycleKinds[] = {"all", "rebuild", "preset", "wrap", "refresh", "repaint"};

bool KnownCycleKind(const std::string& kind)
{
    for (const char* known : kCycleKinds)
        if (kind == known) return true;
    return false;
}

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
        g_notes.push_back("Resources: the floor window could not be made; its rows are left out.");
    window.Run([&] { floorWindow.reset(); });
    window.Drain();

    const ResourceCounts& before = program.before;
    const ResourceCounts& middle = program.middle;
    const ResourceCounts& after = program.after;
    std::string cycles = Thousands(options.cycles) + named;
    auto countRow = [&](const std::string& what, long b, long m, long a) {
        g_rows.push_back({what + " after " + cycles + " cycles", Format("%ld (at half: %ld)", a, m), Format("%ld", b),
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
        g_rows.push_back({what + " after " + cycles + " cycles",
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
    g_notes.push_back(Format("Resources%s: private memory grew %.0f bytes a cycle (%.0f in the second half), its heaps "
                             "%.0f; the platform's calls alone grew it %.0f bytes a cycle (%.0f in the second half), "
                             "their heaps %.0f.",
                             named.c_str(), programGrowth / options.cycles,
                             Grown(middle.privateBytes, after.privateBytes) / half,
                             Grown(before.heapBytes, after.heapBytes) / options.cycles, floorGrowth / options.cycles,
                             Grown(floor.middle.privateBytes, floor.after.privateBytes) / half,
                             Grown(floor.before.heapBytes, floor.after.heapBytes) / options.cycles));
    if (kind == "all")
        g_notes.push_back(Format("Resources: one cycle = RebuildPreviewFont, a size preset, ToggleWordWrap, a refresh "
                                 "(FillFontList, SelectFace, RebuildPreviewFont) and a full repaint; %.1f ms a cycle "
                                 "(the floor's: %.1f ms); %d warm-up cycles before the first count.",
                                 program.msPerCycle, floor.msPerCycle, program.warmUp));
    else
        g_notes.push_back(Format("Resources%s: %.1f ms a cycle (the floor's: %.1f ms).", named.c_str(),
                                 program.msPerCycle, floor.msPerCycle));
}

void BenchResources(BenchWindow& window, const Options& options)
{
    for (const std::string& kind : options.cycleKinds) BenchResourcesOf(window, options, kind);
    g_notes.push_back("Resources floor: the main window's dialog template under a bare dialog procedure, driven "
                      "with the platform calls each operation ends in (a font created, handed to the box and the old "
                      "one deleted; the size field set; the box re-created with its text; EnumFontsA and the list "
                      "refilled; RedrawWindow), after the program's cycles in the same process.");
    ResourceCounts now = CountResources();
    if (!GuiResourcesAnswer(now))
        g_notes.push_back(Format("Resources: GetGuiResources answers 0 on %s (not implemented); GDI objects are counted "
                                 "from the process's GDI handle table instead, USER objects as the process's windows.",
                                 PlatformName().c_str()));
}

// Table --------------------------------------------------------------------------

void PrintTable(const Options& options)
{
    Row header = {"Measure", "Typoscope: median (min - max)", "Floor: median (min - max)", "Ratio", "Target", "Result"};
    std::vector<Row> rows = {header};
    rows.insert(rows.end(), g_rows.begin(), g_rows.end());
    size_t widths[6] = {};
    for (const Row& row : rows) {
        const std::string* cells[6] = {&row.measure, &row.program, &row.floor, &row.ratio, &row.target, &row.verdict};
        for (int i = 0; i < 6; ++i) widths[i] = std::max(widths[i], cells[i]->size());
    }
    printf("Typoscope benchmarks on %s: %d runs each after one warm-up run; floors measured in the same run.\n",
           PlatformName().c_str(), options.runs);
    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        const std::string* cells[6] = {&row.measure, &row.program, &row.floor, &row.ratio, &row.target, &row.verdict};
        std::string line = "|";
        for (int i = 0; i < 6; ++i) {
            std::string cell = *cells[i];
            cell.resize(widths[i], ' ');
            line += " " + cell + " |";
        }
        printf("%s\n", line.c_str());
        if (r == 0) {
            std::string rule = "|";
            for (int i = 0; i < 6; ++i) rule += std::string(widths[i] + 2, '-') + "|";
            printf("%s\n", rule.c_str());
        }
    }
    for (const std::string& note : g_notes) printf("- %s\n", note.c_str());
    fflush(stdout);
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) return false;
        if (arg == "--typoscope") options.typoscope = value;
        else if (arg == "--floor") options.floor = value;
        else if (arg == "--fonts") options.fonts = value;
        else if (arg == "--data") options.data = value;
        else if (arg == "--runs") options.runs = std::max(1, atoi(value));
        else if (arg == "--cycles") options.cycles = std::max(2, atoi(value));
        else if (arg == "--only") options.only = value;
        else if (arg == "--cycle") {
            options.cycleKinds.clear();
            std::stringstream kinds(value);
            std::string kind;
            while (std::getline(kinds, kind, ','))
                if (KnownCycleKind(kind)) options.cycleKinds.push_back(kind);
                else return false;
            if (options.cycleKinds.empty()) return false;
        }
        else return false;
        ++i;
    }
    return !options.typoscope.empty() && !options.floor.empty() && !options.fonts.empty() && !options.data.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        fprintf(stderr, "usage: typoscope_bench --typoscope EXE --floor EXE --fonts DIR --data DIR "
                        "[--runs N] [--cycles N] [--only startup,fontlist,text,preview,resources]\n"
                        "       [--cycle all,rebuild,preset,wrap,refresh,repaint]\n");
        return 2;
    }
    AfxInitFramework(GetModuleHandleA(nullptr));

    if (options.Wants("startup")) BenchStartup(options);

    ViewerSettingsRecord settings;
    strcpy(settings.Name, "DejaVu Sans");
    {
        BenchWindow window(settings);
        if (!window.Started()) {
            fprintf(stderr, "the main window did not start\n");
            return 1;
        }
        if (options.Wants("fontlist")) BenchFontList(window, options);
        if (options.Wants("preview")) BenchPreviewRebuild(window, options);
        if (options.Wants("text")) BenchTextLoading(window, options);
        if (options.Wants("resources")) BenchResources(window, options);
    }
    PrintTable(options);
    return 0;
}
