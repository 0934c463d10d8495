// A child window whose whole client area is an HTML page of the engine. Every message
// goes to the engine first; the page's mouse and behaviour events go to the window's
// control manager, which each concrete window creates in CreateCtrlManager.
// User-interface thread only.
#pragma once

#include <afxwin.h>

#include "htmlayout/event_handler.h"

class CBaseCtrlManager;

class CBaseWnd : public CWnd, public htmlayout::event_handler {
    DECLARE_DYNAMIC(CBaseWnd)
public:
    // Rewrites the 8-bit page text of a template in place.
    typedef void (*PAGE_HOOK)(CStringA& text);

    CBaseWnd();
    // Deletes the manager and the prepared page copy, then destroys the window.
    ~CBaseWnd() override;

    // The skin view of the window (0: none); set by the owner before creation.
    void SetViewKind(int kind) { m_nViewKind = kind; }
    int GetViewKind() const { return m_nViewKind; }
    CBaseCtrlManager* GetCtrlManager() const { return m_pCtrlManager; }
    const CString& GetPagePath() const { return m_strPagePath; }

    // Copies the template beside itself with "ForLoad" before its extension and
    // rewrites the copy after its first 3 bytes (with the hook, else the window's skin
    // placeholders). The copy's path; empty when the window has no manager or the copy
    // cannot be made. A read or write error on the copy throws CFileException*.
    static CString PrepareSkinTemplate(const CString& templatePath, CBaseWnd* window, PAGE_HOOK hook);
    // The engine's notification callback; the tag is the window. Attaches the named
    // behaviours of the page.
    static LRESULT CALLBACK HtmlNotifyCallback(UINT message, WPARAM wParam, LPARAM lParam, LPVOID tag);

protected:
    // Creates the window's own manager and stores it in m_pCtrlManager.
    virtual void CreateCtrlManager() = 0;

    // Installs the notification callback and the window's event handler, prepares the
    // template of the program folder (hook as above) and loads the copy; false when
    // the copy cannot be made.
    bool LoadSkinPage(LPCTSTR templateName, PAGE_HOOK hook);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT cs);

    BOOL handle_mouse(HELEMENT he, MOUSE_PARAMS& params) override;
    BOOL on_event(HELEMENT he, HELEMENT target, UINT eventCode, UINT_PTR reason) override;

    int m_nViewKind = 0;
    CBaseCtrlManager* m_pCtrlManager = nullptr;  // owned
    CString m_strPagePath;                       // the prepared copy, deleted with the window

    DECLARE_MESSAGE_MAP()
};
