#include "GraphHost.h"

#include "XofGuids.h"

#include <evcode.h>
#include <uuids.h>

const CLSID CLSID_SampleGrabberFilter = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const CLSID CLSID_NullRendererFilter = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

STDMETHODIMP CGrabberRecorder::SampleCB(double, IMediaSample* sample) {
    GrabbedSample s;
    s.hasTime = sample->GetTime(&s.start, &s.stop) == S_OK;
    s.sync = sample->IsSyncPoint() == S_OK;
    s.discontinuity = sample->IsDiscontinuity() == S_OK;
    s.preroll = sample->IsPreroll() == S_OK;
    s.bytes = sample->GetActualDataLength();
    CAutoLock lock(&m_lock);
    m_samples.push_back(s);
    return S_OK;
}

STDMETHODIMP CGrabberRecorder::BufferCB(double, BYTE*, long) { return E_NOTIMPL; }

std::vector<GrabbedSample> CGrabberRecorder::Samples() {
    CAutoLock lock(&m_lock);
    return m_samples;
}

void CGrabberRecorder::Clear() {
    CAutoLock lock(&m_lock);
    m_samples.clear();
}

CGraphHost::CGraphHost() {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // The module is registered for every graph test (the registration test may have
    // just removed and restored it).
    RunProgram(L"regsvr32.exe /s \"" + ModulePath() + L"\"");
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, m_graph.ReceiveVoid());
    CComRef<IMediaFilter> clockless;
    if (m_graph && SUCCEEDED(clockless.QueryFrom(m_graph.Get(), IID_IMediaFilter))) clockless->SetSyncSource(nullptr);
}

CGraphHost::~CGraphHost() {
    if (m_graph) Control()->Stop();
    m_recorders.clear();
    m_splitter.Reset();
    m_source.Reset();
    m_graph.Reset();
    CoUninitialize();
}

CComRef<IMediaSeeking> CGraphHost::Seeking() {
    CComRef<IMediaSeeking> seeking;
    seeking.QueryFrom(m_graph.Get(), IID_IMediaSeeking);
    return seeking;
}

CComRef<IMediaControl> CGraphHost::Control() {
    CComRef<IMediaControl> control;
    control.QueryFrom(m_graph.Get(), IID_IMediaControl);
    return control;
}

HRESULT CGraphHost::AddFilter(REFCLSID clsid, LPCWSTR name, CComRef<IBaseFilter>& filter) {
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.ReceiveVoid());
    return FAILED(hr) ? hr : m_graph->AddFilter(filter.Get(), name);
}

HRESULT CGraphHost::OpenWithSplitter(const std::wstring& file) {
    HRESULT hr = AddFilter(CLSID_AsyncReader, L"Source", m_source);
    if (FAILED(hr)) return hr;
    CComRef<IFileSourceFilter> load;
    load.QueryFrom(m_source.Get(), IID_IFileSourceFilter);
    if (FAILED(hr = load->Load(file.c_str(), nullptr))) return hr;
    if (FAILED(hr = AddFilter(CLSID_XofSplitter, L"Splitter", m_splitter))) return hr;
    return m_graph->ConnectDirect(FindPin(m_source.Get(), PINDIR_OUTPUT).Get(),
                                  FindPin(m_splitter.Get(), PINDIR_INPUT).Get(), nullptr);
}

HRESULT CGraphHost::RenderPinToGrabber(LPCWSTR pinName, const AM_MEDIA_TYPE* wanted, bool intelligent,
                                       CGrabberRecorder** recorder) {
    CComRef<IBaseFilter> grabber, renderer;
    HRESULT hr = AddFilter(CLSID_SampleGrabberFilter, pinName, grabber);
    if (FAILED(hr) || FAILED(hr = AddFilter(CLSID_NullRendererFilter, L"Null", renderer))) return hr;
    CComRef<ISampleGrabber> grab;
    grab.QueryFrom(grabber.Get(), IID_ISampleGrabber);
    if (wanted) grab->SetMediaType(const_cast<AM_MEDIA_TYPE*>(wanted));
    CComRef<CGrabberRecorder> record;
    *record.Receive() = new CGrabberRecorder;
    grab->SetBufferSamples(FALSE);
    grab->SetOneShot(FALSE);
    grab->SetCallback(record.Get(), 0);
    m_recorders.push_back(record);
    *recorder = record.Get();
    CComRef<IPin> out = FindPin(m_splitter.Get(), PINDIR_OUTPUT, pinName);
    CComRef<IPin> in = FindPin(grabber.Get(), PINDIR_INPUT);
    hr = intelligent ? m_graph->Connect(out.Get(), in.Get()) : m_graph->ConnectDirect(out.Get(), in.Get(), nullptr);
    if (FAILED(hr)) return hr;
    return m_graph->ConnectDirect(FindPin(grabber.Get(), PINDIR_OUTPUT).Get(),
                                  FindPin(renderer.Get(), PINDIR_INPUT).Get(), nullptr);
}

long CGraphHost::RunToCompletion(DWORD timeoutMs) {
    CComRef<IMediaEvent> events;
    events.QueryFrom(m_graph.Get(), IID_IMediaEvent);
    // The events of earlier runs are taken out first: the graph's own completion
    // wait answers at once once a run has completed.
    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    while (events->GetEvent(&code, &param1, &param2, 0) == S_OK) events->FreeEventParams(code, param1, param2);
    if (FAILED(Control()->Run())) return -1;
    DWORD until = GetTickCount() + timeoutMs;
    while (GetTickCount() < until) {
        if (events->GetEvent(&code, &param1, &param2, 100) != S_OK) continue;
        events->FreeEventParams(code, param1, param2);
        if (code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT) return code;
    }
    return -1;
}

std::vector<CLSID> CGraphHost::FilterClasses() {
    std::vector<CLSID> classes;
    CComRef<IEnumFilters> filters;
    if (FAILED(m_graph->EnumFilters(filters.Receive()))) return classes;
    for (int i = 0; i < 32; ++i) {
        CComRef<IBaseFilter> filter;
        if (filters->Next(1, filter.Receive(), nullptr) != S_OK) break;
        CLSID clsid = CLSID_NULL;
        filter->GetClassID(&clsid);
        classes.push_back(clsid);
    }
    return classes;
}

bool CGraphHost::HasFilterOfClass(REFCLSID clsid) {
    for (const CLSID& c : FilterClasses())
        if (c == clsid) return true;
    return false;
}
