// The control manager of the main window's page "mainwnd.html": the title-bar
// buttons and drop-down menus, the play controls and volume, the view modes, the play
// order, the play-list tab with its menus, the service tabs, the account panel,
// maximise and full screen. User-interface thread only.
#pragma once

#include <afxwin.h>

#include "ctrl/BaseCtrlManager.h"

class CMainWnd;
class CElementVideoTab;
class IMainDialogView;
struct LOGIN_ACCOUNT;

class CMainWndCtrlManager : public CBaseSkinWndCtrlManager {
public:
    explicit CMainWndCtrlManager(CMainWnd* owner);
    ~CMainWndCtrlManager() override;

    void InitElements() override;
    bool OnButtonClick(const CString& id) override;
    bool OnButtonStateChanged(const CString& id) override;
    bool OnMouseDown(htmlayout::dom::element& element) override;
    bool OnMouseUp(htmlayout::dom::element& element) override;
    bool OnDrop(htmlayout::dom::element& element, UINT index) override;
    bool OnRightMouseUp(htmlayout::dom::element& element) override;

    // 0 for "hide-both", 1 for the others, -1 without a main dialog.
    int SetViewMode(const CString& id);
    void ApplyStoredViewMode();
    void CycleViewMode();
    void SetPlayOrder(const CString& id);
    void RefreshPlayOrder();
    void RefreshPlayState();
    void PlayPause();
    void ToggleMute();
    void SetVolume(int value);
    void VolumeUp();
    void VolumeDown();
    // The volume slider's value, 0..100 (a slider without a value reads 0).
    int GetSliderVolume() const;
    void AddVideos();
    void ToggleMaximize();
    void EnterFullScreen();
    void LeaveFullScreen();
    // In the window's client coordinates. A point on a button of the click table, or
    // inside one, is no drag area: a drag there would swallow the button's click.
    bool IsDragArea(POINT point) const;
    void ShowAccount(const LOGIN_ACCOUNT& account);
    void SetAvatar(const CString& picturePath);
    void SetPointsText(const CString& text);
    void AddCategory(const CString& name, const CString& url);
    CString GetCategoryUrl(HELEMENT element);
    void LogoutClicked();
    // The element object bound to the id applies its state again.
    void ApplyElementState(const CString& id);
    CElementVideoTab* VideoTab() const;

    const RECT& GetFullScreenRect() const { return m_fullScreenRect; }
    const RECT& GetRestoreRect() const { return m_restoreRect; }

private:
    // What a click on the page's button of that id does.
    struct ClickAction {
        const wchar_t* id;
        void (*run)(CMainWndCtrlManager& manager, const CString& id);
    };
    // The click table's action of the id; null when no click of that id is handled.
    static const ClickAction* FindClickAction(const CString& id);

    CMainWnd* MainWnd() const;
    // Opens the service page of the key in the play dialog's browser.
    void OpenServicePage(LPCWSTR key, LPCWSTR defaultPath);
    void ShowDropMenu(const CString& id, UINT menuId);
    void OpenProfilePage();
    void SetFocusedOf(const wchar_t* const* ids, int count, const CString& chosen);
    bool IsFocused(const CString& id) const;

    RECT m_fullScreenRect;
    RECT m_restoreRect;
    CString m_savedDisplay[4];  // "top1", "top2", "left", "right" while full screen
};

// The hooks of the drop-down file menu ("关闭文件" greyed while nothing is open) and of
// a play-list item's menu ("上移" greyed on the first item, "下移" on the last).
void FileMenuHook(CMenu* menu, const CString& unused);
void ItemMenuHook(CMenu* menu, const CString& path);

// The item of the play list that is or holds the element (an element whose class, or
// whose parent's class, is the item's); empty otherwise.
htmlayout::dom::element PlayListItemOf(HELEMENT element);
