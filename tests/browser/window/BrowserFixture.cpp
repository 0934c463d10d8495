#include "BrowserFixture.h"

namespace browsertest {

std::string PathPage(const std::string& path) { return "<html><body><p id=\"path\">" + path + "</p></body></html>"; }

BrowserFixture::BrowserFixture()
    : server([this](const HttpRequest& request, HttpReply& reply) {
          std::lock_guard<std::mutex> lock(mutex);
          auto found = replies.find(request.Path());
          if (found != replies.end()) {
              reply = found->second;
          } else {
              reply.body = PathPage(request.Path());
              reply.AddHeader("Content-Type", "text/html; charset=utf-8");
          }
      }) {}

void BrowserFixture::SetPage(const std::string& path, const std::string& html) {
    HttpReply reply;
    reply.body = html;
    reply.AddHeader("Content-Type", "text/html; charset=utf-8");
    SetReply(path, reply);
}

void BrowserFixture::SetReply(const std::string& path, const HttpReply& reply) {
    std::lock_guard<std::mutex> lock(mutex);
    replies[path] = reply;
}

bool BrowserFixture::Open(const std::string& pathAndQuery) {
    int documents = host.events.documents;
    host.browser.Navigate(Url(pathAndQuery));
    return host.WaitForDocuments(documents + 1);
}

bool BrowserFixture::ClickAndWait(const char* selector) {
    int documents = host.events.documents;
    return host.Click(selector) && host.WaitForDocuments(documents + 1);
}

}  // namespace browsertest
