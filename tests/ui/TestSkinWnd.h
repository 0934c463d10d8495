// A skinned window of the main view with a manager that records what reached it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ctrl/BaseCtrlManager.h"
#include "element/Element.h"
#include "window/BaseSkinWnd.h"

class CRecordingCtrlManager : public CBaseSkinWndCtrlManager {
public:
    // Binds the element objects of a test; without one the manager binds two plain ones.
    using Binder = std::function<void(CRecordingCtrlManager&)>;

    explicit CRecordingCtrlManager(CBaseWnd* owner, Binder bind = nullptr)
        : CBaseSkinWndCtrlManager(owner), m_bind(std::move(bind)) {}

    void InitElements() override;
    void Adopt(const CString& id, std::unique_ptr<CElement> object) { AdoptElementObject(id, std::move(object)); }
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

    Binder m_bind;
};

class CTestSkinWnd : public CBaseSkinWnd {
public:
    explicit CTestSkinWnd(const CString& templateName = L"testwnd.html", CRecordingCtrlManager::Binder bind = nullptr)
        : m_templateName(templateName), m_bind(std::move(bind)) {
        SetViewKind(1);
    }
    // The manager without a window, for page preparation alone.
    void MakeManager() { CreateCtrlManager(); }
    CRecordingCtrlManager* Manager() const { return static_cast<CRecordingCtrlManager*>(m_pCtrlManager); }
    // Routes an engine event record as the engine would.
    BOOL Route(UINT group, void* params) {
        return element_proc(static_cast<htmlayout::event_handler*>(this), nullptr, group, params);
    }

    int createResult = 0;

protected:
    void CreateCtrlManager() override { m_pCtrlManager = new CRecordingCtrlManager(this, m_bind); }
    afx_msg int OnCreate(LPCREATESTRUCT cs);

    DECLARE_MESSAGE_MAP()

private:
    CString m_templateName;
    CRecordingCtrlManager::Binder m_bind;
};
