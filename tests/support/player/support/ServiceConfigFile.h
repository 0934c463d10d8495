// "ovraCfg.ini" in the program folder for the length of one test, then the shipped
// file again. The test processes run at once and share that folder: a named mutex
// lets one test at a time hold the file, and every write replaces the whole file at
// once, so a process that only reads it never sees half a file.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/ProgramFolderLocks.h"
#include "web/WebUriGettor.h"

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
