#include <functional>

#include "config/UserConfig.h"
#include "element/ElementStates.h"
#include "element/MainPageTest.h"
#include "facade/AppFacade.h"

namespace {

using ElementStatesTest = MainPageTest;

COtherConfig& Other() { return CUserConfig::GetInstance().GetOtherConfig(); }

TEST_F(ElementStatesTest, ModesFollowTheProgramStateOnRefresh) {
    struct Case {
        const char* state;
        std::function<void()> arrange;
        LPCWSTR id;
        LPCWSTR mode;
    };
    auto playState = [](int state) { return [state] { CAppFacade::GetInstance().SetPlayState(state); }; };
    auto mute = [](bool on) { return [on] { Other().Mute = on; }; };
    auto maximised = [](bool on) { return [on] { CUserConfig::GetInstance().GetAllConfig().MaximizeWindow = on; }; };
    auto focus = [this](LPCWSTR id, bool on) {
        return [this, id, on] { Object<CElementFocusState>(id).SetFocused(on); };
    };
    auto nothing = [] {};
    const Case cases[] = {
        {"nothing chosen yet", nothing, L"hide-both", L"normal"},
        {"nothing chosen yet", nothing, L"sequence", L"normal"},
        {"playing", playState(PLAY_STATE_PLAYING), L"play-pause", L"pause"},
        {"paused", playState(PLAY_STATE_PAUSED), L"play-pause", L"play"},
        {"stopped", playState(PLAY_STATE_STOPPED), L"play-pause", L"play"},
        {"no file", playState(PLAY_STATE_NONE), L"play-pause", L"play"},
        {"muted", mute(true), L"btn-speaker", L"mute"},
        {"muted", mute(true), L"slider-volume", L"mute"},
        {"sound on", mute(false), L"btn-speaker", L"sound"},
        {"sound on", mute(false), L"slider-volume", L"sound"},
        {"maximised", maximised(true), L"max", L"restore"},
        {"restored", maximised(false), L"max", L"max"},
        {"view mode chosen", focus(L"hide-right", true), L"hide-right", L"focus"},
        {"view mode given up", focus(L"hide-right", false), L"hide-right", L"normal"},
        {"play order chosen", focus(L"loop", true), L"loop", L"focus"},
    };
    for (const Case& c : cases) {
        c.arrange();
        page.Manager().RefreshElements();
        EXPECT_STREQ(c.mode, Find(c.id).get_attribute("mode")) << c.state << ": " << Utf8(c.id);
    }
}

TEST_F(ElementStatesTest, AppliedStateChangesOnlyItsOwnElement) {
    page.Manager().RefreshElements();
    Other().Mute = true;
    Object<CElementSoundMute>(L"btn-speaker").ApplyState();
    EXPECT_STREQ(L"mute", Find(L"btn-speaker").get_attribute("mode"));
    EXPECT_STREQ(L"sound", Find(L"slider-volume").get_attribute("mode")) << "waits for its own refresh";
}

TEST_F(ElementStatesTest, VolumeSliderShowsTheStoredVolume) {
    Other().Volume = 37;
    Object<CElementVolumeSlider>(L"slider-volume").ShowVolume();
    EXPECT_STREQ(L"37", Find(L"slider-volume").get_attribute("value"));

    CElementVolumeSlider withoutSubIds(&page.Manager(), L"slider-volume", {});
    Other().Volume = 80;
    withoutSubIds.ShowVolume();
    EXPECT_STREQ(L"37", Find(L"slider-volume").get_attribute("value")) << "no sub-element to show it in";
}

}  // namespace
