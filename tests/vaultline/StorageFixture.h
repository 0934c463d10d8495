// What the tests of CFileStorage share: the loopback storage service with one user,
// a storage object signed in or not, a temporary folder, and the process's standard
// output captured where the DLL writes its log lines.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FileStorage.h"
#include "storage/LoopbackStorageService.h"

// A new folder under the system's temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string PathOf(const std::string& name) const { return m_path + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes; nullopt when it cannot be read.
    std::optional<std::string> Read(const std::string& name) const;

private:
    std::string m_path;
};

// Standard output of the process (file descriptor 1) goes to a file while this lives.
class CapturedStdout {
public:
    CapturedStdout();
    ~CapturedStdout();
    CapturedStdout(const CapturedStdout&) = delete;
    CapturedStdout& operator=(const CapturedStdout&) = delete;
    std::string Text() const;

private:
    std::string m_path;
    int m_saved;
};

// Members are public so that tables of calls can reach them.
class StorageTest : public testing::Test {
public:
    // Texts that must reach the service unchanged through percent-encoding.
    static constexpr const char* USER = "alice smith&co=1%";
    static constexpr const char* PASSWORD = "pa ss&w=rd%20#+";
    static constexpr const char* UID = "1001";
    static constexpr const char* SESSION = "ovra session&=%";

    StorageTest();
    void TearDown() override;

    void SignIn();
    // A file of the temporary folder with these bytes.
    void WriteFile(const std::string& name, const std::string& bytes) const { folder.Write(name, bytes); }
    // A finished large file of these bytes, sent in pieces of 1000 bytes; its key.
    std::string StoreLargeFile(const std::string& name, const std::string& bytes);
    int Count(const std::string& endpoint) const { return service.RequestCount(endpoint); }

    LoopbackStorageService service;
    TempFolder folder;
    std::unique_ptr<CFileStorage> storage;
};

// size bytes that differ from place to place.
std::string SampleBytes(size_t size, unsigned seed = 1);
