// CWinApp: the one application object. The entry point initialises the
// framework and calls InitInstance; a true result would run a message loop.
#pragma once

#include "MessageMap.h"

class CWnd;

// The framework's standard help command, raised by F1.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Three-dimensional dialogs and controls, which this platform draws by itself.
    static BOOL Enable3dControlsStatic();

    // ID_HELP: asks the main window for its help.
    void OnHelp();
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();

// Framework start-up: the instance and the common control classes the templates use.
void AfxInitFramework(HINSTANCE instance);

// The entry point's work: initialise, InitInstance, the loop if asked for, ExitInstance.
int AfxWinMain(HINSTANCE instance);
