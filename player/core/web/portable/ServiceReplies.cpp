#include "web/portable/ServiceReplies.h"

#include <json/json.h>
#include <pugixml.hpp>

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

// The reply's root when it is a JSON object; null otherwise. The reader throws on
// nesting deeper than its limit: such a reply is no object either.
Json::Value ParseObject(const std::string& utf8) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(utf8.data(), utf8.data() + utf8.size(), &root, &errors) || !root.isObject())
            return Json::Value();
    } catch (const Json::Exception&) {
        return Json::Value();
    }
    return root;
}

Json::Value Member(const std::string& utf8, const char* name) {
    Json::Value root = ParseObject(utf8);
    return root.isObject() && root.isMember(name) ? root[name] : Json::Value();
}

int TruncateToInt(double value) {
    if (value != value) return 0;  // NaN
    if (value <= (double)INT_MIN) return INT_MIN;
    if (value >= (double)INT_MAX) return INT_MAX;
    return (int)value;
}

}  // namespace

std::string NickNameFromReply(const std::string& utf8Json) {
    Json::Value name = Member(utf8Json, "nickname");
    return name.isString() ? name.asString() : std::string();
}

int GoldFromReply(const std::string& utf8Json) {
    Json::Value data = Member(utf8Json, "data");
    if (data.isInt()) return data.asInt();
    return data.isNumeric() ? TruncateToInt(data.asDouble()) : 0;
}

bool NeedChooseAgeFromReply(const std::string& utf8Json) {
    Json::Value data = Member(utf8Json, "data");
    return data.isBool() && data.asBool();
}

int PointsFromReply(const std::u16string& xml) {
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size() * sizeof(char16_t), pugi::parse_default, pugi::encoding_utf16))
        return 0;
    if (!document.select_node("/ReturnData/Result/ErrorCode")) return 0;
    pugi::xpath_node item = document.select_node("/ReturnData/Datas/item");
    if (!item) return 0;
    return TruncateToInt(strtod(item.node().text().get(), nullptr));
}
