// The benchmarks' options and their measures, one file each. Every measure adds
// its rows and notes to the one table (Table.h).
#pragma once

#include <string>
#include <vector>

class BenchWindow;

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

// Start-up of the real program against a bare dialog showing the fonts (no window of its own).
void BenchStartup(const Options& options);
// The measures on the main window, run on its thread.
void BenchFontList(BenchWindow& window, const Options& options);
void BenchPreviewRebuild(BenchWindow& window, const Options& options);
void BenchTextLoading(BenchWindow& window, const Options& options);
void BenchResources(BenchWindow& window, const Options& options);
void BenchMarks(BenchWindow& window, const Options& options);

// True for the names --cycle takes: "all" or one operation.
bool KnownCycleKind(const std::string& kind);
