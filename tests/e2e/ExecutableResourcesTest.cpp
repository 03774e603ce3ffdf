// What the system reads from the executable file itself: its manifest and its version.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "support/ProgramRun.h"

namespace {

TEST(ExecutableResources, TheManifestAsksForVisualStylesTheMonitorsScaleAndNoCodePage)
{
    HMODULE exe = LoadLibraryExA(TyposcopeExecutable().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe != nullptr);
    // Resource 1 of type 24: the manifest the loader applies to the process.
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    std::string manifest;
    if (found)
        manifest.assign(static_cast<const char*>(LockResource(LoadResource(exe, found))), SizeofResource(exe, found));
    FreeLibrary(exe);
    ASSERT_FALSE(manifest.empty());
    const char* const parts[] = {
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        ">true/pm</dpiAware>",
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        "level=\"asInvoker\"",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
    };
    for (const char* part : parts) EXPECT_NE(std::string::npos, manifest.find(part)) << part;
    // The 8-bit sample files mean what the system's code page says.
    EXPECT_EQ(std::string::npos, manifest.find("<activeCodePage"));
}

TEST(ExecutableResources, TheFilesPropertiesNameTheProgramItsVersionAndMaker)
{
    std::string path = TyposcopeExecutable();
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &block[0]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);  // 1.0, as the About box says
    auto text = [&](const char* name) {
        char* value = nullptr;
        std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
        if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return std::string();
        return std::string(value);
    };
    EXPECT_EQ("Typoscope", text("ProductName"));
    EXPECT_EQ("1.0", text("ProductVersion"));
    EXPECT_EQ("1.0", text("FileVersion"));
    EXPECT_FALSE(text("FileDescription").empty());
    EXPECT_EQ("Copyright (C) 2026 The Typoscope project", text("LegalCopyright"));
    EXPECT_EQ("The Typoscope project", text("CompanyName"));
}

}  // namespace
