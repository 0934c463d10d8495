// "ovraCfg.ini" in the program folder for the length of one test, then the shipped
// file again. The test processes run at once and share that folder: a named mutex
// lets one test at a time hold the file, and every write replaces the whole file at
// once, so a process that only reads it never sees half a file.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "web/WebUriGettor.h"

// Held while a test process owns the program folder's "ovraCfg.ini".
class ServiceConfigLock {
public:
    ServiceConfigLock() : m_mutex(CreateMutexW(nullptr, FALSE, L"ZemoTestsOvraCfg")) {
        DWORD wait = WaitForSingleObject(m_mutex, 120000);
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~ServiceConfigLock() {
        if (m_owned) ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }
    ServiceConfigLock(const ServiceConfigLock&) = delete;
    ServiceConfigLock& operator=(const ServiceConfigLock&) = delete;

private:
    HANDLE m_mutex;
    bool m_owned = false;
};

class ServiceConfigFile {
public:
    // The INI text, in ASCII.
    explicit ServiceConfigFile(const std::string& text) {
        {
            std::ifstream shipped(GetServiceConfigPath().GetString(), std::ios::binary);
            m_hadShipped = shipped.good();
            m_shipped.assign(std::istreambuf_iterator<char>(shipped), std::istreambuf_iterator<char>());
        }
        Write(text);
    }
    ~ServiceConfigFile() {
        if (m_hadShipped)
            Write(m_shipped);
        else
            Remove();
    }
    ServiceConfigFile(const ServiceConfigFile&) = delete;
    ServiceConfigFile& operator=(const ServiceConfigFile&) = delete;

    // Replaces the text while the test runs.
    void Write(const std::string& text) {
        CString temporary = GetServiceConfigPath() + L".writing";
        HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
        CloseHandle(file);
        MoveFileExW(temporary, GetServiceConfigPath(), MOVEFILE_REPLACE_EXISTING);
        ForgetCachedFile();
    }

    // No file at all while the test runs.
    void Remove() {
        DeleteFileW(GetServiceConfigPath());
        ForgetCachedFile();
    }

    // One section that points a service key at a server and port.
    static std::string Section(const std::string& key, const std::string& server, const std::string& port) {
        return "[" + key + "]\r\nserver=" + server + "\r\nport=" + port + "\r\n";
    }

private:
    // The profile functions may keep the last file read; make them read it anew.
    static void ForgetCachedFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, GetServiceConfigPath()); }

    ServiceConfigLock m_lock;  // first: taken before the file is touched
    bool m_hadShipped = false;
    std::string m_shipped;
};
