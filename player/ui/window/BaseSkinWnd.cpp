#include "window/BaseSkinWnd.h"

#include "ctrl/BaseCtrlManager.h"
#include "skin/SkinManager.h"

IMPLEMENT_DYNAMIC(CBaseSkinWnd, CBaseWnd)

BEGIN_MESSAGE_MAP(CBaseSkinWnd, CBaseWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

int CBaseSkinWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    CreateCtrlManager();
    m_pCtrlManager->InitElements();
    if (CSkinManager* skin = GetAppSkinManager()) skin->RegisterWindow(this);
    return 0;
}

void CBaseSkinWnd::OnDestroy() {
    if (CSkinManager* skin = GetAppSkinManager()) skin->UnregisterWindow(this);
    CWnd::OnDestroy();
}
