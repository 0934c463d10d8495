// The file under the asynchronous file reader: one file opened for shared reading.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CMultiFiles {
public:
    CMultiFiles() = default;
    virtual ~CMultiFiles();
    CMultiFiles(const CMultiFiles&) = delete;
    CMultiFiles& operator=(const CMultiFiles&) = delete;

    virtual bool Open(LPCWSTR name);
    // origin: FILE_BEGIN, FILE_CURRENT or FILE_END; the new position, or -1.
    virtual LONGLONG Seek(LONGLONG offset, DWORD origin);
    virtual LONGLONG GetLength();
    // Bytes read by one read call; -1 when it failed.
    virtual LONGLONG Read(void* buffer, DWORD count);
    virtual void Close();

protected:
    std::vector<std::wstring> m_names;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    int m_openPart = -1;
};
