// Typoscope.ini beside the executable: read once at start, written once at the end.
#include "app/ViewerApp.h"
#include "app/ModulePath.h"
#include "app/FileReplace.h"
#include "framework/File.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

const wchar_t kSettingsFile[] = L"Typoscope.ini";

// The record holds code-page text; the wide profile functions write it back in the
// file's own encoding, as the 8-bit ones do.
const size_t kKeyText = sizeof ViewerSettingsRecord::Name;

struct SettingsKey {
    const wchar_t* section;
    const wchar_t* key;
    wchar_t text[kKeyText];
};

// The text as the profile reader gives it back: without the spaces around it
// and without one pair of quotes enclosing it.
void ReaderForm(const wchar_t* text, wchar_t (&form)[256])
{
    while (*text == L' ' || *text == L'\t') ++text;
    size_t length = wcsnlen(text, 255);
    while (length > 0 && (text[length - 1] == L' ' || text[length - 1] == L'\t')) --length;
    if (length >= 2 &&
        ((text[0] == L'"' && text[length - 1] == L'"') || (text[0] == L'\'' && text[length - 1] == L'\''))) {
        ++text;
        length -= 2;
    }
    wmemcpy(form, text, length);
    form[length] = L'\0';
}

// Every key reads back from the file as written. The profile writer does not
// report a short write (a full disk), so this is how a whole file is told apart.
bool ReadsBack(const SettingsKey* keys, size_t count, const wchar_t* path)
{
    // Lets go of the platform's cached copy, so that the reads below see the disk.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
    for (size_t i = 0; i < count; ++i) {
        wchar_t expected[256], missing[258], read[256];
        ReaderForm(keys[i].text, expected);
        _snwprintf(missing, 258, L"%ls?", expected);  // never equal to expected
        missing[257] = L'\0';
        GetPrivateProfileStringW(keys[i].section, keys[i].key, missing, read, 256, path);
        if (wcscmp(read, expected) != 0) return false;
    }
    return true;
}

// Every key into the file, stopping at the first write that fails.
bool WriteKeys(const SettingsKey* keys, size_t count, const wchar_t* path)
{
    for (size_t i = 0; i < count; ++i)
        if (!WritePrivateProfileStringW(keys[i].section, keys[i].key, keys[i].text, path)) return false;
    return true;
}

LONGLONG FileSize(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The profile writer leaves its writes to the system's cache: they reach the disk before
// the file takes the old one's place, as the sample file's do.
bool FlushToDisk(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

int ReadInt(const wchar_t* section, const wchar_t* key, int byDefault, const wchar_t* path)
{
    return static_cast<int>(GetPrivateProfileIntW(section, key, byDefault, path));
}

}  // namespace

void CViewerApp::LoadSettings()
{
    ViewerSettingsRecord& s = ViewerSettings;
    s = ViewerSettingsRecord();
    wchar_t path[kModulePathSize];
    // Without a trustworthy path the defaults stand, as for a missing file.
    if (!BuildModuleFilePath(path, kSettingsFile)) return;

    s.Wordwrap = ReadInt(L"General", L"Wordwrap", 0, path);
    s.Scrollbar = ReadInt(L"General", L"Scrollbar", 0, path);
    s.Bold = ReadInt(L"Font", L"Bold", 0, path);
    s.Italic = ReadInt(L"Font", L"Italic", 0, path);
    s.Underline = ReadInt(L"Font", L"Underline", 0, path);
    s.StrikeOut = ReadInt(L"Font", L"StrikeOut", 0, path);
    s.Size = ReadInt(L"Font", L"Size", 12, path);
    wchar_t name[kKeyText];
    GetPrivateProfileStringW(L"Font", L"Name", L"Arial", name, kKeyText, path);
    // Back into the code page, cut to the field as the 8-bit reader cuts it.
    char bytes[4 * kKeyText];
    if (!WideCharToMultiByte(CP_ACP, 0, name, -1, bytes, sizeof bytes, nullptr, nullptr)) bytes[0] = '\0';
    lstrcpynA(s.Name, bytes, sizeof s.Name);
    s.MarkMissing = ReadInt(L"General", L"MarkMissing", 1, path);
}

void CViewerApp::SaveSettings()
{
    const ViewerSettingsRecord& s = ViewerSettings;
    wchar_t path[kModulePathSize];
    if (!BuildModuleFilePath(path, kSettingsFile)) return;

    // A read-only file is the user's wish to keep it; a folder of that name is not ours.
    DWORD attributes = GetFileAttributesW(path);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) return;

    SettingsKey keys[] = {
        {L"General", L"Wordwrap", L""}, {L"General", L"Scrollbar", L""}, {L"General", L"FirstRun", L"0"},
        {L"Font", L"Bold", L""},        {L"Font", L"Italic", L""},       {L"Font", L"Underline", L""},
        {L"Font", L"StrikeOut", L""},   {L"Font", L"Size", L""},         {L"Font", L"Name", L""},
        // Keys added later come last: the file keeps its earlier lines in their order.
        {L"General", L"MarkMissing", L""},
    };
    const int values[] = {s.Wordwrap, s.Scrollbar, 0, s.Bold, s.Italic, s.Underline, s.StrikeOut, s.Size};
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
        if (i != 2) _snwprintf(keys[i].text, kKeyText, L"%d", values[i]);
    const int nameLength = static_cast<int>(strnlen(s.Name, sizeof s.Name));
    const int wideName = MultiByteToWideChar(CP_ACP, 0, s.Name, nameLength, keys[8].text, kKeyText - 1);
    keys[8].text[wideName > 0 ? wideName : 0] = L'\0';
    _snwprintf(keys[9].text, kKeyText, L"%d", s.MarkMissing);

    // The keys go into a copy beside the file, which takes the file's place only
    // once it is whole: a save that fails midway leaves the old file as it was.
    RemoveLeftoverTemporaryFiles(path);
    std::wstring temporary;
    const size_t count = sizeof keys / sizeof keys[0];
    if (!MakeTemporaryFile(path, temporary)) {
        // A folder that takes no new file: the keys go into the file itself.
        if (FolderTakesNoNewFile(GetLastError())) WriteKeys(keys, count, path);
        return;
    }
    bool whole = true;
    if (exists) {
        CFile copy;
        whole = copy.Open(temporary.c_str(), CFile::modeWrite) && AppendFileBytes(path, copy);
        copy.Close();
        whole = whole && FileSize(temporary.c_str()) == FileSize(path);
    }
    if (whole) whole = WriteKeys(keys, count, temporary.c_str());
    if (whole) whole = ReadsBack(keys, count, temporary.c_str());
    if (whole) whole = FlushToDisk(temporary.c_str());
    if (whole) whole = MoveIntoPlace(temporary.c_str(), path);
    if (!whole) DeleteFileW(temporary.c_str());
}
