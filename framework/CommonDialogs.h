// The platform's file-open and printer dialogs.
#pragma once

#include "Wnd.h"

#include <string>
#include <vector>

class CFileDialog {
public:
    // filter: pairs of description and pattern separated by '|', ending with "||". The
    // texts are code-page text; the dialog itself is the wide one, so any path comes back.
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = 0, LPCSTR filter = nullptr, CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog() = default;

    // IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    std::wstring GetPathName() const { return m_fileName.c_str(); }
    // Every path chosen: with OFN_ALLOWMULTISELECT | OFN_EXPLORER the platform gives the
    // folder and then each name, NUL-separated; one chosen file comes as its whole path.
    std::vector<std::wstring> GetPathNames() const;

    OPENFILENAMEW m_ofn{};

private:
    BOOL m_openFileDialog;
    std::wstring m_filter;
    std::wstring m_defaultExtension;
    // Room for the longest path the wide functions take.
    std::wstring m_fileName = std::wstring(32768, L'\0');
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
