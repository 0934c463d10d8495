// "ovraCfg.ini" in the program folder for the length of one test. The test
// processes run at once and share that folder, so a named mutex lets one of them
// hold the file at a time.
#pragma once

#include <windows.h>

#include <string>

#include "web/WebUriGettor.h"

class ServiceConfigFile {
public:
    // The INI text, in ASCII.
    explicit ServiceConfigFile(const std::string& text) : m_mutex(CreateMutexW(nullptr, FALSE, L"ZemoTestsOvraCfg")) {
        DWORD wait = WaitForSingleObject(m_mutex, 120000);
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        Write(text);
    }
    ~ServiceConfigFile() {
        DeleteFileW(GetServiceConfigPath());
        ForgetCachedFile();
        if (m_owned) ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }
    ServiceConfigFile(const ServiceConfigFile&) = delete;
    ServiceConfigFile& operator=(const ServiceConfigFile&) = delete;

    // Replaces the text while the test runs.
    void Write(const std::string& text) {
        HANDLE file = CreateFileW(GetServiceConfigPath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
        CloseHandle(file);
        ForgetCachedFile();
    }

    // One section that points a service key at a server and port.
    static std::string Section(const std::string& key, const std::string& server, const std::string& port) {
        return "[" + key + "]\r\nserver=" + server + "\r\nport=" + port + "\r\n";
    }

private:
    // The profile functions may keep the last file read; make them read it anew.
    static void ForgetCachedFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, GetServiceConfigPath()); }

    HANDLE m_mutex;
    bool m_owned = false;
};
