#include "update/CheckVersion.h"

#include <new>
#include <string>

#include "MendportAddress.h"
#include "UrlEncoding.h"
#include "common/LoadedLibrary.h"

namespace {

constexpr DWORD kValueChars = 256;  // 255 characters and the terminator
constexpr UINT kVersionBytes = 30;

using PatchFunction = decltype(&MendportPatch);

CString ReadProfileText(const CString& file, LPCWSTR section, LPCWSTR key) {
    WCHAR value[kValueChars] = {};
    GetPrivateProfileStringW(section, key, L"", value, kValueChars, file);
    return CString(value);
}

// The text in the OEM code page; false when it cannot be converted or held.
bool ToOem(const CString& text, std::string& oem) {
    try {
        int size = WideCharToMultiByte(CP_OEMCP, 0, text, -1, nullptr, 0, nullptr, nullptr);
        if (size <= 0) return false;
        oem.assign(size, '\0');
        if (!WideCharToMultiByte(CP_OEMCP, 0, text, -1, &oem[0], size, nullptr, nullptr)) return false;
        oem.resize(size - 1);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::u16string ToU16(const CString& text) {
    return std::u16string(text.GetString(), text.GetString() + text.GetLength());
}

}  // namespace

CCheckVersion::CCheckVersion(const CString& folder) : m_strFolder(folder) {
    if (!m_strFolder.IsEmpty() && m_strFolder[m_strFolder.GetLength() - 1] == L'\\')
        m_strFolder.Truncate(m_strFolder.GetLength() - 1);
}

int CCheckVersion::Check() {
    const CString config = m_strFolder + L"\\Update\\Mendport\\Config.ini";
    if (m_strFolder.IsEmpty() || GetFileAttributesW(config) == INVALID_FILE_ATTRIBUTES) return CHECK_NO_CLIENT_SETTINGS;
    const CString appName = ReadProfileText(config, L"program", L"appName");
    char oemAppName[kValueChars] = {};
    if (appName.IsEmpty() ||
        !WideCharToMultiByte(CP_OEMCP, 0, appName, -1, oemAppName, sizeof(oemAppName), nullptr, nullptr))
        return CHECK_NO_CLIENT_SETTINGS;

    CString version, address;
    if (!ReadVersion(version) || !GetUpdateAddress(address)) return CHECK_NO_VERSION_OR_ADDRESS;
    std::string url;
    if (!ToOem(L"http://" + address, url)) return CHECK_NO_CLIENT_SETTINGS;
    try {
        // Each value percent-encoded, so that "&", "=" or "#" in it stays inside it; the
        // version as the file's bytes, which ReadVersion widened one by one.
        std::string versionBytes;
        for (int i = 0; i < version.GetLength(); ++i) versionBytes += (char)version[i];
        url += "?app=" + PercentEncode(oemAppName) + "&version=" + PercentEncode(versionBytes);
    } catch (const std::bad_alloc&) {
        return CHECK_NO_CLIENT_SETTINGS;
    }
    // Bound at run time: without the client the program starts as it does after any failed check.
    CLoadedLibrary client(m_strFolder + L"\\MendportInterface.dll");
    PatchFunction patch = client.Find<PatchFunction>("MendportPatch");
    if (!patch) return MENDPORT_CHECK_FAILED;
    MENDPORT_SERVER server = {url.c_str(), 0};
    return patch(oemAppName, &server, 1, this, 0, 0);
}

bool CCheckVersion::OnNewerVersion() {
    m_bNewerVersion = true;
    return false;
}

bool CCheckVersion::ReadVersion(CString& version) const {
    CFile file;
    if (!file.Open(m_strFolder + L"\\update\\version.dat", CFile::modeRead | CFile::shareDenyNone)) return false;
    char bytes[kVersionBytes + 1] = {};
    try {
        file.Read(bytes, kVersionBytes);
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
    version.Empty();
    for (const char* byte = bytes; *byte; ++byte) version += (WCHAR)(unsigned char)*byte;
    return true;
}

bool CCheckVersion::GetUpdateAddress(CString& address) const {
    const CString config = m_strFolder + L"\\Update\\Mendport\\SocketConfig.ini";
    std::u16string found = MendportUpdateAddress(ToU16(ReadProfileText(config, L"GROUP1", L"Server1")),
                                                 ToU16(ReadProfileText(config, L"GROUP1", L"IncrementWeb1")));
    address = std::wstring(found.begin(), found.end()).c_str();
    return !address.IsEmpty();
}
