// What the skin file says about the skinned windows: for each skin view the image
// files behind the placeholders of that view's HTML template. The application object
// owns the one instance; user-interface thread only.
#pragma once

#include <afx.h>

#include <map>
#include <string>
#include <vector>

class CBaseCtrlManager;
class CBaseSkinWnd;

class CSkinManager {
public:
    CSkinManager();

    // Reads the skin file; false (and nothing changed) when it does not parse or
    // lacks /root/scheme or a named view.
    bool LoadSkin(const CString& path);

    void RegisterWindow(CBaseSkinWnd* window);
    void UnregisterWindow(CBaseSkinWnd* window);
    const std::vector<CBaseSkinWnd*>& GetWindows() const { return m_windows; }

    // 0 for a name that is no view.
    int GetViewKind(const CString& name) const;
    // The first view name with that kind, empty when none.
    CString GetViewName(int kind) const;

    // Replaces every "{name}" placeholder of the view in the 8-bit page text with the
    // folder (a '\' appended when missing) followed by the mapped image file.
    void ReplacePlaceholders(int viewKind, CString folder, CStringA& text) const;

    // Key: view name + "-" + placeholder name; value: image file relative to the skin folder.
    const std::map<std::wstring, std::wstring>& GetPlaceholders() const { return m_placeholders; }

private:
    std::vector<CBaseSkinWnd*> m_windows;  // not owned, in registration order
    std::map<std::wstring, std::wstring> m_placeholders;
    std::map<std::wstring, int> m_viewKinds;
};

// The application's skin manager, registered by the application object for its whole
// run; null when none is registered.
void SetAppSkinManager(CSkinManager* skin);
CSkinManager* GetAppSkinManager();

// The default page rewriting of CBaseWnd::PrepareSkinTemplate: the placeholders of the
// manager's window's view, with images in the current skin's folder.
void ReplaceSkinPlaceholders(CBaseCtrlManager* manager, CStringA& text);
