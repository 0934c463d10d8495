// The catalogue site's videos as a downloader meets them: the album list names their
// addresses on the site itself, a file interrupted once breaks off half-way the first
// time only, and a range request continues it.
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include "services/CatalogueSite.h"

namespace {

struct FETCHED {
    DWORD status = 0;
    std::string body;
};

// One request over WinINet, as the player's downloads make them.
FETCHED Fetch(const std::string& url, const std::string& headers = "") {
    FETCHED fetched;
    HINTERNET session = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = InternetOpenUrlA(session, url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                                         (DWORD)headers.size(), INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (request) {
        DWORD size = sizeof(fetched.status);
        HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &fetched.status, &size, nullptr);
        char buffer[8192];
        DWORD read = 0;
        while (InternetReadFile(request, buffer, sizeof(buffer), &read) && read) fetched.body.append(buffer, read);
        InternetCloseHandle(request);
    }
    InternetCloseHandle(session);
    return fetched;
}

std::string Bytes(size_t size, char seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char(seed + i * 7);
    return bytes;
}

TEST(CatalogueSite, ServesTheAlbumsFilesAtTheAddressesOfItsList) {
    CatalogueSite site;
    site.SetAlbum({7, "Demo", {{101, "One", "1", ".xof", 1, ""}, {102, "Two", "2", ".xof", 1, ""}}});
    const std::string first = Bytes(300000, 1), second = Bytes(200000, 2);
    site.ServeFile(101, first, true);
    site.ServeFile(102, second);

    HINTERNET session = InternetOpenA("test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET connection = InternetConnectA(session, "127.0.0.1", site.Port(), nullptr, nullptr,
                                            INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET post = HttpOpenRequestA(connection, "POST", "/album.aspx?Action=multidownload&id=7", nullptr, nullptr,
                                      nullptr, INTERNET_FLAG_RELOAD, 0);
    const char form[] = "albumid=7&fileid=101&fileid=102";
    const char type[] = "Content-Type: application/x-www-form-urlencoded\r\n";
    ASSERT_TRUE(HttpSendRequestA(post, type, (DWORD)strlen(type), (void*)form, (DWORD)strlen(form)));
    std::string plist;
    char buffer[4096];
    DWORD read = 0;
    while (InternetReadFile(post, buffer, sizeof(buffer), &read) && read) plist.append(buffer, read);
    InternetCloseHandle(post);
    InternetCloseHandle(connection);
    InternetCloseHandle(session);
    for (const char* path : {"/files/101.xof", "/files/102.xof"})
        EXPECT_NE(std::string::npos, plist.find("<string>" + site.Url(path) + "</string>")) << path << "\n" << plist;

    struct Case {
        const char* name;
        std::string url;
        std::string headers;
        DWORD status;
        std::string body;
    } cases[] = {
        {"interrupted the first time", site.Url("/files/101.xof"), "", 200, first.substr(0, first.size() / 2)},
        {"whole the second time", site.Url("/files/101.xof?sid=S1"), "", 200, first},
        {"continued by a range", site.Url("/files/101.xof"), "Range: bytes=1000-\r\n", 206, first.substr(1000)},
        {"never interrupted", site.Url("/files/102.xof"), "", 200, second},
        {"not in the album", site.Url("/files/103.xof"), "", 404, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FETCHED fetched = Fetch(c.url, c.headers);
        EXPECT_EQ(c.status, fetched.status);
        if (c.status != 404) {
            EXPECT_TRUE(fetched.body == c.body) << fetched.body.size() << " bytes of " << c.body.size();
        }
    }
}

}  // namespace
