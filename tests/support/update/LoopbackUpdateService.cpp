#include "update/LoopbackUpdateService.h"

#include <windows.h>
#include <zlib.h>

#include <cstdio>

#include "http/FormPairs.h"

namespace {

std::string CrcText(const std::string& bytes) {
    char text[9];
    snprintf(text, sizeof(text), "%08lx", crc32(0, (const Bytef*)bytes.data(), (uInt)bytes.size()));
    return text;
}

}  // namespace

LoopbackUpdateService::LoopbackUpdateService()
    : m_server([this](const HttpRequest& request, HttpReply& reply) { Handle(request, reply); }) {}

void LoopbackUpdateService::Publish(const std::string& app, const std::string& version,
                                    const std::vector<UPDATE_FILE_ENTRY>& files) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_releases[app] = Release{version, files};
}

void LoopbackUpdateService::Corrupt(const std::string& path, const std::string& bytes) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_corrupted[path] = bytes;
}

std::string LoopbackUpdateService::ServerLine() const { return "socket 127.0.0.1 " + std::to_string(m_server.Port()); }

std::string LoopbackUpdateService::CheckUrl(const std::string& app, const std::string& version) const {
    return m_server.Url("/" + IncrementWeb() + "?app=" + app + "&version=" + version);
}

std::vector<UPDATE_CHECK_REQUEST> LoopbackUpdateService::Checks() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_checks;
}

std::vector<std::string> LoopbackUpdateService::Fetches() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fetches;
}

std::string LoopbackUpdateService::CheckReply(const Release& release) const {
    std::string text = "update " + release.Version + "\r\n";
    for (const UPDATE_FILE_ENTRY& file : release.Files)
        text += "file " + std::to_string(file.Bytes.size()) + " " + CrcText(file.Bytes) + " " + file.Path + "\r\n";
    return text;
}

void LoopbackUpdateService::Handle(const HttpRequest& request, HttpReply& reply) {
    reply.status = 404;
    if (request.method != "GET" || request.Path() != "/" + IncrementWeb()) return;
    std::map<std::string, std::string> query = ParsePairs(request.Query());
    std::lock_guard<std::mutex> lock(m_mutex);
    auto release = m_releases.find(query["app"]);
    if (!query.count("file")) {
        m_checks.push_back({query["app"], query["version"]});
        if (release == m_releases.end()) return;
        reply.status = 200;
        reply.AddHeader("Content-Type", "text/plain");
        reply.body = query["version"] == release->second.Version ? "current\r\n" : CheckReply(release->second);
        return;
    }
    m_fetches.push_back(query["file"]);
    if (release == m_releases.end() || query["update"] != release->second.Version) return;
    for (const UPDATE_FILE_ENTRY& file : release->second.Files) {
        if (file.Path != query["file"]) continue;
        auto corrupted = m_corrupted.find(file.Path);
        reply.status = 200;
        reply.body = corrupted == m_corrupted.end() ? file.Bytes : corrupted->second;
    }
}

void WriteUpdateClientFiles(const ScratchFolder& folder, const UPDATE_CLIENT_FILES& files) {
    folder.Write(L"Update\\Mendport\\Config.ini",
                 "[program]\r\nappName=" + files.AppName + "\r\nstartFile=" + files.StartFile + "\r\n");
    folder.Write(L"Update\\Mendport\\SocketConfig.ini",
                 "[GROUP1]\r\nServer1=" + files.Server1 + "\r\nIncrementWeb1=" + files.IncrementWeb1 + "\r\n");
    folder.Write(L"update\\version.dat", files.Version);
}

std::wstring BesideTheTestProgram(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}
