// The application object: loads the settings, runs the main window, saves the settings.
#pragma once

#include "framework/Framework.h"
#include "app/ViewerSettings.h"

class CViewerApp : public CWinApp {
public:
    CViewerApp() = default;
    ~CViewerApp() override;

    BOOL InitInstance() override;

    void LoadSettings();
    void SaveSettings();

    ViewerSettingsRecord ViewerSettings;

    DECLARE_MESSAGE_MAP()
};

// The one application object, for the windows that read and write the settings.
inline CViewerApp& ViewerApp()
{
    return *static_cast<CViewerApp*>(AfxGetApp());
}
