#include "services/AccountWebService.h"

#include <windows.h>

#include <json/json.h>

#include <algorithm>

#include "Md5Checksum.h"
#include "http/FormPairs.h"

namespace {

// The secrets of the signed call groups, by application key.
const std::map<std::string, std::string> kSecrets = {
    {"4c8a16e0f27b93d5a1e06c4f8b2d7093", "3f0a9c2e7b14d6e85a0c9b7f21e4d3c6"},
    {"e91f4b07c3a2d85f60b1c7e49a2f3d18", "b7d20e5f93a146c8e0f1a27c5d39b64e"},
};

const char* const kServiceKeys[] = {"get_user", "head_portrait_get", "point_get",      "gold_get",
                                    "age_need", "zemo_login",        "session_active", "index_get",
                                    "rank_get", "subscribe_get",     "vip_get"};

// Bytes in the ANSI code page as UTF-8.
std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return ansi;
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), nullptr, 0);
    std::wstring wide((size_t)n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), &wide[0], n);
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string utf8((size_t)m, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &utf8[0], m, nullptr, nullptr);
    return utf8;
}

std::string JsonText(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

std::string ErrorReply(uint32_t error) {
    Json::Value reply;
    reply["result"] = error;
    return JsonText(reply);
}

void JsonBody(HttpReply& reply, const std::string& body) {
    reply.body = body;
    reply.AddHeader("Content-Type", "application/json; charset=utf-8");
}

void XmlBody(HttpReply& reply, const std::string& body) {
    reply.body = body;
    reply.AddHeader("Content-Type", "text/xml; charset=utf-8");
}

}  // namespace

AccountWebService::AccountWebService()
    : m_server([this](const HttpRequest& request, HttpReply& reply) { Handle(request, reply); }) {}

std::string AccountWebService::ConfigText() const {
    std::string port = std::to_string(m_server.Port());
    std::string text = "[ovra]\r\nserver=127.0.0.1\r\nport=" + port + "\r\nurl=/ovra\r\n";
    for (const char* key : kServiceKeys)
        text += "[" + std::string(key) + "]\r\nserver=127.0.0.1\r\nport=" + port + "\r\n";
    return text;
}

void AccountWebService::AddAccount(const std::string& userName, const SERVICE_ACCOUNT& account) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accounts[userName] = account;
}

void AccountWebService::SetForcedError(uint32_t error) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_forcedError = error;
}

std::string AccountWebService::IssueTicket(const std::string& userName, const std::string& verifyCode) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string ticket = "T" + std::to_string(++m_lastId);
    m_tickets[ticket] = Ticket{userName, verifyCode};
    return ticket;
}

void AccountWebService::ExpireTicket(const std::string& ticket) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tickets[ticket].Expired = true;
}

void AccountWebService::SetCategoryList(const std::string& xml) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_categories = xml;
}

void AccountWebService::SetRecentUploadList(const std::string& xml) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_recentUploads = xml;
}

std::string AccountWebService::LastTicket() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastTicket;
}

std::vector<std::string> AccountWebService::SignedInUsers() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> users;
    for (const auto& session : m_sessions) users.push_back(session.second);
    return users;
}

std::vector<SIGNED_CALL> AccountWebService::SignedCalls() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_signedCalls;
}

std::vector<std::string> AccountWebService::WebLoginSids() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_webLoginSids;
}

int AccountWebService::WebLogoutCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_webLogouts;
}

int AccountWebService::KeepAliveCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keepAlives;
}

void AccountWebService::Handle(const HttpRequest& request, HttpReply& reply) {
    std::string path = request.Path();
    std::map<std::string, std::string> query = ParsePairs(request.Query());
    std::lock_guard<std::mutex> lock(m_mutex);
    if (path == "/ovra/login" || path == "/ovra/ticketlogin") {
        if (request.method != "POST") {
            reply.status = 405;
            return;
        }
        JsonBody(reply, SignIn(ParsePairs(request.body), path == "/ovra/ticketlogin"));
    } else if (path == "/ovra/logout") {
        JsonBody(reply, SignOut(ParsePairs(request.body)));
    } else if (path == "/user") {
        auto account = m_accounts.find(AnsiToUtf8(query["username"]));
        Json::Value body;
        if (account != m_accounts.end()) {
            body["uid"] = account->second.Uid;
            body["nickname"] = account->second.NickName;
        } else {
            body["error"] = "no such user";
        }
        JsonBody(reply, JsonText(body));
    } else if (path == "/controller_ashx") {
        PointService(query, reply);
    } else if (path == "/restserver.php") {
        Restserver(request.Query(), reply);
    } else if (path == "/" && query["controller"] == "public" && query["action"] == "loginpassportovra") {
        m_webLoginSids.push_back(query["sid"]);
    } else if (path == "/" && query["controller"] == "public" && query["action"] == "logout") {
        ++m_webLogouts;
    } else if (path == "/checksession/active") {
        ++m_keepAlives;
        JsonBody(reply, m_sessions.count(query["sid"]) ? "{\"active\":true}" : "{\"active\":false}");
    } else {
        reply.status = 404;
    }
}

