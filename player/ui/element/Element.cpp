#include "element/Element.h"

#include "ctrl/BaseCtrlManager.h"

CElement::CElement(CBaseCtrlManager* manager, const CString& id, const std::vector<CString>& subIds)
    : m_pManager(manager), m_strId(id), m_subIds(subIds) {}

void CElement::SetMode(const CString& value) {
    if (m_pManager) m_pManager->SetElementAttribute(m_strId, "mode", value);
}

void CElement::SetEnabled(bool enable) {
    if (!m_pManager) return;
    htmlayout::dom::element element = m_pManager->GetElementById(m_strId);
    if (!element.is_valid()) return;
    HTMLayoutSetElementState(element, enable ? 0 : STATE_DISABLED, enable ? STATE_DISABLED : 0, TRUE);
}
