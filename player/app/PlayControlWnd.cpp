#include "PlayControlWnd.h"

#include <algorithm>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "element/Element.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "views/MainDialogView.h"
#include "views/MainWindowView.h"
#include "views/PlayDialogView.h"

namespace {

const struct {
    const char* placeholder;
    const char* image;
} kImages[] = {
    {"{$4}", "player-rewindtostart.png"},
    {"{$5}", "player-rewindtostart-hover.png"},
    {"{$6}", "player-rewindtostart-down.png"},
    {"{$7}", "player-play.png"},
    {"{$8}", "player-play-hover.png"},
    {"{$9}", "player-play-down.png"},
    {"{$27}", "player-pause.png"},
    {"{$28}", "player-pause-hover.png"},
    {"{$29}", "player-pause-down.png"},
    {"{$10}", "player-forwardtoend.png"},
    {"{$11}", "player-forwardtoend-hover.png"},
    {"{$12}", "player-forwardtoend-down.png"},
    {"{$19}", "btn-volume.png"},
    {"{$20}", "btn-volume-hover.png"},
    {"{$21}", "btn-volume-down.png"},
    {"{$16}", "btn-mute.png"},
    {"{$17}", "btn-mute-hover.png"},
    {"{$18}", "btn-mute-down.png"},
    {"{$22}", "volume-bar-mute.png"},
    {"{$30}", "btn-speaker.png"},
    {"{$31}", "btn-speaker-hover.png"},
    {"{$32}", "btn-speaker-down.png"},
    {"{$33}", "volume-bar.png"},
    {"{$24}", "player-rewindtostart-unable.png"},
    {"{$25}", "player-play-unable.png"},
    {"{$26}", "player-forwardtoend-unable.png"},
};

const wchar_t* const kElements[] = {L"play-pause", L"slider-volume", L"pre", L"next"};

bool IsMuted() { return CUserConfig::GetInstance().GetOtherConfig().Mute; }

IPlayDialogView* PlayDialog() {
    IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd();
    return main ? main->GetDlgPlay() : nullptr;
}

}  // namespace

void CPlayControlWndCtrlManager::InitElements() {
    for (const wchar_t* id : kElements) AddElementObject(id, {id});
}

void CPlayControlWndCtrlManager::LayoutButtons() {
    if (!m_pOwner || !m_pOwner->GetSafeHwnd()) return;
    RECT client = {};
    ::GetClientRect(m_pOwner->GetSafeHwnd(), &client);
    int half = (client.right - client.left) / 2;
    const struct {
        const wchar_t* id;
        int left;
    } places[] = {{L"play-pause", half - 12},
                  {L"pre", half - 64},
                  {L"next", half + 40},
                  {L"btn-speaker", half + 130},
                  {L"slider-volume", half + 150}};
    for (const auto& place : places) {
        CString left;
        left.Format(L"%dpx", place.left);
        SetElementStyle(place.id, "left", left);
    }
}

void CPlayControlWndCtrlManager::RefreshState() {
    bool playing = CAppFacade::GetInstance().GetPlayState() == PLAY_STATE_PLAYING;
    SetElementAttribute(L"play-pause", "mode", playing ? L"pause" : L"play");
    LPCWSTR sound = IsMuted() ? L"mute" : L"sound";
    SetElementAttribute(L"btn-speaker", "mode", sound);
    SetElementAttribute(L"slider-volume", "mode", sound);
}

void CPlayControlWndCtrlManager::RefreshEnabled() {
    CAppFacade& facade = CAppFacade::GetInstance();
    bool current = !facade.GetCurrentPath().IsEmpty();
    auto setEnabled = [this](const wchar_t* id, bool on) {
        if (CElement* object = GetElementObject(id)) object->SetEnabled(on);
    };
    setEnabled(L"play-pause", current);
    setEnabled(L"slider-volume", current && !IsMuted());
    setEnabled(L"pre", !facade.IsFirstItem());
    setEnabled(L"next", !facade.IsLastItem());
    RefreshState();
}

void CPlayControlWndCtrlManager::SetPlayTimes(const CString& elapsed, const CString& total) {
    SetElementText(L"play-time", elapsed + L" / " + total);
}

void CPlayControlWndCtrlManager::ShowVolume(int volume) {
    SetElementAttribute(L"slider-volume", "value", IntToCString(volume));
}

int CPlayControlWndCtrlManager::GetVolume() const { return std::clamp(GetElementValue(L"slider-volume"), 0, 100); }

void CPlayControlWndCtrlManager::ToggleMute() {
    IMainDialogView* dialog = CAppFacade::GetInstance().GetMainDialog();
    if (!dialog) return;
    if (!IsMuted()) CUserConfig::GetInstance().GetOtherConfig().Volume = (uint16_t)GetVolume();
    CAppFacade::GetInstance().Broadcast(CMD_TOGGLE_MUTE, nullptr);
    if (IMainWindowView* main = dialog->GetMainWindow()) main->RefreshPlayState();
}

bool CPlayControlWndCtrlManager::OnButtonClick(const CString& id) {
    if (id == L"btn-speaker") {
        ToggleMute();
    } else if (id == L"play-pause") {
        CAppFacade::GetInstance().Broadcast(CMD_PLAY_PAUSE, nullptr);
        RefreshState();
    } else if (id == L"pre") {
        CAppFacade::GetInstance().Broadcast(CMD_PLAY_PREV, nullptr);
    } else if (id == L"next") {
        CAppFacade::GetInstance().Broadcast(CMD_PLAY_NEXT, nullptr);
    } else {
        return false;
    }
    return true;
}

bool CPlayControlWndCtrlManager::OnButtonStateChanged(const CString& id) {
    if (id != L"slider-volume") return false;
    if (IPlayDialogView* play = PlayDialog()) play->SetVolume(GetVolume());
    RefreshState();
    return true;
}

IMPLEMENT_DYNAMIC(CPlayControlWnd, CBaseWnd)

BEGIN_MESSAGE_MAP(CPlayControlWnd, CBaseWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

void CPlayControlWnd::CreateCtrlManager() {
    delete m_pCtrlManager;
    m_pCtrlManager = new CPlayControlWndCtrlManager(this);
}

void CPlayControlWnd::ReplacePlaceholders(CStringA& text) {
    CStringA folder(GetDefaultSkinFolder());
    for (const auto& image : kImages) text.Replace(image.placeholder, folder + image.image);
}

int CPlayControlWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CBaseWnd::OnCreate(cs) == -1) return -1;
    // Without its page the bar stays, empty.
    if (!LoadSkinPage(L"playctrlwnd.html", &CPlayControlWnd::ReplacePlaceholders)) return -2;
    CPlayControlWndCtrlManager* manager = GetManager();
    manager->InitElements();
    manager->RefreshState();
    manager->LayoutButtons();
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    int width = client.right - client.left;
    m_playTimeRect = {(int)(width * 0.1), 0, (int)(width * 0.1 + 125), client.bottom};
    return 0;
}
