#include "CrashUpload.h"

#include <windows.h>

#include <cstring>

#include "ScopedHandle.h"

namespace {

// The id the service's key is written over.
const char PRESET_ID[] = "9C3E51B07A2D48F6B1E0C7D2A4F86B35";

int SendPieces(HANDLE file, const char* id, CFileStorage& storage) {
    char piece[CRASH_PIECE_SIZE];
    for (unsigned long offset = 0;;) {
        DWORD read = 0;
        if (!ReadFile(file, piece, sizeof(piece), &read, nullptr)) return UPLOAD_UNREADABLE;
        if (read == 0) return FS_OK;
        const int result = storage.LargeFileUpload(id, piece, read, offset);
        if (result != FS_OK) return result;
        offset += read;
    }
}

}  // namespace

int UploadLargeFile(const std::string& folder, const std::string& name, CFileStorage& storage) {
    char id[sizeof(PRESET_ID)];
    memcpy(id, PRESET_ID, sizeof(id));
    const int created = storage.LargeFileCreate(folder.c_str(), name.c_str(), id, sizeof(id));
    if (created != FS_OK) return created;
    const std::string path = folder + "\\" + name;
    CScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const int result = file ? SendPieces(file.Get(), id, storage) : UPLOAD_UNREADABLE;
    file.Close();
    const int finished = storage.LargeFileUploadFinish(id);
    return result != FS_OK ? result : finished;
}

int SendCrashFilesToStorage(const CRASH_FILES& files, CHttpSend& sender) {
    const std::string url = "http://" + sender.Server() + "/vaultbox-service";
    CFileStorage storage(url.c_str(), nullptr);
    const int signedIn = storage.UserLogin(sender.UserName().c_str(), sender.Password().c_str());
    if (signedIn != FS_OK) return signedIn;
    const int dump = files.dumpName.empty() ? FS_OK : UploadLargeFile(files.dumpFolder, files.dumpName, storage);
    const int log = UploadLargeFile(files.logFolder, files.logName, storage);
    storage.UserLogout();
    return log != FS_OK ? log : dump;
}
