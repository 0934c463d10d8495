#include "TestSkinWnd.h"

void CRecordingCtrlManager::InitElements() {
    if (m_bind) {
        m_bind(*this);
        return;
    }
    AddElementObject(L"btn-play", {L"btn-play"});
    AddElementObject(L"caption", {});
}

bool CRecordingCtrlManager::OnDrop(htmlayout::dom::element& element, UINT index) {
    return Record(("drop " + std::to_string(index)).c_str(), element);
}

bool CRecordingCtrlManager::Record(const char* what, const CString& id) {
    log.push_back(std::string(what) + " " + CStringA(id).GetString());
    return answer;
}

bool CRecordingCtrlManager::Record(const char* what, htmlayout::dom::element& element) {
    LPCWSTR id = element.get_attribute("id");
    return Record(what, element.is_valid() ? CString(id ? id : L"(no id)") : CString(L"(empty)"));
}

BEGIN_MESSAGE_MAP(CTestSkinWnd, CBaseSkinWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CTestSkinWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CBaseSkinWnd::OnCreate(cs) == -1) return -1;
    if (!LoadSkinPage(m_templateName, nullptr)) return -2;
    m_pCtrlManager->RefreshElements();
    return 0;
}
