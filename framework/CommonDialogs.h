// The platform's file-open and printer dialogs.
#pragma once

#include "Wnd.h"

#include <string>

class CFileDialog {
public:
    // filter: pairs of description and pattern separated by '|', ending with "||".
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = 0, LPCSTR filter = nullptr, CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog() = default;

    // IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    const char* GetPathName() const { return m_fileName; }

    OPENFILENAMEA m_ofn{};

private:
    BOOL m_openFileDialog;
    std::string m_filter;
    std::string m_defaultExtension;
    char m_fileName[MAX_PATH] = {};
};

class CPrintDialog {
public:
    CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent = nullptr);
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;
    virtual ~CPrintDialog() = default;

    // IDOK or IDCANCEL.
    virtual INT_PTR DoModal();

    PRINTDLGA m_pd{};

private:
    CWnd* m_parent;
};
