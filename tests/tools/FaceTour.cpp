// A long session through every installed face, as a user leafing through them makes it:
// for each face in list order the four attribute boxes are clicked into a new
// combination, the face is picked, then the sizes 8, 10, 12, 36 and 72 are typed into the
// size field, the box repainting after every step. The real Typoscope.exe runs in a
// folder of its own, driven from this process with the messages those actions produce.
//
// After each step the box's first character is measured where the box itself places it
// (EM_POSFROMCHAR) and compared with the same character in the chosen face, attributes and
// size as this process makes it. Printed: faults the platform caught in the program
// (Wine's "ignoring exception" on the program's error output), faces whose preview did not
// follow the size, steps where the box did not show the chosen font, step times, and the
// program's GDI objects as the tour goes.
//
//   face_tour [--first N] [--faces N] [--quiet]
// scripts/real-fonts-run.sh installs the fonts in a private prefix and starts it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "support/Files.h"
#include "support/GuiObjects.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

const int kSizes[] = {8, 10, 12, 36, 72};
const int kBoxes[] = {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_STRIKEOUT};

// The error output of this run's Wine processes, which the script collects in a file
// named by TYPOSCOPE_ERROR_LOG: Wine writes a line there for each fault it catches inside
// a window procedure and carries on. Read after each step, so each fault has its step.
class ErrorLog {
public:
    explicit ErrorLog(const char* path)
    {
        if (path)
            m_file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
        if (m_file == INVALID_HANDLE_VALUE) m_file = nullptr;
        if (m_file) SetFilePointer(m_file, 0, nullptr, FILE_END);
    }
    ~ErrorLog()
    {
        if (m_file) CloseHandle(m_file);
    }
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    bool Open() const { return m_file != nullptr; }
    // Faults written since the last call; the other error lines are shown unless quiet.
    int NewFaults(bool quiet)
    {
        int faults = 0;
        char chunk[4096];
        DWORD got = 0;
        while (m_file && ReadFile(m_file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
            for (DWORD i = 0; i < got; ++i) {
                if (chunk[i] != '\n') {
                    m_line += chunk[i];
                    continue;
                }
                bool fault = m_line.find("ignoring exception") != std::string::npos;
                if (fault) ++faults;
                if (!quiet || fault) printf("      %s\n", m_line.c_str());
                m_line.clear();
            }
        }
        return faults;
    }

private:
    HANDLE m_file = nullptr;
    std::string m_line;
};

// Typoscope.exe copied into a fresh folder and started there.
struct Program {
    PROCESS_INFORMATION process = {};
    bool Start(const std::string& folder)
    {
        std::string exe = folder + "Typoscope.exe";
        if (!CopyFileA(TyposcopeExecutable().c_str(), exe.c_str(), FALSE)) return false;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                              &startup, &process) != FALSE;
    }
};

bool Answers(HWND hWnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &result) != 0;
}

// Where the box places its first character: its advance is the distance to the second.
int BoxFirstCharacterWidth(HWND box)
{
    LRESULT first = SendMessageA(box, EM_POSFROMCHAR, 0, 0);
    LRESULT second = SendMessageA(box, EM_POSFROMCHAR, 1, 0);
    if (first == -1 || second == -1) return -1;
    return static_cast<short>(LOWORD(second)) - static_cast<short>(LOWORD(first));
}

