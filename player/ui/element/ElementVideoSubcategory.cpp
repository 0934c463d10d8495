#include "element/ElementVideoSubcategory.h"

#include <vector>

#include "ctrl/BaseCtrlManager.h"
#include "element/ListItems.h"

bool CElementVideoSubcategory::AddItem(const CString& title, const CString& url) {
    if (!m_pManager) return false;
    htmlayout::dom::element list = m_pManager->GetElementById(m_strId);
    if (!list.is_valid()) return false;
    std::vector<htmlayout::dom::element> items;
    list.select_all(items, "li");
    for (const htmlayout::dom::element& item : items)
        if (AttributeEqualsNoCase(item, "url", url)) return false;
    return AppendChild(list, CreateHtmlElement("li", title, {{"class", L"video-list"}, {"url", url}}));
}

CString CElementVideoSubcategory::SelectItem(HELEMENT he) {
    if (!m_pManager) return CString();
    htmlayout::dom::element item = htmlayout::dom::child_holding(m_pManager->GetElementById(m_strId), he);
    if (!item.is_valid()) return CString();
    htmlayout::dom::element chosen = m_pManager->GetElementById(L"current-video-web");
    if (chosen.is_valid()) HTMLayoutSetAttributeByName(chosen, "id", nullptr);
    HTMLayoutScrollToView(item, 0);
    HTMLayoutSetAttributeByName(item, "id", L"current-video-web");
    return item.get_attribute("url");
}
