#include "element/ListItems.h"

#include <vector>

bool AttributeEqualsNoCase(HELEMENT he, LPCSTR name, const CString& text) {
    LPCWSTR value = htmlayout::dom::element(he).get_attribute(name);
    return value && text.CompareNoCase(value) == 0;
}

htmlayout::dom::element FindListItem(const htmlayout::dom::element& list, LPCSTR name, const CString& text) {
    std::vector<htmlayout::dom::element> items;
    list.select_all(items, ":root > li");
    for (const htmlayout::dom::element& item : items)
        if (AttributeEqualsNoCase(item, name, text)) return item;
    return {};
}

bool AppendChild(HELEMENT parent, HELEMENT child) {
    return parent && child && HTMLayoutInsertElement(child, parent, 0x7FFFFFFF) == HLDOM_OK;
}
