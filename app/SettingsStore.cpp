// Typoscope.ini beside the executable: read once at start, written once at the end.
#include "app/ViewerApp.h"
#include "app/ModulePath.h"

#include <cstdio>

namespace {

const char kSettingsFile[] = "Typoscope.ini";

void WriteInt(const char* section, const char* key, int value, const char* path)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    WritePrivateProfileStringA(section, key, text, path);
}

}  // namespace

void CViewerApp::LoadSettings()
{
    ViewerSettingsRecord& s = ViewerSettings;
    s = ViewerSettingsRecord();
    char path[kModulePathSize];
    // Without a trustworthy path the defaults stand, as for a missing file.
    if (!BuildModuleFilePath(path, kSettingsFile)) return;

    s.Wordwrap = static_cast<int>(GetPrivateProfileIntA("General", "Wordwrap", 0, path));
    s.Scrollbar = static_cast<int>(GetPrivateProfileIntA("General", "Scrollbar", 0, path));
    s.Bold = static_cast<int>(GetPrivateProfileIntA("Font", "Bold", 0, path));
    s.Italic = static_cast<int>(GetPrivateProfileIntA("Font", "Italic", 0, path));
    s.Underline = static_cast<int>(GetPrivateProfileIntA("Font", "Underline", 0, path));
    s.StrikeOut = static_cast<int>(GetPrivateProfileIntA("Font", "StrikeOut", 0, path));
    s.Size = static_cast<int>(GetPrivateProfileIntA("Font", "Size", 12, path));
    GetPrivateProfileStringA("Font", "Name", "Arial", s.Name, sizeof s.Name, path);
}

void CViewerApp::SaveSettings()
{
    const ViewerSettingsRecord& s = ViewerSettings;
    char path[kModulePathSize];
    if (!BuildModuleFilePath(path, kSettingsFile)) return;

    WriteInt("General", "Wordwrap", s.Wordwrap, path);
    WriteInt("General", "Scrollbar", s.Scrollbar, path);
    WritePrivateProfileStringA("General", "FirstRun", "0", path);
    WriteInt("Font", "Bold", s.Bold, path);
    WriteInt("Font", "Italic", s.Italic, path);
    WriteInt("Font", "Underline", s.Underline, path);
    WriteInt("Font", "StrikeOut", s.StrikeOut, path);
    WriteInt("Font", "Size", s.Size, path);
    WritePrivateProfileStringA("Font", "Name", s.Name, path);
}
