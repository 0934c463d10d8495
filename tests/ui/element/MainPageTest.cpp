#include "element/MainPageTest.h"

#include <memory>

#include "common/CommonHelpers.h"
#include "config/UserConfig.h"
#include "element/ElementStates.h"
#include "element/ElementTimeSlider.h"
#include "element/ElementVideoSubcategory.h"
#include "element/ElementVideoTab.h"
#include "facade/AppFacade.h"
#include "facade/BaseControl.h"
#include "facade/CommandCodes.h"

namespace {

constexpr int kRecorderId = 601;
std::vector<std::string> g_broadcasts;

class BroadcastRecorder : public CBaseControl {
public:
    BroadcastRecorder() : CBaseControl(nullptr, nullptr) {}
    int Execute(int code, void* data) override {
        auto flag = [data] { return data ? (*static_cast<bool*>(data) ? " true" : " false") : " null"; };
        switch (code) {
            case CMD_GET_FILE_TITLE:
                *static_cast<CString*>(data) = GetFileTitleFromPath(*static_cast<CString*>(data));
                break;
            case CMD_PLAY_FILE:
                g_broadcasts.push_back("play file " + Utf8(*static_cast<CString*>(data)));
                break;
            case CMD_CLEAR_PLAY_LIST:
                g_broadcasts.push_back(std::string("clear play list") + flag());
                break;
            case CMD_PLAY_NEXT:
                g_broadcasts.push_back(std::string("play next") + flag());
                break;
            default:
                g_broadcasts.push_back("code " + std::to_string(code));
                break;
        }
        return 0;
    }
};

template <class T>
void BindObject(CRecordingCtrlManager& manager, LPCWSTR id) {
    manager.Adopt(id, std::make_unique<T>(&manager, id, std::vector<CString>{id}));
}

}  // namespace

std::string Utf8(LPCWSTR text) {
    std::string out;
    WideToUtf8(text ? text : L"", true, out);
    return out;
}

std::vector<std::string>& MainPageTest::Broadcasts() { return g_broadcasts; }

std::vector<htmlayout::dom::element> MainPageTest::ListItems(LPCWSTR listId) {
    std::vector<htmlayout::dom::element> items;
    Find(listId).select_all(items, ":root > li");
    return items;
}

void MainPageTest::Bind(CRecordingCtrlManager& manager) {
    BindObject<CElementMaxRestore>(manager, L"max");
    BindObject<CElementPlayPause>(manager, L"play-pause");
    BindObject<CElementSoundMute>(manager, L"btn-speaker");
    for (LPCWSTR id : {L"hide-both", L"hide-right", L"show-both"}) BindObject<CElementViewState>(manager, id);
    BindObject<CElementVolumeSlider>(manager, L"slider-volume");
    BindObject<CElementTimeSlider>(manager, L"slider-time");
    BindObject<CElementVideoSubcategory>(manager, L"video-subcategory");
    BindObject<CElementVideoTab>(manager, L"video-tab");
    for (LPCWSTR id : {L"sequence", L"random", L"loop"}) BindObject<CElementPlayOrder>(manager, id);
}

void MainPageTest::SetUp() {
    static bool registered = CAppFacade::GetInstance().RegisterControl(kRecorderId, new BroadcastRecorder);
    ASSERT_TRUE(registered);
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.ClearPlayList(false);
    facade.SetCurrentPath(CString());
    facade.SetPlayState(PLAY_STATE_NONE);
    CUserConfig::GetInstance().GetOtherConfig().Reset();
    CUserConfig::GetInstance().GetAllConfig().Reset();
    Broadcasts().clear();
    ASSERT_TRUE(page.Open());
    windows.mainWnd.m_hWnd = page.Window().m_hWnd;
    windows.calls.clear();
}

void MainPageTest::TearDown() {
    windows.mainWnd.m_hWnd = nullptr;
    CAppFacade::GetInstance().ClearPlayList(false);
}
