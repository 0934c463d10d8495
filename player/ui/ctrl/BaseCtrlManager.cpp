#include "ctrl/BaseCtrlManager.h"

#include "element/Element.h"
#include "window/BaseWnd.h"

CBaseCtrlManager::CBaseCtrlManager(CBaseWnd* owner) : m_pOwner(owner) {}

CBaseCtrlManager::~CBaseCtrlManager() { DeleteElementObjects(); }

void CBaseCtrlManager::RefreshElements() {
    for (auto& entry : m_elements) entry.second->Refresh();
}

bool CBaseCtrlManager::OnButtonClick(const CString&) { return false; }
bool CBaseCtrlManager::OnButtonStateChanged(const CString&) { return false; }
bool CBaseCtrlManager::OnMouseDown(htmlayout::dom::element&) { return false; }
bool CBaseCtrlManager::OnMouseUp(htmlayout::dom::element&) { return false; }
bool CBaseCtrlManager::OnDrop(htmlayout::dom::element&, UINT) { return false; }
bool CBaseCtrlManager::OnRightMouseUp(htmlayout::dom::element&) { return false; }
bool CBaseCtrlManager::OnMenuItemClick(const CString&) { return false; }
bool CBaseCtrlManager::OnRowDoubleClick(htmlayout::dom::element&) { return false; }

HELEMENT CBaseCtrlManager::SetCurrentElement(htmlayout::dom::element& element) {
    m_currentElement = element;
    return m_currentElement;
}

htmlayout::dom::element CBaseCtrlManager::GetRootElement() const {
    HELEMENT root = nullptr;
    if (!m_pOwner || !m_pOwner->m_hWnd || HTMLayoutGetRootElement(m_pOwner->m_hWnd, &root) != HLDOM_OK) return {};
    return root;
}

htmlayout::dom::element CBaseCtrlManager::GetElementById(const CString& id) const {
    return GetRootElement().find_by_id(id.GetString());
}

CElement* CBaseCtrlManager::GetElementObject(const CString& id) const {
    auto found = m_elements.find(id);
    return found == m_elements.end() ? nullptr : found->second.get();
}

void CBaseCtrlManager::AddElementObject(const CString& id, const std::vector<CString>& subIds) {
    if (!GetElementObject(id)) AdoptElementObject(id, std::make_unique<CElement>(this, id, subIds));
}

void CBaseCtrlManager::AdoptElementObject(const CString& id, std::unique_ptr<CElement> object) {
    m_elements.emplace(id, std::move(object));
}

void CBaseCtrlManager::DeleteElementObjects() { m_elements.clear(); }

bool CBaseCtrlManager::SetElementText(const CString& id, const CString& text) {
    htmlayout::dom::element element = GetElementById(id);
    return element.is_valid() && HTMLayoutSetElementInnerText16(element, text, (UINT)text.GetLength()) == HLDOM_OK;
}

bool CBaseCtrlManager::SetElementAttribute(const CString& id, LPCSTR name, const CString& value) {
    htmlayout::dom::element element = GetElementById(id);
    if (!element.is_valid()) return false;
    HTMLayoutSetAttributeByName(element, name, value);
    HTMLayoutUpdateElement(element, TRUE);
    return true;
}

bool CBaseCtrlManager::SetElementStyle(const CString& id, LPCSTR name, const CString& value) {
    htmlayout::dom::element element = GetElementById(id);
    if (!element.is_valid()) return false;
    HTMLayoutSetStyleAttribute(element, name, value);
    HTMLayoutUpdateElementEx(element, UPDATE_MEASURE);
    return true;
}

CString CBaseCtrlManager::GetElementStyle(const CString& id, LPCSTR name) const {
    htmlayout::dom::element element = GetElementById(id);
    LPCWSTR value = nullptr;
    if (element.is_valid()) HTMLayoutGetStyleAttribute(element, name, &value);
    return value;
}

int CBaseCtrlManager::GetElementIntAttribute(const CString& id, LPCSTR name) const {
    htmlayout::dom::element element = GetElementById(id);
    if (!element.is_valid()) return 0;
    LPCWSTR value = element.get_attribute(name);
    return value ? _wtoi(value) : -1;
}

RECT CBaseCtrlManager::GetElementRect(const CString& id) const {
    return GetElementById(id).location(ROOT_RELATIVE | CONTENT_BOX);
}

htmlayout::dom::element CreateHtmlElement(LPCSTR tagName, const CString& text,
                                          const std::map<CStringA, CString>& attributes) {
    htmlayout::dom::element element =
        htmlayout::dom::element::create(tagName, text.IsEmpty() ? nullptr : text.GetString());
    if (!element.is_valid()) return element;
    for (const auto& attribute : attributes) HTMLayoutSetAttributeByName(element, attribute.first, attribute.second);
    return element;
}
