// The crash files' road to the storage service: each file is sent as a large file, in
// pieces of 1000 bytes, from its own folder.
#pragma once

#include <string>

#include "CrashSettings.h"
#include "FileStorage.h"
#include "HttpSend.h"
#include "StoragePassword.h"

constexpr unsigned long CRASH_PIECE_SIZE = 1000;
constexpr int UPLOAD_UNREADABLE = 1;  // the file could not be read

// Signs in with the sender's user name and password at "http://<server>/vaultbox-service",
// sends the dump (when one was written) and the log, and signs out. 0 when the sign-in
// and both files went through, else the failure's result (the log's before the dump's).
int SendCrashFilesToStorage(const CRASH_FILES& files, CHttpSend& sender);

// Announces folder\name, sends its pieces and finishes it. 0 on success,
// UPLOAD_UNREADABLE, or the storage library's result. A failed announcement sends nothing.
int UploadLargeFile(const std::string& folder, const std::string& name, CFileStorage& storage);
