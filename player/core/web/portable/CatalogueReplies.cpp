#include "web/portable/CatalogueReplies.h"

#include <pugixml.hpp>

namespace {

struct ChildField {
    const char* element;
    std::string CATALOGUE_ITEM::*field;
};

const ChildField kCategoryFields[] = {
    {"catename", &CATALOGUE_ITEM::Name},
    {"url", &CATALOGUE_ITEM::Url},
};

const ChildField kRecentUploadFields[] = {
    {"title", &CATALOGUE_ITEM::Name},  {"url", &CATALOGUE_ITEM::Url},     {"imageurl", &CATALOGUE_ITEM::ImageUrl},
    {"brief", &CATALOGUE_ITEM::Brief}, {"price", &CATALOGUE_ITEM::Price},
};

// Fills every field from the first text or CDATA node of its child; false when a
// child is missing or its text is empty.
template <size_t N>
bool ReadItem(const pugi::xml_node& node, const ChildField (&fields)[N], CATALOGUE_ITEM& item) {
    for (const ChildField& f : fields) {
        pugi::xml_node child = node.child(f.element);
        if (!child) return false;
        item.*f.field = child.text().get();
        if ((item.*f.field).empty()) return false;
    }
    return true;
}

template <size_t N>
bool ParseList(const std::u16string& xml, const ChildField (&fields)[N], std::vector<CATALOGUE_ITEM>& items) {
    items.clear();
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size() * sizeof(char16_t), pugi::parse_default, pugi::encoding_utf16))
        return false;
    for (const pugi::xpath_node& node : document.select_nodes("/ReturnData/Datas/item")) {
        CATALOGUE_ITEM item;
        if (ReadItem(node.node(), fields, item)) items.push_back(item);
    }
    return true;
}

}  // namespace

bool ParseCategoryList(const std::u16string& xml, std::vector<CATALOGUE_ITEM>& items) {
    return ParseList(xml, kCategoryFields, items);
}

bool ParseRecentUploadList(const std::u16string& xml, std::vector<CATALOGUE_ITEM>& items) {
    return ParseList(xml, kRecentUploadFields, items);
}
