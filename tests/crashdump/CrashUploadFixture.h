// A crash's log and dump in two folders of their own, a "Mailer.ini" naming the loopback
// storage service and its user, for the tests of the upload and of the sender's dialog.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CrashUpload.h"
#include "ProgramFolder.h"
#include "storage/LoopbackStorageService.h"

// Bytes that differ from file to file.
std::string Sample(size_t size, unsigned seed);
std::string Ansi(const std::wstring& path);

struct CrashUpload {
    static constexpr const char* USER = "crash-reports";
    static constexpr const char* PASSWORD = STORAGE_PASSWORD;

    CrashUpload();
    // The service's host and port, as "IP" names it.
    std::string Host() const;
    // "Mailer.ini" with the service, the user and these further lines.
    void WriteMailer(const std::string& more = "") const;
    // The stored large file of that name, finished or not.
    std::optional<STORED_LARGE_FILE> Stored(const std::string& name) const;

    const std::string log = Sample(2500, 1);
    const std::string dump = Sample(1500, 2);
    LoopbackStorageService service;
    class ProgramFolder folder;  // the class, not the sender's function of that name
    CRASH_FILES files;
    std::unique_ptr<CHttpSend> sender;
};
