#include "PlaybackGraph.h"

#include "DcPixels.h"

#include "AudioDecoderFilter.h"
#include "TestModules.h"
#include "VideoDecoderFilter.h"
#include "XofGuids.h"
#include "dshow/PinSearch.h"
#include "images/PngFile.h"

#include <evcode.h>
#include <uuids.h>

#include <cstdlib>

namespace {

constexpr int kWindowWidth = 320, kWindowHeight = 240;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateTestWindow() {
    static const ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"ZemoPlaybackTest";
        return RegisterClassW(&wc);
    }();
    if (!atom) return nullptr;
    RECT frame = {0, 0, kWindowWidth, kWindowHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowW(L"ZemoPlaybackTest", L"Playback", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
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

CPlaybackGraph::CPlaybackGraph(bool clock) : m_com(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {
    if (!RegisterTestModules()) return;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, m_graph.ReceiveVoid());
    if (m_graph && !clock) {
        CComRef<IMediaFilter> filter;
        if (SUCCEEDED(filter.QueryFrom(m_graph.Get(), IID_IMediaFilter))) filter->SetSyncSource(nullptr);
    }
    m_window = CreateTestWindow();
}

CPlaybackGraph::~CPlaybackGraph() {
    if (m_graph) {
        Control()->Stop();
        CComRef<IVideoWindow> video;
        if (SUCCEEDED(video.QueryFrom(m_graph.Get(), IID_IVideoWindow))) {
            video->put_Visible(0 /* false */);
            video->put_Owner(0);
        }
    }
    m_graph.Reset();
    if (m_window) DestroyWindow(m_window);
    if (SUCCEEDED(m_com)) CoUninitialize();
}

CComRef<IMediaControl> CPlaybackGraph::Control() {
    CComRef<IMediaControl> control;
    control.QueryFrom(m_graph.Get(), IID_IMediaControl);
    return control;
}

CComRef<IMediaSeeking> CPlaybackGraph::Seeking() {
    CComRef<IMediaSeeking> seeking;
    seeking.QueryFrom(m_graph.Get(), IID_IMediaSeeking);
    return seeking;
}

HRESULT CPlaybackGraph::RenderFile(const std::wstring& path) { return m_graph->RenderFile(path.c_str(), nullptr); }

CComRef<IBaseFilter> CPlaybackGraph::AddNewFilter(REFCLSID clsid, LPCWSTR name) {
    CComRef<IBaseFilter> filter;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.ReceiveVoid())) &&
        FAILED(m_graph->AddFilter(filter.Get(), name)))
        filter.Reset();
    return filter;
}

CComRef<IBaseFilter> CPlaybackGraph::AddSplitter(const std::wstring& path, HRESULT& hr) {
    hr = E_FAIL;
    CComRef<IBaseFilter> source = AddNewFilter(CLSID_AsyncReader, L"Source");
    CComRef<IBaseFilter> splitter = AddNewFilter(CLSID_XofSplitter, L"Splitter");
    CComRef<IFileSourceFilter> load;
    if (!source || !splitter || FAILED(load.QueryFrom(source.Get(), IID_IFileSourceFilter)) ||
        FAILED(hr = load->Load(path.c_str(), nullptr)) ||
        FAILED(hr = m_graph->ConnectDirect(FindPin(source.Get(), PINDIR_OUTPUT).Get(),
                                           FindPin(splitter.Get(), PINDIR_INPUT).Get(), nullptr)))
        return CComRef<IBaseFilter>();
    return splitter;
}

HRESULT CPlaybackGraph::ConnectFile(const std::wstring& path) {
    HRESULT hr = E_FAIL;
    CComRef<IBaseFilter> splitter = AddSplitter(path, hr);
    if (!splitter) return hr;
    struct Stream {
        LPCWSTR pin;
        REFCLSID decoder, renderer;
    };
    const Stream streams[] = {{L"Video", CLSID_ZemoVideoDecoder, CLSID_VideoRenderer},
                              {L"Audio", CLSID_ZemoAudioDecoder, CLSID_DSoundRender}};
    for (const Stream& stream : streams) {
        CComRef<IBaseFilter> decoder = AddNewFilter(stream.decoder, L"Decoder");
        CComRef<IBaseFilter> renderer = AddNewFilter(stream.renderer, L"Renderer");
        if (!decoder || !renderer) return E_FAIL;
        if (FAILED(hr = m_graph->ConnectDirect(FindPin(splitter.Get(), PINDIR_OUTPUT, stream.pin).Get(),
                                               FindPin(decoder.Get(), PINDIR_INPUT).Get(), nullptr)) ||
            FAILED(hr = m_graph->ConnectDirect(FindPin(decoder.Get(), PINDIR_OUTPUT).Get(),
                                               FindPin(renderer.Get(), PINDIR_INPUT).Get(), nullptr)))
            return hr;
    }
    return S_OK;
}

