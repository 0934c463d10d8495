#include "SourceRun.h"

CSourceRun::CSourceRun(const Bytes& file, const SinkOptions& options) : m_file(file) {
    HRESULT hr = S_OK;
    m_source = new CXofSourceFilter(nullptr, &hr);
    m_filter = CComRef<IBaseFilter>(m_source);
    CComRef<IFileSourceFilter> source;
    source.QueryFrom(m_filter.Get(), IID_IFileSourceFilter);
    m_load = source->Load(m_file.Path().c_str(), nullptr);
    if (FAILED(m_load)) return;
    for (int i = 0; i < m_source->GetPinCount(); ++i) {
        CBasePin* pin = m_source->GetPin(i);
        auto* sink = new CTestSinkFilter(options);
        m_sinkFilters[pin->Name()] = CComRef<IBaseFilter>(sink);
        m_sinks[pin->Name()] = sink;
        pin->Connect(sink->Pin(), nullptr);
    }
}

CSourceRun::~CSourceRun() {
    Stop();
    for (int i = 0; i < m_source->GetPinCount(); ++i) {
        CBasePin* pin = m_source->GetPin(i);
        if (IPin* connected = pin->GetConnected()) connected->Disconnect();
        pin->Disconnect();
    }
}

CTestSinkPin* CSourceRun::Sink(const std::wstring& pinName) {
    auto it = m_sinks.find(pinName);
    return it == m_sinks.end() ? nullptr : it->second->Pin();
}

CBaseSplitterOutputPin* CSourceRun::OutputPin(const std::wstring& pinName) {
    for (int i = 0; i < m_source->GetPinCount(); ++i)
        if (pinName == m_source->GetPin(i)->Name()) return static_cast<CBaseSplitterOutputPin*>(m_source->GetPin(i));
    return nullptr;
}

HRESULT CSourceRun::Run() {
    // Downstream first, as a graph does.
    for (auto& sink : m_sinkFilters) sink.second->Run(0);
    return m_filter->Run(0);
}

HRESULT CSourceRun::Stop() {
    for (auto& sink : m_sinkFilters) sink.second->Stop();
    return m_filter->Stop();
}

bool CSourceRun::WaitForEnd(DWORD timeoutMs) {
    DWORD until = GetTickCount() + timeoutMs;
    for (auto& sink : m_sinks) {
        DWORD now = GetTickCount();
        if (now >= until || !sink.second->Pin()->WaitForEndOfStream(until - now)) return false;
    }
    return true;
}
