// Typoscope.ini beside the executable: read once at start, written once at the end.
#include "app/ViewerApp.h"
#include "app/ModulePath.h"
#include "app/FileReplace.h"

#include <cstdio>
#include <cstring>

namespace {

const char kSettingsFile[] = "Typoscope.ini";

struct SettingsKey {
    const char* section;
    const char* key;
    char text[sizeof ViewerSettingsRecord::Name];
};

// The text as the profile reader gives it back: without the spaces around it
// and without one pair of quotes enclosing it.
void ReaderForm(const char* text, char (&form)[256])
{
    while (*text == ' ' || *text == '\t') ++text;
    size_t length = strnlen(text, sizeof form - 1);
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) --length;
    if (length >= 2 && ((text[0] == '"' && text[length - 1] == '"') || (text[0] == '\'' && text[length - 1] == '\''))) {
        ++text;
        length -= 2;
    }
    memcpy(form, text, length);
    form[length] = '\0';
}

// Every key reads back from the file as written. The profile writer does not
// report a short write (a full disk), so this is how a whole file is told apart.
bool ReadsBack(const SettingsKey* keys, size_t count, const char* path)
{
    // Lets go of the platform's cached copy, so that the reads below see the disk.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
    for (size_t i = 0; i < count; ++i) {
        char expected[256], missing[258], read[256];
        ReaderForm(keys[i].text, expected);
        snprintf(missing, sizeof missing, "%s?", expected);  // never equal to expected
        GetPrivateProfileStringA(keys[i].section, keys[i].key, missing, read, sizeof read, path);
        if (strcmp(read, expected) != 0) return false;
    }
    return true;
}

// Every key into the file, stopping at the first write that fails.
bool WriteKeys(const SettingsKey* keys, size_t count, const char* path)
{
    for (size_t i = 0; i < count; ++i)
        if (!WritePrivateProfileStringA(keys[i].section, keys[i].key, keys[i].text, path)) return false;
    return true;
}

LONGLONG FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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
    s.MarkMissing = static_cast<int>(GetPrivateProfileIntA("General", "MarkMissing", 1, path));
}

void CViewerApp::SaveSettings()
{
    const ViewerSettingsRecord& s = ViewerSettings;
    char path[kModulePathSize];
    if (!BuildModuleFilePath(path, kSettingsFile)) return;

    // A read-only file is the user's wish to keep it; a folder of that name is not ours.
    DWORD attributes = GetFileAttributesA(path);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) return;

    SettingsKey keys[] = {
        {"General", "Wordwrap", ""}, {"General", "Scrollbar", ""}, {"General", "FirstRun", "0"},
        {"Font", "Bold", ""},        {"Font", "Italic", ""},       {"Font", "Underline", ""},
        {"Font", "StrikeOut", ""},   {"Font", "Size", ""},         {"Font", "Name", ""},
        // Keys added later come last: the file keeps its earlier lines in their order.
        {"General", "MarkMissing", ""},
    };
    const int values[] = {s.Wordwrap, s.Scrollbar, 0, s.Bold, s.Italic, s.Underline, s.StrikeOut, s.Size};
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
        if (i != 2) snprintf(keys[i].text, sizeof keys[i].text, "%d", values[i]);
    snprintf(keys[8].text, sizeof keys[8].text, "%s", s.Name);
    snprintf(keys[9].text, sizeof keys[9].text, "%d", s.MarkMissing);

    // The keys go into a copy beside the file, which takes the file's place only
    // once it is whole: a save that fails midway leaves the old file as it was.
    RemoveLeftoverTemporaryFiles(path);
    char temporary[MAX_PATH];
    const size_t count = sizeof keys / sizeof keys[0];
    if (!MakeTemporaryFile(path, temporary)) {
        // A folder that takes no new file: the keys go into the file itself.
        WriteKeys(keys, count, path);
        return;
    }
    bool whole = true;
    if (exists) {
        whole = CopyFileA(path, temporary, FALSE) && FileSize(temporary) == FileSize(path) &&
                SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL);
    }
    if (whole) whole = WriteKeys(keys, count, temporary);
    if (whole) whole = ReadsBack(keys, count, temporary);
    if (whole) whole = MoveIntoPlace(temporary, path);
    if (!whole) DeleteFileA(temporary);
}
