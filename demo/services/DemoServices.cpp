// The loopback services a demonstration run of the player talks to: the account platform
// with its web services (one demo user), the catalogue site with real videos to download
// and the storage service that takes crash reports. Writes the service settings into the
// program folder, prints the ports and runs until its stop file appears or, without one,
// until its standard input closes.
//
//   DemoServices.exe <program folder> [--stop-file <path>] <video.xof>...
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "DemoAccounts.h"
#include "DemoAlbum.h"
#include "services/AccountWebService.h"
#include "services/CatalogueSite.h"
#include "storage/LoopbackStorageService.h"

namespace {

struct OPTIONS {
    std::string folder;  // with its trailing backslash
    std::string stopFile;
    std::vector<std::string> videos;
};

bool ReadOptions(int argc, char** argv, OPTIONS& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--stop-file" && i + 1 < argc)
            options.stopFile = argv[++i];
        else if (options.folder.empty())
            options.folder = arg;
        else
            options.videos.push_back(arg);
    }
    if (options.folder.empty() || options.videos.empty()) return false;
    if (options.folder.back() != '\\' && options.folder.back() != '/') options.folder += '\\';
    return true;
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.good() || file.eof();
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return file.good();
}

// The INI text without one of its sections.
std::string WithoutSection(const std::string& text, const std::string& name) {
    const std::string head = "[" + name + "]";
    size_t start = text.find(head);
    if (start == std::string::npos) return text;
    size_t end = text.find("\r\n[", start);
    return text.substr(0, start) + (end == std::string::npos ? "" : text.substr(end + 2));
}

// The album of the catalogue: one file per video.
CATALOGUE_ALBUM DemoAlbum(size_t videos) {
    CATALOGUE_ALBUM album{7, DEMO_ALBUM_NAME, {}};
    for (size_t i = 0; i < videos && i < DEMO_MOST_FILES; ++i)
        album.Files.push_back(
            {int(DEMO_FIRST_FILE_ID + i), DEMO_FILE_NAMES[i], std::to_string(i + 1), DEMO_FILE_TYPE, 1, ""});
    return album;
}

std::string ServiceConfig(const AccountWebService& account, const CatalogueSite& catalogue) {
    return catalogue.ConfigText() + WithoutSection(account.ConfigText(), "index_get");
}

std::string CrashConfig() { return "[Crash Info]\r\nLog Path=\r\nDump Path=\r\n"; }

std::string MailerConfig(const LoopbackStorageService& storage) {
    const std::string url = storage.Url();  // http://127.0.0.1:<port>/vaultbox-service
    const std::string host = url.substr(7, url.find('/', 7) - 7);
    return "[User Info]\r\nIP=" + host + "\r\nMail Name=" + DEMO_CRASH_ACCOUNT + "\r\nMail To=\r\nReboot=NO\r\n";
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Prints the requests a service received since the last call, one line each.
void PrintNewRequests(const char* service, const std::vector<HttpRequest>& requests, size_t& printed) {
    for (; printed < requests.size(); ++printed) {
        const HttpRequest& request = requests[printed];
        std::string range = request.Header("range");
        std::cout << service << " " << request.method << " " << request.target << (range.empty() ? "" : " " + range)
                  << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv) {
    OPTIONS options;
    if (!ReadOptions(argc, argv, options)) {
        std::cerr << "usage: DemoServices.exe <program folder> [--stop-file <path>] <video.xof>...\n";
        return 2;
    }
    try {
        AccountWebService account;
        account.AddAccount(DEMO_USER, {DEMO_PASSWORD, "1001", "演示用户", "120", 30});
        CatalogueSite catalogue;
        catalogue.SetAlbum(DemoAlbum(options.videos.size()));
        // About 40 KB a second, so that the download window shows the files on their way
        // (their speed shows after its first three seconds).
        catalogue.SetFilePace(8 * 1024, std::chrono::milliseconds(200));
        for (size_t i = 0; i < catalogue.Album().Files.size(); ++i) {
            std::string bytes;
            if (!ReadFile(options.videos[i], bytes) || bytes.empty()) {
                std::cerr << "cannot read " << options.videos[i] << "\n";
                return 1;
            }
            catalogue.ServeFile(catalogue.Album().Files[i].Id, std::move(bytes), i == 0);
        }
        LoopbackStorageService storage;
        storage.AddUser(DEMO_CRASH_ACCOUNT, STORAGE_PASSWORD, "2001");

        if (!WriteFile(options.folder + "ovraCfg.ini", ServiceConfig(account, catalogue)) ||
            !WriteFile(options.folder + "CrashConfig.ini", CrashConfig()) ||
            !WriteFile(options.folder + "Mailer.ini", MailerConfig(storage))) {
            std::cerr << "cannot write the settings into " << options.folder << "\n";
            return 1;
        }
        std::cout << "account " << account.Url("/") << "\ncatalogue " << catalogue.Url("/index.aspx") << "\nstorage "
                  << storage.Url() << "\nready" << std::endl;

        size_t accountPrinted = 0, cataloguePrinted = 0;
        auto printRequests = [&] {
            PrintNewRequests("account", account.Requests(), accountPrinted);
            PrintNewRequests("catalogue", catalogue.Requests(), cataloguePrinted);
        };
        std::atomic<bool> inputClosed{false};
        if (options.stopFile.empty()) {
            std::thread([&inputClosed] {
                std::string line;
                while (std::getline(std::cin, line)) {
                }
                inputClosed = true;
            }).detach();
        }
        while (options.stopFile.empty() ? !inputClosed : !FileExists(options.stopFile)) {
            printRequests();
            Sleep(200);
        }
        printRequests();
        std::cout << "stopped" << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "the services cannot start: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
