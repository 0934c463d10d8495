// A browser in a window and a loopback site whose pages the test sets by path; any
// other path answers a page whose #path paragraph names it.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>

#include "BrowserHost.h"
#include "http/LoopbackHttpServer.h"

namespace browsertest {

class BrowserFixture : public ::testing::Test {
protected:
    BrowserFixture();
    // The page served at the path (its query ignored).
    void SetPage(const std::string& path, const std::string& html);
    void SetReply(const std::string& path, const HttpReply& reply);
    std::wstring Url(const std::string& pathAndQuery) const { return Wide(server.Url(pathAndQuery)); }
    // Navigates and waits for the page.
    bool Open(const std::string& pathAndQuery);
    // Clicks and waits for the next page.
    bool ClickAndWait(const char* selector);
    std::vector<HttpRequest> Requests() const { return server.Requests(); }

    BrowserHost host;
    std::mutex mutex;
    std::map<std::string, HttpReply> replies;
    LoopbackHttpServer server;
};

std::string PathPage(const std::string& path);

}  // namespace browsertest
