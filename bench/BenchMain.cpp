// Typoscope's benchmarks: each operation against the platform's own floor for
// the same work, measured in the same run, printed as one table. One file a measure.
//   typoscope_bench --typoscope EXE --floor EXE --fonts DIR --data DIR [--runs N] [--cycles N] [--only NAME]
//                   [--cycle KIND,...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "Bench.h"
#include "BenchWindow.h"
#include "Table.h"

CViewerApp theApp;

namespace {

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
                        "[--runs N] [--cycles N] [--only startup,fontlist,text,preview,marks,resources]\n"
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
        if (options.Wants("marks")) BenchMarks(window, options);
        if (options.Wants("resources")) BenchResources(window, options);
    }
    PrintTable(options.runs);
    return 0;
}

