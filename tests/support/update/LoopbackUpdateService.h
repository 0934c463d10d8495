// The update client's service on a loopback HTTP server, for tests. A test publishes
// an application's newest version with its files, writes the client's files so that
// they point here, and looks at what the client asked:
//
//   LoopbackUpdateService service;
//   service.Publish("zemovista", "2.0.0.1", {{"Zemovista.exe", "new bytes"}});
//   WriteUpdateClientFiles(folder, {"zemovista", "1.0.0.1", service.ServerLine(), service.IncrementWeb()});
//   ... check, update ...
//   EXPECT_EQ("1.0.0.1", service.Checks().at(0).Version);
//
// The check (GET /<IncrementWeb()>?app=&version=) answers "current" for the published
// version and "update" with the files' lines, signed with the build's test key, for any
// other; a file is fetched with
// "&update=<version>&file=<path>" added. An application that is not published, a
// version that is not the published one and an unknown file get 404.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "files/ScratchFolder.h"
// Beside the test program: the client's library and "Update\Mendport.exe" that
// mendport_deploy put there, the stand-in program of update_start_marker_deploy.
#include "files/TestProgram.h"
#include "http/LoopbackHttpServer.h"

struct UPDATE_FILE_ENTRY {
    std::string Path;  // UTF-8, "/" between the parts
    std::string Bytes;
};

// How the service signs its update replies.
enum UPDATE_SIGNING {
    UPDATE_SIGNED,           // with the build's test key, as the client expects
    UPDATE_UNSIGNED,         // no signature line
    UPDATE_OTHER_SIGNATURE,  // a signature with one bit changed
    UPDATE_OTHER_TEXT,       // the signature of the reply without a file line added after signing
};

struct UPDATE_CHECK_REQUEST {
    std::string App;  // decoded query values: bytes in the client's code page
    std::string Version;
};

class LoopbackUpdateService {
public:
    LoopbackUpdateService();

    void Publish(const std::string& app, const std::string& version, const std::vector<UPDATE_FILE_ENTRY>& files);
    // Sends these bytes for the file instead, while the check keeps the published size and digest.
    void Corrupt(const std::string& path, const std::string& bytes);
    void SetSigning(UPDATE_SIGNING signing);

    // A "Server1" value that leads here: "<word> 127.0.0.1 <port>".
    std::string ServerLine() const;
    static std::string IncrementWeb() { return "mendport/check"; }
    // The check URL a client builds from those values.
    std::string CheckUrl(const std::string& app, const std::string& version) const;

    std::vector<UPDATE_CHECK_REQUEST> Checks() const;
    // The paths of the files fetched, in order.
    std::vector<std::string> Fetches() const;
    std::vector<HttpRequest> Requests() const { return m_server.Requests(); }

private:
    struct Release {
        std::string Version;
        std::vector<UPDATE_FILE_ENTRY> Files;
    };

    void Handle(const HttpRequest& request, HttpReply& reply);
    std::string CheckReply(const Release& release) const;

    mutable std::mutex m_mutex;
    std::map<std::string, Release> m_releases;
    std::map<std::string, std::string> m_corrupted;
    UPDATE_SIGNING m_signing = UPDATE_SIGNED;
    std::vector<UPDATE_CHECK_REQUEST> m_checks;
    std::vector<std::string> m_fetches;
    LoopbackHttpServer m_server;  // last: its threads stop before the state goes
};

// The update client's files in a program folder, as the installer leaves them:
// "Update\Mendport\Config.ini" (program/appName, startFile), "Update\Mendport\SocketConfig.ini"
// (GROUP1/Server1 and IncrementWeb1) and "update\version.dat". The texts are written
// as they are, in the ANSI code page.
struct UPDATE_CLIENT_FILES {
    std::string AppName;
    std::string Version;
    std::string Server1;
    std::string IncrementWeb1;
    std::string StartFile;  // "[program] startFile": the program the updater starts when it ends
};
void WriteUpdateClientFiles(const ScratchFolder& folder, const UPDATE_CLIENT_FILES& files);
