// A fresh folder under the system's temporary folder, removed with everything in it.
#pragma once

#include <afx.h>

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with its trailing backslash.
    const CString& Folder() const { return m_folder; }
    CString Path(const CString& name) const { return m_folder + name; }
    // Writes the bytes to a file of the folder and returns its path.
    CString Write(const CString& name, const std::string& bytes) const;

private:
    CString m_folder;
};
