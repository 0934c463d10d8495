#include "XofSplitterFilter.h"

#include "ThreadName.h"
#include "XofGuids.h"
#include "XofMediaType.h"

#include <new>

namespace {
// Large blocks: few reads of the source, each a call through the system.
constexpr int kCacheLength = 1024 * 1024;
}  // namespace

CXofSplitterFilter::CXofSplitterFilter(LPUNKNOWN owner, HRESULT* result)
    : CBaseSplitterFilter(L"CXofSplitterFilter", owner, result, CLSID_XofSplitter) {}

CXofSplitterFilter::~CXofSplitterFilter() {
    // The reading thread uses the reader: it ends first.
    StopDemuxThread();
    m_parser.reset();
    m_pFile.reset();
}

HRESULT CXofSplitterFilter::CreateOutputs(IAsyncReader* reader) {
    if (!reader) return E_POINTER;
    m_parser.reset();
    m_pFile.reset();
    HRESULT hr = S_OK;
    m_pFile.reset(new (std::nothrow) CBaseSplitterFileEx(reader, &hr, kCacheLength));
    if (!m_pFile) return E_OUTOFMEMORY;
    if (FAILED(hr)) {
        m_pFile.reset();
        return hr;
    }
    m_rtCurrent = 0;
    m_rtNewStart = m_rtDuration = m_rtStop = m_rtNewStop = 0;
    m_parser = std::make_unique<CXofParser>(*m_pFile);
    m_parser->SetBufferPools([this](uint32_t track) { return FindBufferPool(track); });
    std::vector<XofStreamFormat> streams;
    REFERENCE_TIME duration = 0;
    if (ResultFailed(m_parser->Open(streams, duration))) return E_FAIL;
    int pins = 0;
    for (const XofStreamFormat& stream : streams) {
        CMediaType type = MakeXofMediaType(stream);
        if (!type.IsValid()) return E_OUTOFMEMORY;
        LPCWSTR name = stream.track == XOF_TAG_AUDIO ? L"Audio" : L"Video";
        hr = S_OK;
        std::unique_ptr<CBaseSplitterOutputPin> pin(new (std::nothrow) CBaseSplitterOutputPin(
            std::vector<CMediaType>{type}, name, this, static_cast<CCritSec*>(this), &hr, 0));
        if (!pin) return E_OUTOFMEMORY;
        if (SUCCEEDED(RegisterOutputPin(stream.track, std::move(pin)))) ++pins;
    }
    m_rtDuration = m_rtStop = m_rtNewStop = duration;
    return pins > 0 ? S_OK : E_FAIL;
}

bool CXofSplitterFilter::DemuxInit() {
    SetDebuggerThreadName(static_cast<DWORD>(-1), "CXofSplitterFilter");
    return m_parser != nullptr;
}

void CXofSplitterFilter::DemuxSeek(REFERENCE_TIME start) { m_parser->Seek(start); }

bool CXofSplitterFilter::DemuxLoop() {
    HRESULT hr = S_OK;
    while (!IsCommandPending() && SUCCEEDED(hr)) {
        std::unique_ptr<Packet> packet;
        if (m_parser->ReadNext(packet) == XofReadStatus::End) break;
        if (packet) hr = DispatchPacket(std::move(packet));
    }
    return true;
}

CXofSourceFilter::CXofSourceFilter(LPUNKNOWN owner, HRESULT* result) : CXofSplitterFilter(owner, result) {
    m_clsid = CLSID_XofSource;
    RemoveInputPin();
}
