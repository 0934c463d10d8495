// Files of the download tests: a scratch folder per test, file contents and SHA-1
// digests to compare a download with its source.
#pragma once

#include <afx.h>

#include <string>

#include "http/LoopbackHttpServer.h"

// A new empty folder under the temporary folder, deleted with its files at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The full path of a file in the folder.
    CString Path(const CString& name) const { return m_path + name; }

private:
    CString m_path;  // with a trailing backslash
};

void WriteFileBytes(const CString& path, const std::string& bytes);
std::string ReadFileBytes(const CString& path);
// The file's size; -1 when it does not exist.
LONGLONG FileSizeOf(const CString& path);
bool FileExists(const CString& path);

// SHA-1 in hex of a file, of the first size bytes of a source, and of bytes.
std::string Sha1OfFile(const CString& path);
std::string Sha1OfSource(const ByteSource& source, uint64_t size);
// The first size bytes of a source.
std::string SourceBytes(const ByteSource& source, uint64_t size);
CString Wide(const std::string& text);
