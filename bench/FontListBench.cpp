// Font list: FillFontList with 200, 2,000 and 5,000 fixture faces added to the
// process, against EnumFontsA alone and against the least any program can do.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "Bench.h"
#include "BenchWindow.h"
#include "Stats.h"
#include "Table.h"
#include "res/resource.h"

namespace {

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

}  // namespace

void BenchFontList(BenchWindow& window, const Options& options)
{
    std::vector<std::string> files = FixtureFiles(options);
    if (files.size() < 5000) {
        AddNote("Font list: fewer than 5,000 fixture faces in " + options.fonts + "; rows left out.");
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
                    floor, 1.5)
            .verdict = minimum.Median() <= 1.5 * floor.Median() ? "met" : "bound";
        AddNote(Format("Font list, %s faces: Typoscope takes %.2f x the platform minimum.",
                       Thousands(faces).c_str(), program.Median() / minimum.Median()));
        programMedians.push_back(program.Median());
        floorMedians.push_back(floor.Median());
        if (faces != stock + static_cast<long>(target))
            AddNote(Format("Font list: %s entries listed, %s expected (%s installed + %s fixture faces).",
                           Thousands(faces).c_str(), Thousands(stock + static_cast<long>(target)).c_str(),
                           Thousands(stock).c_str(), Thousands(static_cast<long>(target)).c_str()));
    }
    AddNote(Format("Font list growth, 200 -> 2,000 -> 5,000 fixture faces: Typoscope x%.1f, x%.1f; "
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

