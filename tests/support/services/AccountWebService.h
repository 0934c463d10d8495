// The account platform and the web services of the catalogue, on one loopback HTTP
// server, for tests. A test registers accounts, writes ConfigText() into
// "ovraCfg.ini" and looks at what the service saw:
//
//   AccountWebService service;
//   service.AddAccount("tom", {"secret", "1001", "Tommy"});
//   ServiceConfigFile config(service.ConfigText());
//   ... sign in, fetch, call ...
//   EXPECT_TRUE(service.SignedCalls().at(0).SignatureValid);
//
// The account platform (section "ovra", under "/ovra"): POST forms to "/login"
// (username, password, client), "/ticketlogin" (client, verifycode, ticket) and
// "/logout" (sid), answered with {"result":0,"uid","sid","ticket"} or
// {"result":<error number>}. A password sign-in issues a new ticket; a ticket
// sign-in answers with the ticket it was given, and is refused with 600000029 for an
// unknown ticket and with 600000099 for an expired one or for a verify code that
// differs from the ticket's (an empty one is accepted).
//
// The web services: "/user?username=" (nick name, JSON), "/controller_ashx?action="
// gold (points XML), getcate and newlist (the catalogue lists as set), the signed
// calls of "/restserver.php" (the signature recomputed; a wrong one gets 403), the web
// pages' sign-in and sign-out under "/" and the keep-alive "/checksession/active".
// Query values arrive in the ANSI code page, form values in UTF-8; the service keeps
// every text in UTF-8.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "http/LoopbackHttpServer.h"

struct SERVICE_ACCOUNT {
    std::string Password;
    std::string Uid;
    std::string NickName;
    std::string Points = "0";  // the text of the points reply's item
    int Gold = 0;
    bool NeedChooseAge = false;
};

struct SIGNED_CALL {
    std::string Method;                         // "tm.wealth.getWealthByUid", ...
    std::map<std::string, std::string> Params;  // decoded query values
    bool SignatureValid = false;
};

class AccountWebService {
public:
    AccountWebService();

    // "ovraCfg.ini" text: section "ovra" and every service key point at this server.
    std::string ConfigText() const;
    std::string Url(const std::string& pathAndQuery) const { return m_server.Url(pathAndQuery); }

    void AddAccount(const std::string& userName, const SERVICE_ACCOUNT& account);
    // Every sign-in call answers with this error number until it is set to 0.
    void SetForcedError(uint32_t error);
    std::string IssueTicket(const std::string& userName, const std::string& verifyCode);
    void ExpireTicket(const std::string& ticket);
    void SetCategoryList(const std::string& xml);
    void SetRecentUploadList(const std::string& xml);

    // The ticket that the last sign-in issued; the sessions that are signed in.
    std::string LastTicket() const;
    std::vector<std::string> SignedInUsers() const;
    std::vector<SIGNED_CALL> SignedCalls() const;
    std::vector<std::string> WebLoginSids() const;
    int WebLogoutCount() const;
    int KeepAliveCount() const;
    std::vector<HttpRequest> Requests() const { return m_server.Requests(); }

private:
    struct Ticket {
        std::string UserName;
        std::string VerifyCode;
        bool Expired = false;
    };

    void Handle(const HttpRequest& request, HttpReply& reply);
    std::string SignIn(const std::map<std::string, std::string>& form, bool byTicket);
    std::string SignOut(const std::map<std::string, std::string>& form);
    // A signed-in reply with a new session id and the ticket of the sign-in.
    std::string AccountReply(const std::string& userName, const std::string& ticket);
    void Restserver(const std::string& query, HttpReply& reply);
    void PointService(const std::map<std::string, std::string>& query, HttpReply& reply);

    mutable std::mutex m_mutex;
    std::map<std::string, SERVICE_ACCOUNT> m_accounts;
    std::map<std::string, Ticket> m_tickets;
    std::map<std::string, std::string> m_sessions;  // sid -> user name
    uint32_t m_forcedError = 0;
    int m_lastId = 0;
    std::string m_lastTicket;
    std::string m_categories;
    std::string m_recentUploads;
    std::vector<SIGNED_CALL> m_signedCalls;
    std::vector<std::string> m_webLoginSids;
    int m_webLogouts = 0;
    int m_keepAlives = 0;
    LoopbackHttpServer m_server;  // last: its threads stop before the state goes
};
