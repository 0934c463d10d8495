#include "update/LoopbackUpdateService.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "ManifestSignature.h"
#include "MendportTestKey.h"
#include "http/FormPairs.h"

namespace {

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) text += std::string{kDigits[c >> 4], kDigits[c & 15]};
    return text;
}

std::string Sha256Hex(const std::string& bytes) {
    CSha256 digest;
    digest.Add(bytes.data(), bytes.size());
    return Hex(digest.Digest());
}

// The signature of text with the build's test key, most significant byte first; empty
// when the platform cannot make it.
std::string Sign(const std::string& text) {
    CSha256 hash;
    BYTE* blob = nullptr;
    DWORD blobSize = 0;
    if (!hash.Provider() ||
        !CryptDecodeObjectEx(X509_ASN_ENCODING, PKCS_RSA_PRIVATE_KEY, kTestServicePrivateKey,
                             sizeof(kTestServicePrivateKey), CRYPT_DECODE_ALLOC_FLAG, nullptr, &blob, &blobSize))
        return std::string();
    HCRYPTKEY key = 0;
    bool imported = CryptImportKey(hash.Provider(), blob, blobSize, 0, 0, &key);
    LocalFree(blob);
    std::vector<BYTE> signature(1024);
    DWORD size = (DWORD)signature.size();
    bool signedText = imported && hash.Add(text.data(), text.size()) &&
                      CryptSignHashW(hash.Handle(), AT_KEYEXCHANGE, nullptr, 0, signature.data(), &size);
    if (imported) CryptDestroyKey(key);
    return signedText ? std::string(signature.rend() - size, signature.rend()) : std::string();
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

void LoopbackUpdateService::SetSigning(UPDATE_SIGNING signing) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_signing = signing;
}

std::string LoopbackUpdateService::CheckReply(const Release& release) const {
    std::string text = "update " + release.Version + "\r\n";
    for (const UPDATE_FILE_ENTRY& file : release.Files)
        text += "file " + std::to_string(file.Bytes.size()) + " " + Sha256Hex(file.Bytes) + " " + file.Path + "\r\n";
    std::string signature = Sign(text);
    switch (m_signing) {
        case UPDATE_SIGNED:
            break;
        case UPDATE_UNSIGNED:
            return text;
        case UPDATE_OTHER_SIGNATURE:
            if (!signature.empty()) signature[signature.size() / 2] ^= 1;
            break;
        case UPDATE_OTHER_TEXT:
            text += "file 5 " + Sha256Hex("extra") + " extra.exe\r\n";
            break;
    }
    return text + "signature " + Hex(signature) + "\r\n";
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
