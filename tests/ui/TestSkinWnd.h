// A skinned window of the main view with a manager that records what reached it.
#pragma once

#include <string>
#include <vector>

#include "ctrl/BaseCtrlManager.h"
#include "window/BaseSkinWnd.h"

class CRecordingCtrlManager : public CBaseSkinWndCtrlManager {
public:
    using CBaseSkinWndCtrlManager::CBaseSkinWndCtrlManager;

    void InitElements() override;
    bool OnButtonClick(const CString& id) override { return Record("click", id); }
    bool OnButtonStateChanged(const CString& id) override { return Record("changed", id); }
    bool OnMenuItemClick(const CString& id) override { return Record("menu", id); }
    bool OnMouseDown(htmlayout::dom::element& element) override { return Record("down", element); }
    bool OnMouseUp(htmlayout::dom::element& element) override { return Record("up", element); }
    bool OnRightMouseUp(htmlayout::dom::element& element) override { return Record("right up", element); }
    bool OnRowDoubleClick(htmlayout::dom::element& element) override { return Record("row", element); }
    bool OnDrop(htmlayout::dom::element& element, UINT index) override;

    std::vector<std::string> log;
    bool answer = true;

private:
    bool Record(const char* what, const CString& id);
    bool Record(const char* what, htmlayout::dom::element& element);
};

class CTestSkinWnd : public CBaseSkinWnd {
public:
    explicit CTestSkinWnd(const CString& templateName = L"testwnd.html") : m_templateName(templateName) {
        SetViewKind(1);
    }
    // The manager without a window, for page preparation alone.
    void MakeManager() { CreateCtrlManager(); }
    CRecordingCtrlManager* Manager() const { return static_cast<CRecordingCtrlManager*>(m_pCtrlManager); }
    // Routes an engine event record as the engine would.
    BOOL Route(UINT group, void* params) { return element_proc(static_cast<htmlayout::event_handler*>(this), nullptr, group, params); }

    int createResult = 0;

protected:
    void CreateCtrlManager() override { m_pCtrlManager = new CRecordingCtrlManager(this); }
    afx_msg int OnCreate(LPCREATESTRUCT cs);

    DECLARE_MESSAGE_MAP()

private:
    CString m_templateName;
};
