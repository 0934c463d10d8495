// The system's file dialogs as a class. With OFN_ALLOWMULTISELECT (and OFN_EXPLORER)
// the chosen names come back as a folder followed by the files, walked with
// GetStartPosition and GetNextPathName.
#pragma once

#include "afxwin.h"

#include <commdlg.h>
#include <vector>

class CFileDialog : public CObject {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // filter: pairs separated by '|' ("视频文件(*.xof)|*.xof||").
    CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr, CWnd* parent = nullptr);

    // IDOK, or IDCANCEL when nothing was chosen. Owned by the running modal dialog
    // (else the parent or the main window).
    virtual INT_PTR DoModal();

    // The first chosen file's full path.
    CString GetPathName() const;
    CString GetFileName() const;
    // Walks the chosen files: null when there are none (left), else a position for
    // GetNextPathName, which returns the file's full path and moves on (null at the end).
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& position) const;

    OPENFILENAME m_ofn = {};

    // The full paths in a returned name buffer: a single path, or (several files) the
    // folder followed by the names, each ending in 0, the list ending in a second 0.
    static std::vector<CString> SplitNames(const TCHAR* buffer);

private:
    BOOL m_open;
    CString m_defaultExtension;
    std::basic_string<TCHAR> m_filter;
    std::vector<TCHAR> m_names;
};
