// What the filter tests share about the modules they register in the prefix: the
// lock that orders the tests which change or rely on the registration (in every test
// program of the prefix), and the path of a built file as the prefix sees it.
#pragma once

#include <windows.h>

#include <string>

class CRegistrationLock {
public:
    CRegistrationLock();
    ~CRegistrationLock();
    CRegistrationLock(const CRegistrationLock&) = delete;
    CRegistrationLock& operator=(const CRegistrationLock&) = delete;

private:
    HANDLE m_mutex;
};

// A path of the build seen through the prefix's drive of the whole file system.
std::wstring PrefixPath(const char* unixPath);
