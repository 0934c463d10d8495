// The items of the catalogue services' XML lists (categories and recent uploads).
// Portable: no platform headers.
#pragma once

#include <string>
#include <vector>

// One list entry; texts in UTF-8. Categories fill Name (from "catename") and Url;
// recent uploads fill Name (from "title") and all the others.
struct CATALOGUE_ITEM {
    std::string Name;
    std::string Url;
    std::string ImageUrl;
    std::string Brief;
    std::string Price;
};

// The complete items under /ReturnData/Datas/item in document order; items that
// lack a child or hold an empty one are dropped. False when the text is not
// well-formed XML.
bool ParseCategoryList(const std::u16string& xml, std::vector<CATALOGUE_ITEM>& items);
bool ParseRecentUploadList(const std::u16string& xml, std::vector<CATALOGUE_ITEM>& items);