// The same character in the chosen face, attributes and size, as this process makes it;
// -1 where the face has no glyph for it (the box then draws it in a fallback face).
int FaceFirstCharacterWidth(const std::string& face, int size, const bool attributes[4], wchar_t character)
{
    HDC screen = GetDC(nullptr);
    LOGFONTA description = {};
    description.lfHeight = -(size * GetDeviceCaps(screen, LOGPIXELSY) / 72);  // truncated, as the program does
    description.lfWeight = attributes[0] ? FW_BOLD : FW_NORMAL;
    description.lfItalic = attributes[1];
    description.lfUnderline = attributes[2];
    description.lfStrikeOut = attributes[3];
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_TT_PRECIS;
    description.lfQuality = PROOF_QUALITY;
    description.lfPitchAndFamily = 4;
    lstrcpynA(description.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE extent = {-1, -1};
    WORD glyph = 0xFFFF;
    if (GetGlyphIndicesW(screen, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF)
        GetTextExtentPoint32W(screen, &character, 1, &extent);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

std::vector<std::string> ListedFaces(HWND list)
{
    std::vector<std::string> faces;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Across processes Wine hands an ANSI list's text over whole only to the wide message.
        wchar_t wide[256] = L"";
        char face[512] = "";
        if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, face, sizeof face, nullptr, nullptr);
        faces.push_back(face);
    }
    return faces;
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

class Tour {
public:
    Tour(HWND dialog, HANDLE process, ErrorLog& errors, bool quiet)
        : m_dialog(dialog), m_process(process), m_errors(errors), m_quiet(quiet)
    {
    }

    // One face: the attributes, the face, then the sizes; false once the program stopped answering.
    bool Face(int index, const std::string& face)
    {
        m_faceFaults = 0;
        const int combination = index % 16;
        for (int box = 0; box < 4; ++box) {
            bool wanted = (combination >> box) & 1;
            m_attributes[box] = wanted;
            HWND check = GetDlgItem(m_dialog, kBoxes[box]);
            if ((SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED) == wanted) continue;
            // BM_CLICK flips an automatic check box and tells the window, as a mouse click does.
            if (!Step(face, "click", [&] { SendMessageA(check, BM_CLICK, 0, 0); })) return false;
        }
        HWND list = GetDlgItem(m_dialog, IDC_FONT_LIST);
        if (!Step(face, "pick", [&] {
                SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
                SendMessageA(m_dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            }))
            return false;
        int widths[5], own[5];
        int mismatches = 0;
        for (int i = 0; i < 5; ++i) {
            m_size = kSizes[i];
            if (!Step(face, "size", [&] { SetDlgItemTextA(m_dialog, IDC_SIZE_FIELD, std::to_string(m_size).c_str()); }))
                return false;
            widths[i] = m_lastWidth;
            own[i] = m_lastOwn;
            if (m_lastOwn >= 0 && m_lastWidth != m_lastOwn) ++mismatches;
        }
        ++m_faces;
        m_wrongSteps += mismatches;
        // The character grows from 8 to 72 points in every scalable face, and in the box.
        bool follows = widths[4] > widths[0] || (own[4] >= 0 && own[4] <= own[0]);
        if (!follows) m_notFollowing.push_back(face);
        if (m_faceFaults) m_faultingFaces.push_back(face);
        GdiHandleCounts gdi;
        bool counted = CountGdiHandles(gdi, m_process);
        if (!m_quiet || !follows || mismatches || m_faceFaults)
            printf("%4d %-32s %s box %d %d %d %d %d, face %d %d %d %d %d%s; faults %d; GDI objects %d, fonts %d\n", index,
                   face.c_str(), follows ? "ok   " : "STUCK", widths[0], widths[1], widths[2], widths[3], widths[4],
                   own[0], own[1], own[2], own[3], own[4], mismatches ? " DIFFERENT" : "", m_faceFaults,
                   counted ? gdi.used : -1, counted ? gdi.fonts : -1);
        return true;
    }

    void Report() const
    {
        printf("\nFaces: %d. Steps: %zu. Faults caught by the platform: %d", m_faces, m_times.size(), m_faults);
        for (const std::string& face : m_faultingFaces) printf("%s %s", &face == &m_faultingFaces[0] ? " in" : ",", face.c_str());
        printf(".\nFaces whose preview did not follow the size: %zu", m_notFollowing.size());
        for (const std::string& face : m_notFollowing) printf("%s %s", &face == &m_notFollowing[0] ? ":" : ",", face.c_str());
        printf(".\nSteps where the box's character differed from the face's own: %d.\n", m_wrongSteps);
        printf("Step time: median %.1f ms, 95th percentile %.1f ms, longest %.1f ms.\n", Percentile(m_times, 0.5),
               Percentile(m_times, 0.95), Percentile(m_times, 1.0));
    }

    bool Clean() const { return m_notFollowing.empty() && m_faults == 0; }

private:
    template <typename Action> bool Step(const std::string& face, const char* what, Action action)
    {
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        action();
        HWND box = GetDlgItem(m_dialog, IDC_SAMPLE_BOX);
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        bool answers = Answers(m_dialog);
        QueryPerformanceCounter(&end);
        m_times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart));
        int faults = m_errors.NewFaults(m_quiet);
        if (faults)
            printf("      step %zu (%s, %s %d%s%s%s%s): %d fault(s)\n", m_times.size(), what, face.c_str(), m_size,
                   m_attributes[0] ? " bold" : "", m_attributes[1] ? " italic" : "", m_attributes[2] ? " underline" : "",
                   m_attributes[3] ? " strike-out" : "", faults);
        m_faults += faults;
        m_faceFaults += faults;
        if (!answers) {
            printf("The program stopped answering at step %zu (%s).\n", m_times.size(), face.c_str());
            return false;
        }
        box = GetDlgItem(m_dialog, IDC_SAMPLE_BOX);  // the box may have been made anew
        wchar_t first[2] = L"";
        SendMessageW(box, WM_GETTEXT, 2, reinterpret_cast<LPARAM>(first));
        m_lastWidth = BoxFirstCharacterWidth(box);
        m_lastOwn = FaceFirstCharacterWidth(face, m_size, m_attributes, first[0] ? first[0] : L' ');
        return true;
    }

    HWND m_dialog;
    HANDLE m_process;
    ErrorLog& m_errors;
    bool m_quiet;
    bool m_attributes[4] = {};
    int m_size = 0;
    int m_lastWidth = 0, m_lastOwn = 0;
    int m_faces = 0, m_wrongSteps = 0, m_faults = 0, m_faceFaults = 0;
    std::vector<double> m_times;
    std::vector<std::string> m_notFollowing, m_faultingFaces;
};

}  // namespace

