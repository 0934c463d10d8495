#include "CrashUploadFixture.h"

#include <vector>

std::string Sample(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char((i * 31 + seed * 7) % 251);
    return bytes;
}

std::string Ansi(const std::wstring& path) { return std::string(path.begin(), path.end()); }

CrashUpload::CrashUpload() {
    service.AddUser(USER, PASSWORD, "2002");
    WriteMailer();
    files.logFolder = Ansi(folder.Path()) + "logs";
    files.logName = "ERRORLOG 20261211 051500.log";
    files.dumpFolder = Ansi(folder.Path()) + "dumps";
    files.dumpName = "CRASH 20261211 051500.dmp";
    folder.Write(L"logs\\ERRORLOG 20261211 051500.log", log);
    folder.Write(L"dumps\\CRASH 20261211 051500.dmp", dump);
    sender = std::make_unique<CHttpSend>(Ansi(folder.File(L"Mailer.ini")));
    sender->SetUserName(USER);
    sender->SetPassword(PASSWORD);
}

std::string CrashUpload::Host() const {
    const std::string url = service.Url();  // http://127.0.0.1:<port>/vaultbox-service
    return url.substr(7, url.find('/', 7) - 7);
}

void CrashUpload::WriteMailer(const std::string& more) const {
    folder.Write(L"Mailer.ini", "[User Info]\r\nIP=" + Host() + "\r\nMail Name=" + USER + "\r\n" + more);
}

std::optional<STORED_LARGE_FILE> CrashUpload::Stored(const std::string& name) const {
    std::vector<LargeFileInfo> list;
    CFileStorage storage(service.Url().c_str(), nullptr);
    storage.UserLogin(USER, PASSWORD);
    storage.LargeFileGetList(list);
    for (const LargeFileInfo& info : list)
        if (name == info.fname) return service.LargeFile(info.fkey);
    return std::nullopt;
}
