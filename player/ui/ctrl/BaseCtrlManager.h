// The control manager of an HTML window: element objects bound to element ids of the
// window's page, the page's events routed by the window, and helpers that read and
// change elements by id. Operations by id on a page without that element do nothing
// and report as noted. User-interface thread only.
#pragma once

#include <afx.h>

#include <map>
#include <memory>
#include <vector>

#include "htmlayout/dom.h"

class CBaseWnd;
class CElement;

class CBaseCtrlManager {
public:
    explicit CBaseCtrlManager(CBaseWnd* owner);
    // Drops the current element and deletes the element objects still held.
    virtual ~CBaseCtrlManager();
    CBaseCtrlManager(const CBaseCtrlManager&) = delete;
    CBaseCtrlManager& operator=(const CBaseCtrlManager&) = delete;

    // Creates the window's element objects (the page need not be loaded).
    virtual void InitElements() = 0;
    // Refreshes every element object, in id order.
    virtual void RefreshElements();
    // Event hooks: true when handled.
    virtual bool OnButtonClick(const CString& id);
    virtual bool OnButtonStateChanged(const CString& id);
    virtual bool OnMouseDown(htmlayout::dom::element& element);
    virtual bool OnMouseUp(htmlayout::dom::element& element);
    virtual bool OnDrop(htmlayout::dom::element& element, UINT index);
    virtual bool OnRightMouseUp(htmlayout::dom::element& element);
    virtual bool OnMenuItemClick(const CString& id);
    virtual bool OnRowDoubleClick(htmlayout::dom::element& element);
    // Keeps the element (with a use) as the current one and returns its handle.
    virtual HELEMENT SetCurrentElement(htmlayout::dom::element& element);

    CBaseWnd* GetOwner() const { return m_pOwner; }
    const htmlayout::dom::element& GetCurrentElement() const { return m_currentElement; }

    // Empty without an owner or a page.
    htmlayout::dom::element GetRootElement() const;
    htmlayout::dom::element GetElementById(const CString& id) const;
    CElement* GetElementObject(const CString& id) const;
    // A plain element object for the id; an id already held keeps its object.
    void AddElementObject(const CString& id, const std::vector<CString>& subIds);
    void DeleteElementObjects();

    // False when the element is missing.
    bool SetElementText(const CString& id, const CString& text);
    bool SetElementAttribute(const CString& id, LPCSTR name, const CString& value);
    bool SetElementStyle(const CString& id, LPCSTR name, const CString& value);
    CString GetElementStyle(const CString& id, LPCSTR name) const;
    // The decimal value (0 for text that is no number), -1 without the attribute,
    // 0 without the element.
    int GetElementIntAttribute(const CString& id, LPCSTR name) const;
    int GetElementMax(const CString& id) const { return GetElementIntAttribute(id, "max"); }
    int GetElementMin(const CString& id) const { return GetElementIntAttribute(id, "min"); }
    int GetElementValue(const CString& id) const { return GetElementIntAttribute(id, "value"); }
    // The element's content box relative to the root; all zero without the element.
    RECT GetElementRect(const CString& id) const;

protected:
    // Takes the object over under the id; an id already held keeps its object.
    void AdoptElementObject(const CString& id, std::unique_ptr<CElement> object);

    CBaseWnd* m_pOwner;  // not owned
    std::map<CString, std::unique_ptr<CElement>> m_elements;
    htmlayout::dom::element m_currentElement;
};

// The manager of a window of a skin view.
class CBaseSkinWndCtrlManager : public CBaseCtrlManager {
public:
    using CBaseCtrlManager::CBaseCtrlManager;
};

// A new element outside any page with the text (none when empty) and the attributes
// set in name order; empty when the engine creates nothing.
htmlayout::dom::element CreateHtmlElement(LPCSTR tagName, const CString& text,
                                          const std::map<CStringA, CString>& attributes);
