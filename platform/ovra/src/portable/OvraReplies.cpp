#include "portable/OvraReplies.h"

#include <json/json.h>

#include <memory>

namespace {

std::string Text(const Json::Value& root, const char* name) {
    const Json::Value& value = root[name];
    return value.isString() ? value.asString() : std::string();
}

}  // namespace

bool ParseAccountReply(const std::string& utf8, OVRA_ACCOUNT_REPLY& reply) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(utf8.data(), utf8.data() + utf8.size(), &root, &errors) || !root.isObject()) return false;
    } catch (const Json::Exception&) {  // nesting deeper than the reader's limit
        return false;
    }
    const Json::Value& result = root["result"];
    if (!result.isUInt()) return false;
    reply.Result = result.asUInt();
    reply.Uid = Text(root, "uid");
    reply.Sid = Text(root, "sid");
    reply.Ticket = Text(root, "ticket");
    return true;
}

bool IsSignedIn(const OVRA_ACCOUNT_REPLY& reply) {
    return reply.Result == 0 && !reply.Uid.empty() && !reply.Sid.empty();
}
