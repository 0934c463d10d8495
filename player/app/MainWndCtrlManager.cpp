#include "MainWndCtrlManager.h"

#include <algorithm>

#include "MainWnd.h"
#include "PageOpener.h"
#include "account/LoginAccount.h"
#include "account/LoginSession.h"
#include "common/CommonHelpers.h"
#include "common/WindowMessages.h"
#include "config/UserConfig.h"
#include "ctrl/ShowSkinMenu.h"
#include "element/ElementStates.h"
#include "element/ElementTimeSlider.h"
#include "element/ElementVideoSubcategory.h"
#include "element/ElementVideoTab.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "playlist/PlayOrder.h"
#include "resource.h"
#include "views/MainDialogView.h"
#include "views/PlayDialogView.h"
#include "web/WebUriGettor.h"

using htmlayout::dom::element;

namespace {

const wchar_t* const kViewModes[] = {L"hide-both", L"hide-right", L"show-both"};
const wchar_t* const kPlayOrders[] = {L"sequence", L"random", L"loop"};
const wchar_t* const kFullScreenHidden[] = {L"top1", L"top2", L"left", L"right"};
const int kLeftPanelWidth = 197;
const int kRightPanelWidth = 234;
const int kDragAreaHeight = 36;
const int kMenuItemWidth = 70;
const wchar_t kItemClass[] = L"right-viedo-list-current-item";
const wchar_t kAccountSite[] = L"http://passport.zemovista.com/";
const wchar_t kPaymentSite[] = L"http://pay.zemovista.com";

IMainDialogView* MainDialog() { return CAppFacade::GetInstance().GetMainDialog(); }

CWnd* MainDialogWindow() {
    IMainDialogView* dialog = MainDialog();
    return dialog ? dialog->AsWindow() : nullptr;
}

bool IsMuted() { return CUserConfig::GetInstance().GetOtherConfig().Mute; }

int IndexOf(const wchar_t* const* ids, int count, const CString& id) {
    for (int i = 0; i < count; ++i)
        if (id == ids[i]) return i;
    return -1;
}

RECT WindowRectOf(CWnd* window) {
    RECT r = {};
    ::GetWindowRect(window->GetSafeHwnd(), &r);
    return r;
}

void MoveOnto(CWnd* window, const RECT& r) {
    ::MoveWindow(window->GetSafeHwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool IsZero(const RECT& r) { return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0; }

bool ClassIs(HELEMENT he, const wchar_t* name) {
    if (!he) return false;
    LPCWSTR cls = element(he).get_attribute("class");
    return cls && wcscmp(cls, name) == 0;
}

POINT CursorPoint() {
    POINT p = {};
    GetCursorPos(&p);
    return p;
}

}  // namespace

void FileMenuHook(CMenu* menu, const CString&) {
    if (CAppFacade::GetInstance().GetPlayState() == PLAY_STATE_NONE)
        menu->EnableMenuItem(ID_FILE_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void ItemMenuHook(CMenu* menu, const CString& path) {
    CAppFacade& facade = CAppFacade::GetInstance();
    if (path.CompareNoCase(facade.GetFirstItemPath()) == 0) menu->EnableMenuItem(ID_ITEM_UP, MF_BYCOMMAND | MF_GRAYED);
    if (path.CompareNoCase(facade.GetLastItemPath()) == 0)
        menu->EnableMenuItem(ID_ITEM_DOWN, MF_BYCOMMAND | MF_GRAYED);
}

element PlayListItemOf(HELEMENT he) {
    if (!he) return element();
    element target(htmlayout::dom::target_element(he));
    if (ClassIs(target, kItemClass)) return target;
    element parent(target.parent());
    if (ClassIs(parent, kItemClass)) return parent;
    return element();
}

CMainWndCtrlManager::CMainWndCtrlManager(CMainWnd* owner)
    : CBaseSkinWndCtrlManager(owner), m_fullScreenRect(), m_restoreRect() {}

CMainWndCtrlManager::~CMainWndCtrlManager() { DeleteElementObjects(); }

CMainWnd* CMainWndCtrlManager::MainWnd() const { return static_cast<CMainWnd*>(m_pOwner); }

void CMainWndCtrlManager::InitElements() {
    auto plain = [this](std::initializer_list<const wchar_t*> ids) {
        for (const wchar_t* id : ids) AddElementObject(id, {id});
    };
    auto adopt = [this](const wchar_t* id, std::unique_ptr<CElement> object) {
        AdoptElementObject(id, std::move(object));
    };
    auto bind = [this](const wchar_t* id) { return std::vector<CString>{id}; };
    plain({L"bg", L"logo", L"change-skin", L"min"});
    adopt(L"max", std::make_unique<CElementMaxRestore>(this, L"max", bind(L"max")));
    plain({L"close", L"menu-file", L"menu-option", L"menu-help", L"pre"});
    adopt(L"play-pause", std::make_unique<CElementPlayPause>(this, L"play-pause", bind(L"play-pause")));
    plain({L"next", L"play-control-bg"});
    adopt(L"btn-speaker", std::make_unique<CElementSoundMute>(this, L"btn-speaker", bind(L"btn-speaker")));
    for (const wchar_t* id : kViewModes) adopt(id, std::make_unique<CElementViewState>(this, id, bind(id)));
    plain({L"account-bg", L"login", L"register", L"download-manage-bg", L"video-library-bg", L"ad-bg"});
    adopt(L"slider-volume", std::make_unique<CElementVolumeSlider>(this, L"slider-volume", bind(L"slider-volume")));
    plain({L"time-left", L"time-right"});
    adopt(L"slider-time", std::make_unique<CElementTimeSlider>(this, L"slider-time", bind(L"slider-time")));
    plain({L"subscribe-icon", L"video-title", L"video-icon"});
    adopt(L"video-subcategory",
          std::make_unique<CElementVideoSubcategory>(this, L"video-subcategory", bind(L"video-subcategory")));
    plain({L"charge-icon", L"free-icon", L"ranking-list", L"show-progress-bg"});
    adopt(L"video-tab", std::make_unique<CElementVideoTab>(this, L"video-tab", bind(L"video-tab")));
    plain({L"add-video", L"reorder", L"clear-list", L"logout", L"login-icon2"});
    for (const wchar_t* id : kPlayOrders) adopt(id, std::make_unique<CElementPlayOrder>(this, id, bind(id)));
}

CElementVideoTab* CMainWndCtrlManager::VideoTab() const {
    return static_cast<CElementVideoTab*>(GetElementObject(L"video-tab"));
}

void CMainWndCtrlManager::ApplyElementState(const CString& id) {
    if (CElement* object = GetElementObject(id)) object->ApplyState();
}

const CMainWndCtrlManager::ClickAction* CMainWndCtrlManager::FindClickAction(const CString& id) {
    using Manager = CMainWndCtrlManager;
    const auto viewMode = [](Manager& m, const CString& mode) { m.SetViewMode(mode); };
    const auto playOrder = [](Manager& m, const CString& order) { m.SetPlayOrder(order); };
    const auto profile = [](Manager& m, const CString&) { m.OpenProfilePage(); };
    static const ClickAction kActions[] = {
        {L"change-skin",
         [](Manager& m, const CString&) {
             CMainWnd* wnd = m.MainWnd();
             if (IPlayDialogView* play = wnd->GetDlgPlay()) ::SetFocus(play->AsWindow()->GetSafeHwnd());
             ::MessageBoxW(wnd->GetSafeHwnd(), L"换肤功能暂未实现！", L"Zemovista", MB_OK);
         }},
        {L"min",
         [](Manager&, const CString&) {
             if (IMainDialogView* dialog = MainDialog()) dialog->MinimizeToTray();
         }},
        {L"max", [](Manager& m, const CString&) { m.ToggleMaximize(); }},
        {L"close",
         [](Manager&, const CString&) {
             if (CWnd* window = MainDialogWindow()) ::PostMessageW(window->GetSafeHwnd(), WM_CLOSE, 0, 0);
         }},
        {L"play-pause", [](Manager& m, const CString&) { m.PlayPause(); }},
        {L"btn-speaker", [](Manager& m, const CString&) { m.ToggleMute(); }},
        {L"option", [](Manager& m, const CString&) { m.MainWnd()->ShowSettingsDialog(); }},
        {L"hide-both", viewMode},
        {L"hide-right", viewMode},
        {L"show-both", viewMode},
        {L"login", [](Manager& m, const CString&) { m.MainWnd()->ShowLoginDialog(CString()); }},
        {L"add-video", [](Manager& m, const CString&) { m.AddVideos(); }},
        {L"reorder",
         [](Manager& m, const CString&) {
             if (CElementVideoTab* tab = m.VideoTab()) tab->SortItems();
         }},
        {L"clear-list",
         [](Manager& m, const CString&) {
             if (CElementVideoTab* tab = m.VideoTab()) tab->RemoveAllItems(true);
         }},
        {L"next", [](Manager&, const CString&) { CAppFacade::GetInstance().Broadcast(CMD_PLAY_NEXT, nullptr); }},
        {L"pre", [](Manager&, const CString&) { CAppFacade::GetInstance().Broadcast(CMD_PLAY_PREV, nullptr); }},
        {L"register",
         [](Manager&, const CString&) { OpenPage(nullptr, CString(kAccountSite) + L"?controller=register"); }},
        {L"logout", [](Manager& m, const CString&) { m.LogoutClicked(); }},
        {L"head-portrait", profile},
        {L"account-info", profile},
        {L"help", [](Manager& m, const CString& menu) { m.ShowDropMenu(menu, IDR_MENU_HELP); }},
        {L"file", [](Manager& m, const CString& menu) { m.ShowDropMenu(menu, IDR_MENU_FILE); }},
        {L"sequence", playOrder},
        {L"random", playOrder},
        {L"loop", playOrder},
        {L"recharge",
         [](Manager&, const CString&) {
             OpenPage(kInternetExplorer, CString(kPaymentSite) + L"/sjpay/pay/Index.aspx");
         }},
    };
    for (const ClickAction& action : kActions)
        if (id == action.id) return &action;
    return nullptr;
}

bool CMainWndCtrlManager::OnButtonClick(const CString& id) {
    const ClickAction* action = FindClickAction(id);
    if (!action) return false;
    action->run(*this, id);
    return true;
}

void CMainWndCtrlManager::ShowDropMenu(const CString& id, UINT menuId) {
    element button = GetElementById(id);
    if (!button.is_valid()) return;
    RECT box = button.location(ROOT_RELATIVE | BORDER_BOX);
    POINT corner = {box.left - 2, box.bottom + 2};
    ::ClientToScreen(m_pOwner->GetSafeHwnd(), &corner);
    ShowSkinMenu(this, menuId, kMenuItemWidth, corner, menuId == IDR_MENU_FILE ? &FileMenuHook : nullptr, CString());
}

void CMainWndCtrlManager::OpenProfilePage() {
    CString url = CWebUriGettor::GetUri(L"zemo_login", L"/", true, L"", L"") +
                  L"?controller=member_userinfo&action=myprofile";
    if (CLoginSession* session = MainWnd()->GetLoginSession()) url = session->GetWebLoginUrl(url);
    OpenPage(kInternetExplorer, url);
}

void CMainWndCtrlManager::OpenServicePage(LPCWSTR key, LPCWSTR defaultPath) {
    CString url = CWebUriGettor::GetUri(key, defaultPath, true, L"", L"");
    IPlayDialogView* play = MainWnd()->GetDlgPlay();
    if (!url.IsEmpty() && play) play->ShowWebView(url, true);
}

bool CMainWndCtrlManager::OnMouseDown(element& target) {
    element el(htmlayout::dom::target_element(target));
    if (!el.is_valid()) return false;
    CString id = el.get_attribute("id");
    CMainWnd* wnd = MainWnd();
    if (id == L"video-text") {
        wnd->OpenTabPage(1);
    } else if (id == L"ranking-list-text") {
        OpenServicePage(L"rank_get", L"/Rank.aspx");
    } else if (id == L"subscribe-text") {
        OpenServicePage(L"subscribe_get", L"/Subscribe.aspx");
    } else if (id == L"free-text") {
        OpenServicePage(L"index_get", L"/index.aspx");
    } else if (id == L"charge-text") {
        OpenServicePage(L"vip_get", L"/Vip.aspx");
    } else if (id == L"download-manage-text") {
        wnd->ShowDownloads();
    } else {
        element parent(el.parent());
        CElementVideoTab* tab = VideoTab();
        if (ClassIs(parent, L"right-normal-item-text")) {
            if (tab) tab->ShowNewestItemDetails(L"tab-newest-video", el);
        } else if (ClassIs(parent, L"video-list")) {
            wnd->OpenCategoryPage(el);
        } else if (ClassIs(parent, L"right-current-item-text")) {
            if (tab) tab->OpenCurrentNewestItem();
        } else {
            return false;
        }
    }
    return true;
}

bool CMainWndCtrlManager::OnMouseUp(element& target) {
    element item = PlayListItemOf(target);
    CElementVideoTab* tab = VideoTab();
    if (!item.is_valid() || !tab) return false;
    SetCurrentElement(item);
    if (CUserConfig::GetInstance().GetOtherConfig().PlayOrder == PLAY_ORDER_RANDOM)
        CAppFacade::GetInstance().ResetRandomPool(true);
    tab->PlayItem(item);
    return true;
}

bool CMainWndCtrlManager::OnRightMouseUp(element& target) {
    element el(htmlayout::dom::target_element(target));
    LPCWSTR id = el.is_valid() ? el.get_attribute("id") : nullptr;
    if (id && wcscmp(id, L"tab-video-list") == 0) {
        ShowSkinMenu(this, IDR_MENU_PLAYLIST, kMenuItemWidth, CursorPoint(), nullptr, CString());
        return true;
    }
    element item = PlayListItemOf(target);
    if (!item.is_valid()) return false;
    SetCurrentElement(item);
    LPCWSTR path = item.get_attribute("path");
    ShowSkinMenu(this, IDR_MENU_PLAYLIST_ITEM, kMenuItemWidth, CursorPoint(), &ItemMenuHook,
                 path ? CString(path) : CString());
    return true;
}

bool CMainWndCtrlManager::OnDrop(element& target, UINT index) {
    element item = PlayListItemOf(target);
    if (!item.is_valid()) return false;
    LPCWSTR path = item.get_attribute("path");
    if (path) CAppFacade::GetInstance().MoveItem(path, (int)index);
    return true;
}

bool CMainWndCtrlManager::OnButtonStateChanged(const CString& id) {
    if (id == L"slider-volume") {
        IPlayDialogView* play = MainWnd()->GetDlgPlay();
        if (play) play->SetVolume(GetSliderVolume());
        return true;
    }
    if (id == L"slider-time") {
        if (auto* slider = static_cast<CElementTimeSlider*>(GetElementObject(L"slider-time")))
            slider->UpdateProgress();
        return true;
    }
    return false;
}

int CMainWndCtrlManager::GetSliderVolume() const {
    return std::clamp(GetElementValue(L"slider-volume"), 0, 100);
}

bool CMainWndCtrlManager::IsFocused(const CString& id) const {
    auto* object = dynamic_cast<CElementFocusState*>(GetElementObject(id));
    return object && object->IsFocused();
}

void CMainWndCtrlManager::SetFocusedOf(const wchar_t* const* ids, int count, const CString& chosen) {
    for (int i = 0; i < count; ++i) {
        auto* object = dynamic_cast<CElementFocusState*>(GetElementObject(ids[i]));
        if (!object) continue;
        object->SetFocused(chosen == ids[i]);
        object->ApplyState();
    }
}

int CMainWndCtrlManager::SetViewMode(const CString& id) {
    if (IsFocused(id)) return 1;
    SetFocusedOf(kViewModes, 3, id);
    int mode = IndexOf(kViewModes, 3, id);
    CWnd* dialog = MainDialogWindow();
    IPlayDialogView* play = MainWnd()->GetDlgPlay();
    int result = 1;
    if (CUserConfig::GetInstance().GetAllConfig().MaximizeWindow) {
        if (mode < 0) return 1;
        SetElementStyle(L"left", "display", mode == 0 ? L"none" : L"block");
        SetElementStyle(L"right", "display", mode == 2 ? L"block" : L"none");
        if (dialog) {
            RECT r = WindowRectOf(dialog);
            ::MoveWindow(dialog->GetSafeHwnd(), r.left, r.top, r.right - r.left + 1, r.bottom - r.top, TRUE);
            MoveOnto(dialog, r);
        }
        if (play) play->SetViewModeFromId(id);
        result = mode == 0 ? 0 : 1;
    } else {
        if (!dialog) return -1;
        if (mode < 0) return 1;
        bool leftShown = GetElementStyle(L"left", "display") != L"none";
        bool rightShown = GetElementStyle(L"right", "display") != L"none";
        int change = 0;
        if (mode == 0) {
            change = (leftShown ? kLeftPanelWidth : 0) + (rightShown ? kRightPanelWidth : 0);
        } else if (mode == 1) {
            change = (leftShown ? 0 : -kLeftPanelWidth) + (rightShown ? kRightPanelWidth : 0);
        } else {
            change = (leftShown ? 0 : -kLeftPanelWidth) - (rightShown ? 0 : kRightPanelWidth);
        }
        SetElementStyle(L"left", "display", mode == 0 ? L"none" : L"block");
        SetElementStyle(L"right", "display", mode == 2 ? L"block" : L"none");
        if (play) play->SetViewModeFromId(id);
        MoveOnto(dialog, ResizeKeepingCentre(WindowRectOf(dialog), change));
        result = mode == 0 ? 0 : 1;
    }
    ::PostMessageW(m_pOwner->GetSafeHwnd(), WM_SHOW_LEFT_PANEL, (WPARAM)result, 0);
    CUserConfig::GetInstance().GetAllConfig().WindowShowType = mode;
    return result;
}

void CMainWndCtrlManager::ApplyStoredViewMode() {
    int type = CUserConfig::GetInstance().GetAllConfig().WindowShowType;
    if (type < 0 || type > 2) return;
    SetViewMode(kViewModes[type]);
    SetFocusedOf(kViewModes, 3, kViewModes[type]);
}

void CMainWndCtrlManager::CycleViewMode() {
    for (int i = 0; i < 3; ++i)
        if (IsFocused(kViewModes[i])) {
            SetViewMode(kViewModes[(i + 1) % 3]);
            return;
        }
}

void CMainWndCtrlManager::SetPlayOrder(const CString& id) {
    int order = IndexOf(kPlayOrders, 3, id);
    if (order < 0 || IsFocused(id)) return;
    SetFocusedOf(kPlayOrders, 3, id);
    CAppFacade::GetInstance().Broadcast(CMD_SET_PLAY_ORDER, &order);
}

void CMainWndCtrlManager::RefreshPlayOrder() {
    int order = CUserConfig::GetInstance().GetOtherConfig().PlayOrder;
    if (order >= 0 && order <= 2) SetPlayOrder(kPlayOrders[order]);
}

void CMainWndCtrlManager::RefreshPlayState() {
    CAppFacade& facade = CAppFacade::GetInstance();
    int state = facade.GetPlayState();
    bool enabled = (state == PLAY_STATE_PAUSED || state == PLAY_STATE_PLAYING) && !facade.GetCurrentPath().IsEmpty();
    auto setEnabled = [this](const wchar_t* id, bool on) {
        if (CElement* object = GetElementObject(id)) object->SetEnabled(on);
    };
    setEnabled(L"play-pause", enabled);
    setEnabled(L"btn-speaker", enabled);
    if (IMainDialogView* dialog = MainDialog()) dialog->EnableSeekBar(enabled);
    setEnabled(L"slider-volume", enabled && !IsMuted());
    setEnabled(L"pre", enabled && !facade.IsFirstItem());
    setEnabled(L"next", enabled && !facade.IsLastItem());
}

void CMainWndCtrlManager::PlayPause() {
    if (CAppFacade::GetInstance().GetCurrentPath().IsEmpty()) return;
    CAppFacade::GetInstance().Broadcast(CMD_PLAY_PAUSE, nullptr);
    ApplyElementState(L"play-pause");
}

void CMainWndCtrlManager::ToggleMute() {
    if (!IsMuted()) CUserConfig::GetInstance().GetOtherConfig().Volume = (uint16_t)GetSliderVolume();
    CAppFacade::GetInstance().Broadcast(CMD_TOGGLE_MUTE, nullptr);
    MainWnd()->RefreshPlayState();
    ApplyElementState(L"btn-speaker");
    ApplyElementState(L"slider-volume");
}

void CMainWndCtrlManager::SetVolume(int value) {
    if (IsMuted() || value < 0 || value > 100) return;
    if (IPlayDialogView* play = MainWnd()->GetDlgPlay()) play->SetVolume(value);
    if (CAppFacade::GetInstance().IsFullScreen()) {
        if (IMainDialogView* dialog = MainDialog()) dialog->ShowControlBarVolume(value);
    } else {
        SetElementAttribute(L"slider-volume", "value", IntToCString(value));
    }
}

void CMainWndCtrlManager::VolumeUp() {
    if (!IsMuted()) SetVolume(GetSliderVolume() + 1);
}

void CMainWndCtrlManager::VolumeDown() {
    if (!IsMuted()) SetVolume(GetSliderVolume() - 1);
}

void CMainWndCtrlManager::AddVideos() {
    CMainWnd* wnd = MainWnd();
    CElementVideoTab* tab = VideoTab();
    for (const CString& path : wnd->ShowOpenFileDialog()) {
        CString title = CAppFacade::GetInstance().GetDisplayTitle(path);
        if (tab) tab->AddItemAndShowList(path, title, false);
    }
    wnd->RefreshPlayState();
    int state = CAppFacade::GetInstance().GetPlayState();
    if (tab && (state == PLAY_STATE_PAUSED || state == PLAY_STATE_PLAYING))
        tab->MarkPlayingByPath(CAppFacade::GetInstance().GetCurrentPath());
}

void CMainWndCtrlManager::ToggleMaximize() {
    CWnd* dialog = MainDialogWindow();
    if (!dialog) return;
    CAllConfig& config = CUserConfig::GetInstance().GetAllConfig();
    if (config.MaximizeWindow) {
        if (IsZero(m_restoreRect)) m_restoreRect = GetDefaultMainWindowRect();
        MoveOnto(dialog, m_restoreRect);
        m_restoreRect = RECT();
    } else {
        m_restoreRect = WindowRectOf(dialog);
        MoveOnto(dialog, WorkArea());
    }
    config.MaximizeWindow = !config.MaximizeWindow;
    ApplyElementState(L"max");
}

void CMainWndCtrlManager::EnterFullScreen() {
    CWnd* dialog = MainDialogWindow();
    if (!dialog) return;
    m_fullScreenRect = WindowRectOf(dialog);
    for (int i = 0; i < 4; ++i) {
        m_savedDisplay[i] = GetElementStyle(kFullScreenHidden[i], "display");
        SetElementStyle(kFullScreenHidden[i], "display", L"none");
    }
    SetElementStyle(L"bottom", "margin-left", L"0px");
    SetElementStyle(L"bottom", "margin-right", L"0px");
    ::SetWindowPos(dialog->GetSafeHwnd(), nullptr, -5, -36, GetSystemMetrics(SM_CXSCREEN) + 11,
                   GetSystemMetrics(SM_CYSCREEN) + 36, SWP_SHOWWINDOW | SWP_NOZORDER);
    ::SetFocus(m_pOwner->GetSafeHwnd());
    if (IPlayDialogView* play = MainWnd()->GetDlgPlay()) {
        int progress = 0;
        CString elapsed, total;
        play->GetPlayTimes(progress, elapsed, total);
        MainDialog()->ShowControlBarTimes(progress, elapsed, total);
    }
}

void CMainWndCtrlManager::LeaveFullScreen() {
    IMainDialogView* view = MainDialog();
    CWnd* dialog = MainDialogWindow();
    if (!dialog) return;
    ::ShowWindow(dialog->GetSafeHwnd(), SW_HIDE);
    view->HideControlBar();
    for (int i = 0; i < 4; ++i) {
        SetElementStyle(kFullScreenHidden[i], "display", m_savedDisplay[i]);
        m_savedDisplay[i].Empty();
    }
    SetElementStyle(L"bottom", "margin-left", L"5px");
    SetElementStyle(L"bottom", "margin-right", L"5px");
    MoveOnto(dialog, m_fullScreenRect);
    m_fullScreenRect = RECT();
    if (IPlayDialogView* play = MainWnd()->GetDlgPlay()) {
        int progress = 0;
        CString elapsed, total;
        play->GetPlayTimes(progress, elapsed, total);
        view->SetSeekElapsed(elapsed);
        view->SetSeekTotal(total);
        view->SetSeekPosition(progress, false);
    }
    ::ShowWindow(dialog->GetSafeHwnd(), SW_SHOW);
    if (auto* slider = static_cast<CElementVolumeSlider*>(GetElementObject(L"slider-volume"))) slider->ShowVolume();
    ApplyElementState(L"play-pause");
    ApplyElementState(L"btn-speaker");
    ApplyElementState(L"slider-volume");
}

bool CMainWndCtrlManager::IsDragArea(POINT point) const {
    if (CAppFacade::GetInstance().IsFullScreen() || point.y < 0 || point.y >= kDragAreaHeight) return false;
    HELEMENT found = nullptr;
    if (HTMLayoutFindElement(m_pOwner->GetSafeHwnd(), point, &found) != HLDOM_OK || !found) return false;
    element target(htmlayout::dom::target_element(found));
    LPCWSTR id = target.get_attribute("id");
    if (!id || !*id) return false;
    for (element el = target; el.is_valid(); el = el.parent())
        if (FindClickAction(el.get_attribute("id"))) return false;
    return true;
}

void CMainWndCtrlManager::ShowAccount(const LOGIN_ACCOUNT& account) {
    bool name = SetElementText(L"user-name", account.NickName);
    bool points = SetElementText(L"login-info1", IntToCString(account.Points));
    bool gold = SetElementText(L"login-info2", IntToCString(account.Gold));
    if (name && points && gold) {
        SetElementStyle(L"unlogin", "display", L"none");
        SetElementStyle(L"login-successful", "display", L"block");
    }
}

void CMainWndCtrlManager::SetAvatar(const CString& picturePath) {
    SetElementAttribute(L"head-portrait", "style", L"background-image: url(" + picturePath + L");");
}

void CMainWndCtrlManager::SetPointsText(const CString& text) { SetElementText(L"login-info1", text); }

void CMainWndCtrlManager::AddCategory(const CString& name, const CString& url) {
    if (auto* list = static_cast<CElementVideoSubcategory*>(GetElementObject(L"video-subcategory")))
        list->AddItem(name, url);
}

CString CMainWndCtrlManager::GetCategoryUrl(HELEMENT he) {
    auto* list = static_cast<CElementVideoSubcategory*>(GetElementObject(L"video-subcategory"));
    return list ? list->SelectItem(he) : CString();
}

void CMainWndCtrlManager::LogoutClicked() {
    if (!MainWnd()->Logout()) return;
    SetElementStyle(L"unlogin", "display", L"block");
    SetElementStyle(L"login-successful", "display", L"none");
    SetElementAttribute(L"head-portrait", "style", L"");
    SetElementText(L"user-name", L"");
    SetElementText(L"login-info1", L"");
    SetElementText(L"login-info2", L"");
}
