#include "element/ElementStates.h"

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "ctrl/BaseCtrlManager.h"
#include "facade/AppFacade.h"

namespace {

CString SoundStateWord() { return CUserConfig::GetInstance().GetOtherConfig().Mute ? L"mute" : L"sound"; }

}  // namespace

CString CElementSoundMute::GetState() { return SoundStateWord(); }

CString CElementVolumeSlider::GetState() { return SoundStateWord(); }

void CElementVolumeSlider::ShowVolume() {
    if (!m_pManager || m_subIds.empty()) return;
    m_pManager->SetElementAttribute(m_subIds.front(), "value",
                                    IntToCString(CUserConfig::GetInstance().GetOtherConfig().Volume));
}

CString CElementPlayPause::GetState() {
    return CAppFacade::GetInstance().GetPlayState() == PLAY_STATE_PLAYING ? L"pause" : L"play";
}

CString CElementMaxRestore::GetState() {
    return CUserConfig::GetInstance().GetAllConfig().MaximizeWindow ? L"restore" : L"max";
}
