// Font list marks: a page of the list drawn with the faces that lack characters of a
// 35 KB multi-script text greyed, against the same page drawn unmarked; and a keystroke
// in the box with 1 MB of such text and the list shown, marked against unmarked (which
// is the program without marks).
#include <windows.h>

#include <string>

#include "Bench.h"
#include "BenchWindow.h"
#include "Stats.h"
#include "Table.h"
#include "res/resource.h"

namespace {

// Words of many scripts, one script a word, in lines of about 70 characters, until the
// text's UTF-8 form reaches the size given.
std::wstring MultiScriptText(size_t utf8Bytes)
{
    struct Script {
        unsigned first, count;
    };
    const Script scripts[] = {
        {0x61, 26},     {0xE0, 31},    {0x3B1, 25},   {0x430, 32},  {0x5D0, 27},  {0x627, 36},   {0x905, 53},
        {0xE01, 46},    {0x3041, 86},  {0x30A1, 90},  {0x4E00, 3000}, {0xAC00, 2000}, {0x1F600, 80}, {0x10300, 31},
    };
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    std::wstring text;
    size_t bytes = 0, line = 0;
    while (bytes < utf8Bytes) {
        const Script& script = scripts[next(sizeof scripts / sizeof scripts[0])];
        unsigned letters = 2 + next(6);
        for (unsigned i = 0; i < letters; ++i) {
            unsigned c = script.first + next(script.count);
            if (c > 0xFFFF) {
                text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
                text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                bytes += 4;
            } else {
                text += static_cast<wchar_t>(c);
                bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
            }
            ++line;
        }
        if (line > 70) {
            text += L"\r\n";
            bytes += 2;
            line = 0;
        } else {
            text += L' ';
            bytes += 1;
            ++line;
        }
    }
    return text;
}

void PutText(BenchWindow& window, const std::wstring& text)
{
    window.Run([&] {
        HWND box = window.Item(IDC_SAMPLE_BOX);
        SendMessageW(box, EM_SETSEL, 0, -1);
        SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
        UpdateWindow(box);
        window.Dlg().TakeSampleCharacters();
        UpdateWindow(window.Item(IDC_FONT_LIST));
    });
}

double DrawListPage(BenchWindow& window, int marking)
{
    double ms = 0;
    window.Run([&] {
        window.Dlg().MarkMissingState = marking;
        HWND list = window.Item(IDC_FONT_LIST);
        double start = NowMs();
        InvalidateRect(list, nullptr, FALSE);
        UpdateWindow(list);
        ms = NowMs() - start;
    });
    return ms;
}

}  // namespace

void BenchMarks(BenchWindow& window, const Options& options)
{
    Progress("font list marks: a page with a 35 KB text");
    std::wstring page = MultiScriptText(35 * 1024);
    int rows = 0, faces = 0;
    window.Run([&] {
        HWND list = window.Item(IDC_FONT_LIST);
        window.Dlg().MarkMissingState = 1;
        SendMessageA(list, LB_SETTOPINDEX, 0, 0);
        RECT client, row;
        GetClientRect(list, &client);
        SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        faces = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        rows = row.bottom > row.top ? static_cast<int>((client.bottom + row.bottom - row.top - 1) / (row.bottom - row.top)) : 0;
        if (rows > faces) rows = faces;
    });
    // The first page ever drawn reads the shown faces' character maps, once for the run.
    PutText(window, page);
    double firstMs = 0;
    window.Run([&] { window.Dlg().FaceMarks.ForgetFaces(); });
    firstMs = DrawListPage(window, 1);
    Samples marked, unmarked;
    for (int run = -1; run < options.runs; ++run) {
        // Each run's text differs in one character from the last: every shown face is asked anew.
        PutText(window, page + (run % 2 ? L"\x2603" : L"\x2604"));
        double markedMs = DrawListPage(window, 1);
        double unmarkedMs = DrawListPage(window, 0);
        if (run < 0) continue;
        marked.Add(markedMs);
        unmarked.Add(unmarkedMs);
    }
    window.Run([&] { window.Dlg().MarkMissingState = 1; });
    long long characters = 0;
    window.Run([&] { characters = static_cast<long long>(window.Dlg().FaceMarks.Characters().size()); });
    double extra = marked.Median() - unmarked.Median();
    Row& pageRow = AddTimedRow(Format("Font list page of %d rows after a text change, 35 KB text (%s characters)", rows,
                                      Thousands(characters).c_str()),
                               marked, unmarked, 0);
    pageRow.ratio += Format(" (%+.2f ms)", extra);
    pageRow.target = "+2 ms";
    pageRow.verdict = extra <= 2.0 ? "met" : "MISSED";
    AddNote(Format("Font list page: the floor is the same page unmarked; the first page of the run, which reads "
                   "the %d shown faces' character maps, took %.2f ms.",
                   rows, firstMs));

    Progress("font list marks: a keystroke with 1 MB of text");
    std::wstring large = MultiScriptText(1 << 20);
    PutText(window, large);
    Samples typed, plain, erased, plainErased;
    for (int run = -1; run < options.runs; ++run) {
        for (int marking = 1; marking >= 0; --marking) {
            double typeMs = 0, eraseMs = 0;
            window.Run([&] {
                CViewerDlg& dlg = window.Dlg();
                dlg.MarkMissingState = marking;
                HWND box = window.Item(IDC_SAMPLE_BOX), list = window.Item(IDC_FONT_LIST);
                // In the middle of the text, a letter the text already holds, as most keystrokes are;
                // each key passes the window's own handling of keys first, as the user's do.
                SendMessageW(box, EM_SETSEL, large.size() / 2, large.size() / 2);
                UpdateWindow(box);
                for (WPARAM key : {WPARAM('a'), WPARAM(VK_BACK)}) {
                    MSG msg = {box, WM_CHAR, key, 1, GetTickCount(), {0, 0}};
                    double start = NowMs();
                    if (!dlg.PreTranslateMessage(&msg)) DispatchMessageW(&msg);
                    UpdateWindow(box);
                    UpdateWindow(list);
                    (key == 'a' ? typeMs : eraseMs) = NowMs() - start;
                }
            });
            if (run < 0) continue;
            (marking ? typed : plain).Add(typeMs);
            (marking ? erased : plainErased).Add(eraseMs);
        }
    }
    window.Run([&] { window.Dlg().MarkMissingState = 1; });
    std::string units = Thousands(static_cast<long long>(large.size()));
    AddTimedRow(Format("Keystroke typing a letter, 1 MB text (%s UTF-16 units), list shown", units.c_str()), typed,
                plain, 1.2);
    AddTimedRow("Keystroke erasing it (Backspace), same text", erased, plainErased, 1.2);
    AddNote("Keystroke: the floor is the same keystroke with marking off, which is the program without marks.");
    window.Run([&] { window.Dlg().LoadInitialSample(); window.Dlg().TakeSampleCharacters(); });
}
