#include "PlayDialogFixture.h"

#include <afxapp.h>

#include "DcPixels.h"
#include "TestModules.h"
#include "common/CommonHelpers.h"
#include "facade/AppFacade.h"
#include "facade/CommandCodes.h"
#include "images/PngFile.h"

namespace {

std::vector<RecordedBroadcast>* g_recording = nullptr;

class BroadcastRecorder : public CBaseControl {
public:
    BroadcastRecorder() : CBaseControl(nullptr, nullptr) {}
    int Execute(int code, void* data) override {
        if (!g_recording) return 0;
        CString path;
        if ((code == CMD_PLAY_FILE || code == CMD_GET_FILE_TITLE) && data) path = *(CString*)data;
        g_recording->push_back({code, path});
        if (code == CMD_CLOSE_FILE) {
            if (IMainWindowView* main = CAppFacade::GetInstance().GetMainWnd()) main->CloseVideo();
        }
        return 0;
    }
};

void RegisterRecorder() {
    static const bool registered = CAppFacade::GetInstance().RegisterControl(900, new BroadcastRecorder);
    (void)registered;
}

std::wstring ArtifactsFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    folder += L"artifacts\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

void PlaceWindow(CWnd& window, int x, int y, int width, int height) {
    ::SetWindowPos(window.GetSafeHwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TestPlayHost::CloseVideo() {
    calls.push_back("CloseVideo");
    CAppFacade& facade = CAppFacade::GetInstance();
    if (play) {
        play->ShowVideoArea(false);
        play->Stop();
        play->SeekToProgress(0);
    }
    facade.SetPlayState(PLAY_STATE_NONE);
    facade.SetCurrentPath(L"");
}

void TestPlayHost::ToggleFullScreen() {
    calls.push_back("ToggleFullScreen");
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetFullScreen(!facade.IsFullScreen());
    if (play) play->UpdateCursorTimer();
}

void TestPlayHost::AddPlayListItem(const CString& path, const CString& title, bool) {
    std::string utf8;
    WideToUtf8(path, true, utf8);
    calls.push_back("AddPlayListItem " + utf8);
}

void TestPlayHost::OnPlayStarted() {
    calls.push_back("OnPlayStarted");
    if (play) play->ShowVideoArea(true);
}

void TestPlayHost::OnPlayStopped() {
    calls.push_back("OnPlayStopped");
    CAppFacade::GetInstance().Broadcast(CMD_CLOSE_FILE, nullptr);
}

void TestPlayHost::SetViewMode(const char* id) {
    calls.push_back(std::string("SetViewMode ") + id);
    if (play) play->SetViewModeFromId(CString(id));
}

void PlayDialogTest::SetUp() {
    m_com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput gdiplus;
    Gdiplus::GdiplusStartup(&m_gdiplus, &gdiplus, nullptr);
    ASSERT_TRUE(RegisterTestModules());
    m_settings.Playback().Mute = false;
    m_settings.Playback().Volume = 100;
    RegisterRecorder();
    g_recording = &broadcasts;
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetPlayState(PLAY_STATE_NONE);
    facade.SetFullScreen(false);
    facade.SetCurrentPath(L"");

    host.play = &play;
    host.bar = &bar;
    mainDialog.host = &host;
    ASSERT_TRUE(mainDialog.CreateEx(0, nullptr, L"main", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    CRect(40, 40, 760, 640), nullptr, 0));
    facade.SetMainDialog(&mainDialog);
    AfxGetApp()->m_pMainWnd = &mainDialog;
    ASSERT_TRUE(bar.Create(&mainDialog));
    ASSERT_TRUE(play.Create(&mainDialog));
    PlaceWindow(play, 50, 50, 640, 480);
    play.ShowWindow(SW_SHOWNOACTIVATE);
    Pump(50);
}

void PlayDialogTest::TearDown() {
    play.DestroyWindow();
    bar.DestroyWindow();
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.SetMainDialog(nullptr);
    AfxGetApp()->m_pMainWnd = nullptr;
    mainDialog.DestroyWindow();
    facade.SetPlayState(PLAY_STATE_NONE);
    facade.SetFullScreen(false);
    facade.SetCurrentPath(L"");
    g_recording = nullptr;
    if (m_gdiplus) Gdiplus::GdiplusShutdown(m_gdiplus);
    if (SUCCEEDED(m_com)) CoUninitialize();
}

void PlayDialogTest::Pump(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (AfxWalkPreTranslateMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool PlayDialogTest::PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Pump(20);
    }
    return true;
}

void PlayDialogTest::Open(const char* media) {
    CString path = MediaFile(media).c_str();
    CAppFacade& facade = CAppFacade::GetInstance();
    facade.AddItem(path);
    facade.SetCurrentPath(path);
    ASSERT_EQ(play.OpenFile(path), 0);
    ASSERT_EQ(PlayState(), PLAY_STATE_PLAYING);
    ASSERT_TRUE(PumpUntil(
        [&] {
            OAFilterState state = State_Stopped;
            IMediaControl* control = nullptr;
            if (!play.GetGraph() || FAILED(play.GetGraph()->QueryInterface(IID_IMediaControl, (void**)&control)))
                return false;
            HRESULT hr = control->GetState(0, &state);
            control->Release();
            return hr == S_OK && state == State_Running;
        },
        5000));
}

bool PlayDialogTest::Broadcasted(int code) const {
    for (const RecordedBroadcast& b : broadcasts)
        if (b.code == code) return true;
    return false;
}

int PlayDialogTest::PlayState() const { return CAppFacade::GetInstance().GetPlayState(); }

long PlayDialogTest::AudioLevel() {
    long level = 1;
    IBasicAudio* audio = nullptr;
    if (play.GetGraph() && SUCCEEDED(play.GetGraph()->QueryInterface(IID_IBasicAudio, (void**)&audio))) {
        audio->get_Volume(&level);
        audio->Release();
    }
    return level;
}

LONGLONG PlayDialogTest::Position() {
    LONGLONG position = -1;
    IMediaSeeking* seeking = nullptr;
    if (play.GetGraph() && SUCCEEDED(play.GetGraph()->QueryInterface(IID_IMediaSeeking, (void**)&seeking))) {
        seeking->GetCurrentPosition(&position);
        seeking->Release();
    }
    return position;
}

bool PlayDialogTest::SaveScreen(const RECT& area, const wchar_t* fileName) {
    int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels = CopyDcPixels(screen, area.left, area.top, width, height);
    ReleaseDC(nullptr, screen);
    return zemotest::WritePng(ArtifactsFolder() + fileName, width, height, [&](int x, int y) {
        DWORD p = pixels[(size_t)y * width + x];
        return Gdiplus::Color(255, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    });
}