int main(int argc, char** argv)
{
    int first = 0, count = -1;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--first") && i + 1 < argc) first = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--faces") && i + 1 < argc) count = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--quiet")) quiet = true;
        else {
            printf("usage: face_tour [--first N] [--faces N] [--quiet]\n");
            return 2;
        }
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    TempFolder folder("typoscope-tour");
    ErrorLog errors(getenv("TYPOSCOPE_ERROR_LOG"));
    if (!errors.Open()) printf("No error log (TYPOSCOPE_ERROR_LOG): faults are not counted.\n");
    Program program;
    if (!program.Start(folder.Path())) {
        printf("could not start %s\n", TyposcopeExecutable().c_str());
        return 1;
    }
    HWND dialog = WaitForProcessWindow(program.process.dwProcessId, nullptr, "Typoscope 1.0", 60000);
    if (!dialog) {
        printf("the program showed no window\n");
        TerminateProcess(program.process.hProcess, 1);
        return 1;
    }
    std::vector<std::string> faces = ListedFaces(GetDlgItem(dialog, IDC_FONT_LIST));
    int last = count < 0 ? static_cast<int>(faces.size()) : std::min(static_cast<int>(faces.size()), first + count);
    printf("%zu faces listed; touring faces %d to %d.\n", faces.size(), first, last - 1);

    Tour tour(dialog, program.process.hProcess, errors, quiet);
    bool answered = true;
    for (int i = first; i < last && answered; ++i) answered = tour.Face(i, faces[static_cast<size_t>(i)]);

    DWORD exitCode = STILL_ACTIVE;
    if (answered) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(program.process.hProcess, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(program.process.hProcess, &exitCode);
    }
    if (exitCode == STILL_ACTIVE) TerminateProcess(program.process.hProcess, 1);
    WaitForSingleObject(program.process.hProcess, 10000);
    tour.Report();
    printf("The program %s (exit code %lu).\n", exitCode == STILL_ACTIVE ? "had to be ended" : "ended",
           static_cast<unsigned long>(exitCode));
    CloseHandle(program.process.hThread);
    CloseHandle(program.process.hProcess);
    return answered && tour.Clean() && exitCode != STILL_ACTIVE ? 0 : 1;
}
