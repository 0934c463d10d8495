// The modules and media the decoder tests use: the built splitter and decoders,
// registered in the test prefix, and the generated media files.
#pragma once

#include "strmbase.h"

#include <string>

// A path of the build as the prefix sees it (through its drive of the file system).
std::wstring PrefixPath(const char* unixPath);
// A generated media file by name ("flv1_aac_2s").
std::wstring MediaFile(const char* name);
// Registers the splitter and the decoders (once per process); false when one fails.
bool RegisterTestModules();

// Held while a graph relies on the registration: the splitter's tests (in the same
// prefix, at the same time) take it away and back under the same lock.
class CRegistrationLock {
public:
    CRegistrationLock();
    ~CRegistrationLock();
    CRegistrationLock(const CRegistrationLock&) = delete;
    CRegistrationLock& operator=(const CRegistrationLock&) = delete;

private:
    HANDLE m_mutex;
};
