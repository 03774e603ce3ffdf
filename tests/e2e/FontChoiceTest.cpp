// The real program with a hand-written Typoscope.ini: the stored face, size and
// attributes come back, and the user's new choices land in the file after a close.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "support/FileDialog.h"
#include "support/Files.h"
#include "support/ProgramRun.h"
#include "support/Wait.h"

namespace {

// Across processes the list's text is read in its wide form: Wine hands the narrow
// form of a wide list box over to another process cut after its first letter.
std::string EntryText(HWND list, int index)
{
    WCHAR wide[256] = L"";
    if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) < 256)
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide));
    char text[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

using Measures = std::pair<int, int>;  // width of ten W, line height

Measures ExpectedMeasures(const char* face, int points, int weight)
{
    HDC screen = GetDC(nullptr);
    LOGFONTA description = {};
    description.lfHeight = -(GetDeviceCaps(screen, LOGPIXELSY) * points * 10 / 720);
    description.lfWeight = weight;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_TT_PRECIS;
    description.lfQuality = PROOF_QUALITY;
    description.lfPitchAndFamily = 4;
    lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE extent = {};
    GetTextExtentPoint32A(screen, "WWWWWWWWWW", 10, &extent);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return {extent.cx, metrics.tmHeight};
}

// The box's measures of its text, which starts with ten W and a line break.
Measures BoxMeasures(HWND box)
{
    LRESULT first = SendMessageA(box, EM_POSFROMCHAR, 0, 0);
    LRESULT afterTen = SendMessageA(box, EM_POSFROMCHAR, 10, 0);
    LRESULT secondLine = SendMessageA(box, EM_POSFROMCHAR, 12, 0);
    return {static_cast<short>(LOWORD(afterTen)) - static_cast<short>(LOWORD(first)),
            static_cast<short>(HIWORD(secondLine)) - static_cast<short>(HIWORD(first))};
}

// A test font file, made at build time in a folder no font folder of the system holds.
std::string FileFont(const char* name) { return ExecutableFolder() + "file-fonts\\" + name; }

// The measures of a file's face, the file added for this process as the program adds it.
Measures FileFaceMeasures(const std::string& file, const char* face, int points)
{
    AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
    Measures measures = ExpectedMeasures(face, points, FW_NORMAL);
    RemoveFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
    return measures;
}

std::string SelectedEntry(HWND list)
{
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    return selected < 0 ? "" : EntryText(list, selected);
}

bool Lists(HWND list, const char* face)
{
    return SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face)) != LB_ERR;
}

std::string Value(const std::string& file, const std::string& key)
{
    std::string prefix = "\n" + key + "=";
    size_t at = file.find(prefix);
    if (at == std::string::npos) return "<missing>";
    at += prefix.size();
    return file.substr(at, file.find("\r\n", at) - at);
}

TEST(FontChoice, StoredChoicesComeBackAndNewOnesAreSavedAtTheClose)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("Typoscope.ini"),
                               "[General]\r\nFirstRun=0\r\n[Font]\r\nBold=1\r\nSize=20\r\nName=dejavu sans\r\n"));
    ProgramRun run(folder.Path());
    ASSERT_TRUE(run.Started());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    HWND list = GetDlgItem(main, IDC_FONT_LIST);

    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(main, IDC_BOLD), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(main, IDC_ITALIC), BM_GETCHECK, 0, 0));
    EXPECT_EQ("20", WindowText(GetDlgItem(main, IDC_SIZE_FIELD)));
    int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    ASSERT_GE(selected, 0);
    EXPECT_EQ("DejaVu Sans", EntryText(list, selected)) << "the installed face, in its own letter case";

    // The preview: bold, at 20 points, in that face. The font lives in the other process,
    // so the box's own measures of a line are compared with that font made here.
    HWND box = GetDlgItem(main, IDC_SAMPLE_BOX);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWWWWWWWW\r\nW"));
    EXPECT_EQ(ExpectedMeasures("DejaVu Sans", 20, FW_BOLD), BoxMeasures(box));
    EXPECT_NE(ExpectedMeasures("DejaVu Sans", 20, FW_NORMAL), ExpectedMeasures("DejaVu Sans", 20, FW_BOLD))
        << "the measures tell bold from regular";

    // Another face and another size, as the user picks and types them.
    int other = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>("DejaVu Sans Mono")));
    if (other < 0) other = selected == 0 ? 1 : 0;
    std::string otherFace = EntryText(list, other);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(other), 0);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_FONT_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SendMessageA(GetDlgItem(main, IDC_SIZE_FIELD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("36"));
    EXPECT_EQ("36", WindowText(GetDlgItem(main, IDC_SIZE_FIELD)));

    run.Close();
    ASSERT_TRUE(run.WaitForExit());
    std::string file = ReadFileBytes(folder.File("Typoscope.ini")).value_or("");
    EXPECT_EQ(otherFace, Value(file, "Name"));
    EXPECT_EQ("36", Value(file, "Size"));
    EXPECT_EQ("1", Value(file, "Bold"));
    EXPECT_EQ("0", Value(file, "Italic"));
}

