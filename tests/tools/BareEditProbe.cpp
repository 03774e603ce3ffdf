// A bare edit control in a bare window, with nothing of Typoscope: the same steps the
// long run with real fonts makes (a face in each of the 16 attribute combinations, at 8,
// 10, 12, 36 and 72 points, handed to the control with WM_SETFONT and repainted), to show
// whether a fault belongs to the platform. For each face it prints the access violations
// raised inside the control and the attribute combinations whose first character did not
// grow with the size. Called straight from here, a fault in the control ends the program;
// called from inside a message that another thread sent (--sent), Wine catches it and
// carries on, as it does in Typoscope, whose every change comes in a control's notification.
//
//   bare_edit_probe [--sent] FACE...
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <thread>

namespace {

LONG g_faults = 0;

LONG CALLBACK CountFault(EXCEPTION_POINTERS* info)
{
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++g_faults;
    return EXCEPTION_CONTINUE_SEARCH;
}

int FirstCharacterWidth(HWND edit)
{
    LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0), second = SendMessageW(edit, EM_POSFROMCHAR, 1, 0);
    return static_cast<short>(LOWORD(second)) - static_cast<short>(LOWORD(first));
}

HWND g_edit = nullptr;
int g_dpi = 96;
int g_status = 0;

void RunFace(const char* face)
{
    static HFONT shown = nullptr;
    const int sizes[] = {8, 10, 12, 36, 72};
    const LONG faultsBefore = g_faults;
    int stuck = 0;
    for (int combination = 0; combination < 16; ++combination) {
        int widths[5];
        for (int i = 0; i < 5; ++i) {
            LOGFONTA description = {};
            description.lfHeight = -(sizes[i] * g_dpi / 72);
            description.lfWeight = combination & 1 ? FW_BOLD : FW_NORMAL;
            description.lfItalic = (combination >> 1) & 1;
            description.lfUnderline = (combination >> 2) & 1;
            description.lfStrikeOut = (combination >> 3) & 1;
            description.lfCharSet = DEFAULT_CHARSET;
            description.lfOutPrecision = OUT_TT_PRECIS;
            description.lfQuality = PROOF_QUALITY;
            description.lfPitchAndFamily = 4;
            lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
            HFONT font = CreateFontIndirectA(&description);
            SendMessageW(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            RedrawWindow(g_edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            if (shown) DeleteObject(shown);
            shown = font;
            widths[i] = FirstCharacterWidth(g_edit);
        }
        if (widths[4] <= widths[0]) ++stuck;
    }
    printf("%-24s faults %ld, attribute combinations not following the size: %d of 16\n", face,
           g_faults - faultsBefore, stuck);
    fflush(stdout);
    if (g_faults != faultsBefore || stuck) g_status = 1;
}

LRESULT CALLBACK ProbeProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        RunFace(reinterpret_cast<const char*>(lParam));
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    bool sent = argc > 1 && strcmp(argv[1], "--sent") == 0;
    int first = sent ? 2 : 1;
    if (argc <= first) {
        printf("usage: bare_edit_probe [--sent] FACE...\n");
        return 2;
    }
    AddVectoredExceptionHandler(1, CountFault);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BareProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"BareProbe", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 10,
                             10, 400, 380, window, nullptr, nullptr, nullptr);
    SetWindowTextW(g_edit, L"This is some sample text so that you can see what a font looks like.  Type here to "
                           L"change this text to see what the selected font will look like.");
    HDC screen = GetDC(nullptr);
    g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (!sent) {
        for (int arg = first; arg < argc; ++arg) RunFace(argv[arg]);
    } else {
        DWORD mainThread = GetCurrentThreadId();
        std::thread sender([&] {
            for (int arg = first; arg < argc; ++arg)
                SendMessageW(window, WM_APP, 0, reinterpret_cast<LPARAM>(argv[arg]));
            PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
        });
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        sender.join();
    }
    DestroyWindow(window);
    return g_status;
}
