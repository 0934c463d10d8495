#include "StorageFixture.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string NewTempName(const char* prefix) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    static int counter = 0;
    return std::string(folder) + prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

}  // namespace

TempFolder::TempFolder() : m_path(NewTempName("vaultline-")) { CreateDirectoryA(m_path.c_str(), nullptr); }

TempFolder::~TempFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string file = PathOf(found.cFileName);
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<std::string> TempFolder::Read(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

CapturedStdout::CapturedStdout() : m_path(NewTempName("vaultline-stdout-")) {
    fflush(stdout);
    m_saved = _dup(1);
    int file = _open(m_path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, 0600);
    _dup2(file, 1);
    _close(file);
}

CapturedStdout::~CapturedStdout() {
    fflush(stdout);
    _dup2(m_saved, 1);
    _close(m_saved);
    DeleteFileA(m_path.c_str());
}

std::string CapturedStdout::Text() const {
    fflush(stdout);
    std::ifstream in(m_path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

StorageTest::StorageTest() {
    service.AddUser(USER, PASSWORD, UID);
    service.AddPlatformSession(SESSION, USER);
    storage = std::make_unique<CFileStorage>(service.Url().c_str(), nullptr);
}

void StorageTest::TearDown() {
    for (const std::string& violation : service.Violations()) ADD_FAILURE() << "protocol: " << violation;
}

void StorageTest::SignIn() { ASSERT_EQ(FS_OK, storage->UserLogin(USER, PASSWORD)) << storage->GetLastErrMsg(); }

std::string StorageTest::StoreLargeFile(const std::string& name, const std::string& bytes) {
    WriteFile(name, bytes);
    char key[33] = {};
    EXPECT_EQ(FS_OK, storage->LargeFileCreate(folder.Path().c_str(), name.c_str(), key, sizeof(key)))
        << storage->GetLastErrMsg();
    for (size_t offset = 0; offset < bytes.size(); offset += 1000) {
        std::string piece = bytes.substr(offset, 1000);
        EXPECT_EQ(FS_OK, storage->LargeFileUpload(key, &piece[0], piece.size(), offset)) << storage->GetLastErrMsg();
    }
    EXPECT_EQ(FS_OK, storage->LargeFileUploadFinish(key)) << storage->GetLastErrMsg();
    return key;
}

std::string SampleBytes(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = char(state >> 16);
    }
    return bytes;
}
