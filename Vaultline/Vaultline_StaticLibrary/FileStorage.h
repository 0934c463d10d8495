// CFileStorage: the interface of Vaultline.dll, a client of the cloud file-storage
// service. Every call is synchronous and returns an int result (portable/StorageResults.h);
// failures also set the process-wide last-error text (GetLastErrMsg). Texts are
// zero-terminated 8-bit strings in the ANSI code page; null texts count as empty.
// No C++ exception leaves the library. One thread at a time may use it.
//
//   CFileStorage storage("http://host/service", nullptr);
//   storage.UserLogin("name", "password");
//   char key[33];
//   storage.LargeFileCreate("C:\\logs", "crash.log", key, sizeof(key));
//   storage.LargeFileUpload(key, piece, 1000, 0);   // ... piece by piece
//   storage.LargeFileUploadFinish(key);
//   storage.UserLogout();
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "portable/StorageRecords.h"
#include "portable/StorageResults.h"

#ifdef VAULTLINE_EXPORTS
#define VAULTLINE_API __declspec(dllexport)
#else
#define VAULTLINE_API __declspec(dllimport)
#endif

class CHttpHelper;

class VAULTLINE_API CFileStorage {
public:
    // Connects to serverUrl (scheme, host and port, then a path prefix) at once;
    // session, when given, signs the first service call in by itself.
    CFileStorage(const char* serverUrl, const char* session);
    // Closes the connection; does not sign out.
    ~CFileStorage();
    CFileStorage(const CFileStorage&) = delete;
    CFileStorage& operator=(const CFileStorage&) = delete;

    int UserLogin(const char* userName, const char* password);
    // Signs in with an account-platform session.
    int UserLogin(const char* session);
    int UserLogout();
    bool IsConnected() const;
    const char* GetLastErrMsg() const;

    // Size, MD5 (33 bytes) and SHA-1 (41 bytes) of folder\fileName. Always FS_OK: a
    // file that cannot be read leaves empty digests, and size is written once known.
    int FileGetChecksum(const char* folder, const char* fileName, unsigned long& size, char* md5, char* sha1) const;

    int PictureUpload(const char* localFolder, const char* fileName) const;
    // Into localFolder\key.
    int PictureDownload(const char* localFolder, const char* key) const;
    int UserPhotoUpload(const char* localFolder, const char* fileName, const char* serverFileName) const;
    int UserPhotoDownload(const char* localFolder, const char* key, const char* localFileName) const;
    int EmoticonUpload(const char* localFolder, const char* fileName, const char* serverFileName) const;
    // Another user's (uid) emoticon.
    int EmoticonDownload(const char* uid, const char* localFolder, const char* key, const char* localFileName) const;
    int EmoticonRemove(const char* key) const;
    // Fills at most capacity entries of list in reply order; count is the number filled.
    int EmoticonGetList(EmoticonInfo* list, const unsigned int& capacity, unsigned int& count) const;

    // Announces folder\fileName with its size and checksums; the service's key is
    // copied into key (keySize bytes, terminated). A file that cannot be read is refused.
    int LargeFileCreate(const char* localFolder, const char* fileName, char* key, unsigned long keySize) const;
    // Sends length bytes that belong at offset.
    int LargeFileUpload(const char* key, void* data, unsigned long length, unsigned long offset) const;
    int LargeFileUploadFinish(const char* key) const;
    // Total size and the name fields of a user's large file; name, second and third
    // each take nameSize bytes.
    int LargeFileGetInfo(const char* uid, const char* key, char* name, unsigned long nameSize, unsigned long& size,
                         char* second, char* third) const;
    // Reads length bytes from offset into buffer; length becomes the count received.
    int LargeFileDownload(const char* uid, const char* key, unsigned long offset, void* buffer,
                          unsigned long& length) const;
    int LargeFileRenewTime(const char* key) const;
    int LargeFileRemove(const char* key) const;
    // Empties list and fills it with the user's large files (untouched when the request fails).
    int LargeFileGetList(std::vector<LargeFileInfo>& list) const;
    int LargeFileDepotInfo(double& totalSpace, double& totalSize, double& freeSpace) const;

protected:
    int UserLoginWithPassword(const char* userName, const char* password);
    int UserLoginWithSession(const char* session);
    // With the password when userName is not null, else with passwordOrSession as a session.
    int UserRelogin(const char* userName, const char* passwordOrSession) const;
    // The multipart upload road of pictures, photos and emoticons; the service's key
    // goes to keyOut (keyOutSize bytes, terminated).
    int FileUploadWithRetry(const char* restPath, const char* localFolder, const char* localFileName,
                            const char* serverFileName, char* keyOut, unsigned long keyOutSize) const;
    // The download road; the first "%s" of pathFormat stands for the key.
    int FileDownloadWithRetry(const char* pathFormat, const char* key, const char* localFolder,
                              const char* localFileName) const;

private:
    struct CallFrame;  // the steps that the service calls share (not exported)

    std::unique_ptr<CHttpHelper> m_http;
    // Of the last successful sign-in; kept after sign-out.
    mutable std::optional<std::string> m_uid;
    mutable std::optional<std::string> m_sid;
    std::optional<std::string> m_userName;
    std::optional<std::string> m_passwordOrSession;
    mutable bool m_needLogin = true;
};
