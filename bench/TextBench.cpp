// Text loading: LoadTextFile on files of 80-character lines against one WM_SETTEXT
// of the same text.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "Bench.h"
#include "BenchWindow.h"
#include "Stats.h"
#include "Table.h"
#include "res/resource.h"

namespace {

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

}  // namespace

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
        if (!opened) AddNote(Format("Text loading %s: LoadTextFile reported that the file did not open.", size.label));
        if (programLength != static_cast<long>(text.size()) || floorLength != static_cast<long>(text.size()))
            AddNote(Format("Text loading %s: the box held %s characters after LoadTextFile and %s after "
                           "WM_SETTEXT, of %s in the file.",
                           size.label, Thousands(programLength).c_str(), Thousands(floorLength).c_str(),
                           Thousands(static_cast<long long>(text.size())).c_str()));
        DeleteFileA(path.c_str());
    }
    window.Run([&] { window.Dlg().LoadInitialSample(); });
}

