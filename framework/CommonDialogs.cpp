#include "Framework.h"

namespace {

std::wstring Widened(LPCSTR text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parent)
    : m_openFileDialog(openFileDialog)
{
    if (filter) {
        m_filter = Widened(filter);
        for (wchar_t& c : m_filter)
            if (c == L'|') c = L'\0';
    }
    if (defaultExtension) {
        // The platform wants the extension without its dot.
        m_defaultExtension = Widened(defaultExtension[0] == '.' ? defaultExtension + 1 : defaultExtension);
    }
    if (fileName) {
        const std::wstring name = Widened(fileName).substr(0, m_fileName.size() - 1);
        m_fileName.replace(0, name.size(), name);
    }

    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrFilter = filter ? m_filter.c_str() : nullptr;
    m_ofn.lpstrFile = &m_fileName[0];
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
    m_ofn.lpstrDefExt = defaultExtension ? m_defaultExtension.c_str() : nullptr;
    m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal()
{
    BOOL ok = m_openFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

std::vector<std::wstring> CFileDialog::GetPathNames() const
{
    std::vector<std::wstring> paths;
    const std::wstring first = m_fileName.c_str();
    size_t at = first.size() + 1;
    while (at < m_fileName.size() && m_fileName[at]) {
        const std::wstring name = m_fileName.c_str() + at;
        paths.push_back(first + (first.empty() || first.back() == L'\\' ? L"" : L"\\") + name);
        at += name.size() + 1;
    }
    if (paths.empty() && !first.empty()) paths.push_back(first);
    return paths;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : m_parent(parent)
{
#ifndef _WIN64
    static_assert(sizeof(PRINTDLGA) == 66, "the printer dialog's parameter block is byte-packed");
#endif
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = m_parent ? m_parent->m_hWnd : (AfxGetApp() && AfxGetApp()->m_pMainWnd ? AfxGetApp()->m_pMainWnd->m_hWnd : nullptr);
    return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}