CComRef<IBaseFilter> CPlaybackGraph::FilterOfClass(REFCLSID clsid) {
    CComRef<IEnumFilters> filters;
    if (FAILED(m_graph->EnumFilters(filters.Receive()))) return CComRef<IBaseFilter>();
    for (int i = 0; i < 64; ++i) {
        CComRef<IBaseFilter> filter;
        if (filters->Next(1, filter.Receive(), nullptr) != S_OK) break;
        CLSID found = {};
        if (SUCCEEDED(filter->GetClassID(&found)) && found == clsid) return filter;
    }
    return CComRef<IBaseFilter>();
}

bool CPlaybackGraph::HasFilterOfClass(REFCLSID clsid) { return static_cast<bool>(FilterOfClass(clsid)); }

HRESULT CPlaybackGraph::ShowVideo() {
    CComRef<IVideoWindow> video;
    HRESULT hr = video.QueryFrom(m_graph.Get(), IID_IVideoWindow);
    if (FAILED(hr)) return hr;
    if (FAILED(hr = video->put_Owner(reinterpret_cast<OAHWND>(m_window))) ||
        FAILED(hr = video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) ||
        FAILED(hr = video->SetWindowPosition(0, 0, kWindowWidth, kWindowHeight)))
        return hr;
    return video->put_Visible(-1 /* true */);
}

void CPlaybackGraph::PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

namespace {
// Waits for a state change to finish, pumping the window's messages meanwhile.
HRESULT Settle(IMediaControl* control, HRESULT hr, CPlaybackGraph& graph) {
    if (FAILED(hr)) return hr;
    OAFilterState state = 0;
    for (int i = 0; i < 200 && (hr = control->GetState(50, &state)) == VFW_S_STATE_INTERMEDIATE; ++i) graph.PumpFor(10);
    return hr;
}
}  // namespace

HRESULT CPlaybackGraph::Pause() {
    CComRef<IMediaControl> control = Control();
    return Settle(control.Get(), control->Pause(), *this);
}

HRESULT CPlaybackGraph::Run() {
    CComRef<IMediaControl> control = Control();
    return Settle(control.Get(), control->Run(), *this);
}

HRESULT CPlaybackGraph::Stop() { return Control()->Stop(); }

HRESULT CPlaybackGraph::SeekTo(REFERENCE_TIME position) {
    LONGLONG at = position;
    return Seeking()->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

REFERENCE_TIME CPlaybackGraph::CurrentPosition() {
    LONGLONG position = -1;
    Seeking()->GetCurrentPosition(&position);
    return position;
}

REFERENCE_TIME CPlaybackGraph::Duration() {
    LONGLONG duration = -1;
    Seeking()->GetDuration(&duration);
    return duration;
}

long CPlaybackGraph::WaitForEvent(std::initializer_list<long> codes, DWORD timeoutMs) {
    CComRef<IMediaEvent> events;
    if (FAILED(events.QueryFrom(m_graph.Get(), IID_IMediaEvent))) return 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        long code = 0;
        LONG_PTR param1 = 0, param2 = 0;
        if (events->GetEvent(&code, &param1, &param2, 0) == S_OK) {
            events->FreeEventParams(code, param1, param2);
            for (long wanted : codes)
                if (code == wanted) return code;
            continue;
        }
        PumpFor(10);
    }
    return 0;
}

// The window's own pixels (with its video child), whatever other test windows
// cover it on the shared screen.
COLORREF CPlaybackGraph::PixelAt(int x, int y) {
    HDC dc = GetDC(m_window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(m_window, dc);
    return colour;
}

COLORREF CPlaybackGraph::CentrePixel() { return PixelAt(kWindowWidth / 2, kWindowHeight / 2); }

bool CPlaybackGraph::SaveScreenshot(const wchar_t* fileName) {
    HDC window = GetDC(m_window);
    const std::vector<DWORD> pixels = CopyDcPixels(window, 0, 0, kWindowWidth, kWindowHeight);
    ReleaseDC(m_window, window);
    bool saved = false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (!pixels.empty() && Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
        saved = zemotest::WritePng(ArtifactsFolder() + fileName, kWindowWidth, kWindowHeight, [&](int x, int y) {
            DWORD p = pixels[y * kWindowWidth + x];
            return Gdiplus::Color(255, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        });
        Gdiplus::GdiplusShutdown(token);
    }
    return saved;
}

bool NearColour(COLORREF colour, BYTE r, BYTE g, BYTE b, int tolerance) {
    return std::abs(GetRValue(colour) - r) <= tolerance && std::abs(GetGValue(colour) - g) <= tolerance &&
           std::abs(GetBValue(colour) - b) <= tolerance;
}
