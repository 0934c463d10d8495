// A fresh folder under the temporary folder for one test, removed with all it holds
// at the end. Relative paths use "\" or "/".
#pragma once

#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with its trailing backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& relativePath) const { return m_path + relativePath; }

    // Writes the bytes, making the folders on the way; the file's path.
    std::wstring Write(const std::wstring& relativePath, const std::string& bytes) const;
    // The file's bytes; "<missing>" when it cannot be read.
    std::string Read(const std::wstring& relativePath) const;
    bool Exists(const std::wstring& relativePath) const;

private:
    std::wstring m_path;
};
