// A playback graph of the platform's graph manager as the player builds it: a file
// rendered with its clock into the platform's renderers, the video shown in a window
// of the test, and what is on the screen read back.
#pragma once

#include "TestModules.h"
#include "strmbase.h"

#include <control.h>

#include <string>
#include <vector>

class CPlaybackGraph {
public:
    // clock: false runs the graph as fast as it goes (no reference clock).
    explicit CPlaybackGraph(bool clock = true);
    ~CPlaybackGraph();
    CPlaybackGraph(const CPlaybackGraph&) = delete;
    CPlaybackGraph& operator=(const CPlaybackGraph&) = delete;

    bool Ready() const { return m_graph.Get() != nullptr && m_window != nullptr; }
    IGraphBuilder* Graph() const { return m_graph.Get(); }
    CComRef<IMediaControl> Control();
    CComRef<IMediaSeeking> Seeking();
    HWND Window() const { return m_window; }

    HRESULT RenderFile(const std::wstring& path);
    // A new filter of a class added to the graph, or null.
    CComRef<IBaseFilter> AddNewFilter(REFCLSID clsid, LPCWSTR name);
    // The file's source and our splitter, added and connected: the splitter, or null
    // with the failure in hr.
    CComRef<IBaseFilter> AddSplitter(const std::wstring& path, HRESULT& hr);
    // The graph RenderFile builds (splitter, our decoders, the GDI video renderer and
    // the DirectSound renderer), connected pin to pin without the graph manager's
    // search for filters.
    HRESULT ConnectFile(const std::wstring& path);
    bool HasFilterOfClass(REFCLSID clsid);
    // The filter of a class in the graph, or null.
    CComRef<IBaseFilter> FilterOfClass(REFCLSID clsid);
    // The video renderer's window made a child filling the test's window.
    HRESULT ShowVideo();

    // State changes that wait (pumping messages) until the graph is there.
    HRESULT Pause();
    HRESULT Run();
    HRESULT Stop();
    HRESULT SeekTo(REFERENCE_TIME position);
    REFERENCE_TIME CurrentPosition();
    REFERENCE_TIME Duration();
    // The first event of the codes wanted (others are dropped), or 0 after the time-out.
    long WaitForEvent(std::initializer_list<long> codes, DWORD timeoutMs);
    void PumpFor(DWORD ms);

    // What the screen shows at a point of the test's window's client area.
    COLORREF PixelAt(int x, int y);
    COLORREF CentrePixel();
    // The test window's client area as a PNG under the test program's artifacts folder.
    bool SaveScreenshot(const wchar_t* fileName);

private:
    CRegistrationLock m_registration;
    CComRef<IGraphBuilder> m_graph;
    HWND m_window = nullptr;
    HRESULT m_com;
};

// Colour closeness, per channel.
bool NearColour(COLORREF colour, BYTE r, BYTE g, BYTE b, int tolerance = 24);