std::string AccountWebService::SignIn(const std::map<std::string, std::string>& form, bool byTicket) {
    if (m_forcedError) return ErrorReply(m_forcedError);
    std::string userName, issued;
    if (byTicket) {
        issued = form.count("ticket") ? form.at("ticket") : "";
        auto ticket = m_tickets.find(issued);
        if (ticket == m_tickets.end()) return ErrorReply(600000029);
        std::string verifyCode = form.count("verifycode") ? form.at("verifycode") : "";
        if (ticket->second.Expired || (!verifyCode.empty() && verifyCode != ticket->second.VerifyCode))
            return ErrorReply(600000099);
        userName = ticket->second.UserName;
    } else {
        userName = form.count("username") ? form.at("username") : "";
        auto account = m_accounts.find(userName);
        if (account == m_accounts.end()) return ErrorReply(600000021);
        if (!form.count("password") || form.at("password") != account->second.Password) return ErrorReply(600000022);
        issued = m_lastTicket = "T" + std::to_string(++m_lastId);
        m_tickets[issued] = Ticket{userName, ""};
    }
    return AccountReply(userName, issued);
}

std::string AccountWebService::AccountReply(const std::string& userName, const std::string& ticket) {
    std::string sid = "S" + std::to_string(++m_lastId);
    m_sessions[sid] = userName;
    Json::Value reply;
    reply["result"] = 0;
    reply["uid"] = m_accounts[userName].Uid;
    reply["sid"] = sid;
    reply["ticket"] = ticket;
    return JsonText(reply);
}

std::string AccountWebService::SignOut(const std::map<std::string, std::string>& form) {
    auto session = m_sessions.find(form.count("sid") ? form.at("sid") : "");
    if (session == m_sessions.end()) return ErrorReply(600000001);
    m_sessions.erase(session);
    return ErrorReply(0);
}

void AccountWebService::PointService(const std::map<std::string, std::string>& query, HttpReply& reply) {
    std::string action = query.count("action") ? query.at("action") : "";
    if (action == "getcate") {
        XmlBody(reply, m_categories);
    } else if (action == "newlist") {
        XmlBody(reply, m_recentUploads);
    } else if (action == "gold") {
        auto account = m_accounts.find(AnsiToUtf8(query.count("username") ? query.at("username") : ""));
        std::string points = account == m_accounts.end() ? "" : account->second.Points;
        XmlBody(reply, "<ReturnData><Result><ErrorCode>200</ErrorCode></Result><Datas><item>" + points +
                           "</item></Datas></ReturnData>");
    } else {
        reply.status = 404;
    }
}

void AccountWebService::Restserver(const std::string& query, HttpReply& reply) {
    SIGNED_CALL call;
    call.Params = ParsePairs(query);
    call.Method = call.Params["method"];
    // The signature: every parameter but "sign" as name and value in name order,
    // then the group's secret, digested as the bytes that came.
    std::string text;
    for (const auto& param : call.Params)
        if (param.first != "sign") text += param.first + param.second;
    auto secret = kSecrets.find(call.Params["api_key"]);
    if (secret != kSecrets.end()) {
        text += secret->second;
        call.SignatureValid = Md5HexOfBuffer((const uint8_t*)text.data(), text.size()) == call.Params["sign"];
    }
    m_signedCalls.push_back(call);
    if (!call.SignatureValid) {
        reply.status = 403;
        JsonBody(reply, "{\"error\":\"invalid sign\"}");
        return;
    }
    const SERVICE_ACCOUNT* account = nullptr;
    for (const auto& entry : m_accounts)
        if (entry.second.Uid == call.Params["uid"]) account = &entry.second;
    Json::Value body;
    if (call.Method == "tm.wealth.getWealthByUid")
        body["data"] = account ? account->Gold : 0;
    else if (call.Method == "tm.members.needChooseAge")
        body["data"] = account && account->NeedChooseAge;
    else
        body["data"] = "ok";
    JsonBody(reply, JsonText(body));
}
