#include "TempFolder.h"

#include <shellapi.h>

#include "common/CommonHelpers.h"

TempFolder::TempFolder() : m_folder(GetTempFilePath() + L"\\") { CreateDirectoryW(m_folder, nullptr); }

TempFolder::~TempFolder() {
    // The shell's delete wants a list ending in two zeros.
    std::wstring from(m_folder.Left(m_folder.GetLength() - 1).GetString());
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

CString TempFolder::Write(const CString& name, const std::string& bytes) const {
    CString path = Path(name);
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), (UINT)bytes.size());
    return path;
}
