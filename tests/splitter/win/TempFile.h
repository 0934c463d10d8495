// A generated file in the temporary folder, deleted when the test is done.
#pragma once

#include "xof/XofWriter.h"

#include <windows.h>

#include <string>

class CTempFile {
public:
    explicit CTempFile(const Bytes& bytes, LPCWSTR extension = L".xof");
    ~CTempFile();
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_reserved;  // the unique name the system handed out
    std::wstring m_path;
};
