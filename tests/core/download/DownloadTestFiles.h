// Files of the download tests: sizes and SHA-1 digests to compare a download with
// its source.
#pragma once

#include <afx.h>

#include <string>

#include "http/LoopbackHttpServer.h"

// The file's size; -1 when it does not exist.
LONGLONG FileSizeOf(const CString& path);

// SHA-1 in hex of a file and of the first size bytes of a source.
std::string Sha1OfFile(const CString& path);
std::string Sha1OfSource(const ByteSource& source, uint64_t size);
// The first size bytes of a source.
std::string SourceBytes(const ByteSource& source, uint64_t size);
CString Wide(const std::string& text);
