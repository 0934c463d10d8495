// An element object binds one element of a window's page, by its id, to program
// state; the plain class serves every element that shows nothing of its own.
#pragma once

#include <afx.h>

#include <vector>

class CBaseCtrlManager;

class CElement {
public:
    // A null manager makes the object do nothing.
    CElement(CBaseCtrlManager* manager, const CString& id, const std::vector<CString>& subIds);
    virtual ~CElement() = default;

    // Redraws the element from the program state.
    virtual void Refresh() {}
    virtual void ApplyState() {}
    virtual CString GetState() { return L"normal"; }

    // The element's "mode" attribute, which the skin's styles select the look by.
    void SetMode(const CString& value);
    // Clears (enable) or sets the element's disabled state, redrawing it.
    void SetEnabled(bool enable);

    const CString& GetId() const { return m_strId; }

protected:
    CBaseCtrlManager* m_pManager;  // not owned
    CString m_strId;
    std::vector<CString> m_subIds;
};
