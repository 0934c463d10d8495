// The account service's replies (JSON objects) and its form encoding.
// Portable: no platform headers.
#pragma once

#include <cstdint>
#include <string>

// {"result": 0, "uid": "...", "sid": "...", "ticket": "..."}; a result other than 0
// is the service's error number and the other members are absent.
struct OVRA_ACCOUNT_REPLY {
    uint32_t Result = 0;
    std::string Uid;
    std::string Sid;
    std::string Ticket;
};

// False when the reply is no JSON object or has no whole-number result.
bool ParseAccountReply(const std::string& utf8, OVRA_ACCOUNT_REPLY& reply);

// True for a sign-in reply that succeeded and names both ids.
bool IsSignedIn(const OVRA_ACCOUNT_REPLY& reply);
