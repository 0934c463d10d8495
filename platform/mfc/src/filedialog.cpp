#include "afxdlgs.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CFileDialog, CObject)

namespace {
// Room for many chosen files.
const size_t kNameBufferLength = 32 * 1024;

POSITION ToPosition(size_t index) { return reinterpret_cast<POSITION>(index + 1); }
size_t FromPosition(POSITION position) { return reinterpret_cast<size_t>(position) - 1; }
}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                         CWnd* parent)
    : m_open(openFileDialog), m_defaultExtension(defaultExtension), m_names(kNameBufferLength, 0) {
    if (filter) {
        m_filter = filter;
        std::replace(m_filter.begin(), m_filter.end(), _T('|'), _T('\0'));
    }
    if (fileName) lstrcpyn(m_names.data(), fileName, (int)m_names.size());
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = filter ? m_filter.c_str() : nullptr;
    m_ofn.lpstrFile = m_names.data();
    m_ofn.nMaxFile = (DWORD)m_names.size();
    m_ofn.lpstrDefExt = defaultExtension ? (LPCTSTR)m_defaultExtension : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal() {
    CDialog* modal = CDialog::GetActiveModal();
    CWnd* main = AfxGetMainWnd();
    if (modal && modal->m_hWnd)
        m_ofn.hwndOwner = modal->m_hWnd;
    else if (!m_ofn.hwndOwner && main)
        m_ofn.hwndOwner = main->m_hWnd;
    BOOL chosen = m_open ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

std::vector<CString> CFileDialog::SplitNames(const TCHAR* buffer) {
    std::vector<CString> parts;
    for (const TCHAR* p = buffer; *p; p += lstrlen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    CString folder = parts.front();
    if (folder.Right(1) != _T("\\")) folder += _T("\\");
    std::vector<CString> paths;
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

CString CFileDialog::GetPathName() const {
    std::vector<CString> paths = SplitNames(m_names.data());
    return paths.empty() ? CString() : paths.front();
}

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    return path.Mid(path.ReverseFind(_T('\\')) + 1);
}

POSITION CFileDialog::GetStartPosition() const { return m_names[0] ? ToPosition(0) : nullptr; }

CString CFileDialog::GetNextPathName(POSITION& position) const {
    std::vector<CString> paths = SplitNames(m_names.data());
    size_t index = FromPosition(position);
    CString path = index < paths.size() ? paths[index] : CString();
    position = index + 1 < paths.size() ? ToPosition(index + 1) : nullptr;
    return path;
}