TEST(FontChoice, AMissingFaceIsWrittenBackUnchangedWhenNeverPicked)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.File("Typoscope.ini"), "[Font]\r\nSize=14\r\nName=No Such Face\r\n"));
    ProgramRun run(folder.Path());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(0, SendMessageA(GetDlgItem(main, IDC_FONT_LIST), LB_GETCURSEL, 0, 0)) << "entry 0 stands in";
    run.Close();
    ASSERT_TRUE(run.WaitForExit());
    std::string file = ReadFileBytes(folder.File("Typoscope.ini")).value_or("");
    EXPECT_EQ("No Such Face", Value(file, "Name"));
    EXPECT_EQ("14", Value(file, "Size"));
}

const char kInstalledFace[] = "[Font]\r\nSize=20\r\nName=DejaVu Sans\r\n";

// A collection chosen in File, Open Font File: each face joins the list, the first is shown,
// no other program sees them, and the settings keep the installed face.
TEST(FontChoice, AFontFileOpensForThisRunAlone)
{
    TempFolder folder, otherFolder;
    ASSERT_TRUE(WriteFileBytes(folder.File("Typoscope.ini"), kInstalledFace));
    ProgramRun run(folder.Path());
    HWND main = run.WaitForMainWindow();
    ASSERT_NE(nullptr, main);
    HWND list = GetDlgItem(main, IDC_FONT_LIST), box = GetDlgItem(main, IDC_SAMPLE_BOX);
    PostMessageA(main, WM_COMMAND, ID_FILE_OPEN_FONT, 0);
    HWND dialog = WaitForFileDialog(GetWindowThreadProcessId(main, nullptr), main);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(ChooseFile(dialog, FileFont("tsfx-pair.ttc")));
    EXPECT_TRUE(WaitUntil([&] { return SelectedEntry(list) == "Tsfx Pair One"; })) << SelectedEntry(list);
    EXPECT_TRUE(Lists(list, "Tsfx Pair Two"));
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWWWWWWWW\r\nW"));
    EXPECT_EQ(FileFaceMeasures(FileFont("tsfx-pair.ttc"), "Tsfx Pair One", 20), BoxMeasures(box));
    EXPECT_NE(ExpectedMeasures("DejaVu Sans", 20, FW_NORMAL), BoxMeasures(box)) << "the measures tell the faces apart";

    ProgramRun other(otherFolder.Path());
    HWND otherMain = other.WaitForMainWindow();
    ASSERT_NE(nullptr, otherMain);
    EXPECT_FALSE(Lists(GetDlgItem(otherMain, IDC_FONT_LIST), "Tsfx Pair One")) << "the faces are the first run's own";
    other.Close();
    EXPECT_TRUE(other.WaitForExit());

    run.Close();
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ("DejaVu Sans", Value(ReadFileBytes(folder.File("Typoscope.ini")).value_or(""), "Name"));
}

}  // namespace
