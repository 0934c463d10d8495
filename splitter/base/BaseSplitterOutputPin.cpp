#include "BaseSplitterOutputPin.h"

#include "BaseSplitterFilter.h"
#include "ThreadName.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr int kMaxQueueBytes = 524288000;
// The longest a delivery thread waits for a batch before it takes what is there
// and looks for a command.
constexpr DWORD kPollMs = 1;
constexpr REFERENCE_TIME kOneSecond = 10000000;
constexpr int kMaxDownstreamFilters = 32;
const CLSID kScriptRendererClsid = {0x48025243, 0x2D39, 0x11CE, {0x87, 0x5D, 0x00, 0x60, 0x8C, 0xB7, 0x80, 0x66}};

// The pin connected to pin, and the first output pin of that pin's filter.
bool NextDownstream(IPin* pin, CComRef<IPin>& connected, CComRef<IBaseFilter>& filter, CComRef<IPin>& nextOutput) {
    if (FAILED(pin->ConnectedTo(connected.Receive())) || !connected) return false;
    PIN_INFO info = {};
    if (FAILED(connected->QueryPinInfo(&info)) || !info.pFilter) return true;
    *filter.Receive() = info.pFilter;
    CComRef<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.Receive())) || !pins) return true;
    for (int i = 0; i < 64; ++i) {
        CComRef<IPin> candidate;
        ULONG fetched = 0;
        if (pins->Next(1, candidate.Receive(), &fetched) != S_OK || fetched != 1) break;
        PIN_DIRECTION direction;
        if (SUCCEEDED(candidate->QueryDirection(&direction)) && direction == PINDIR_OUTPUT) {
            nextOutput = candidate;
            break;
        }
    }
    return true;
}

}  // namespace

CBaseSplitterOutputPin::CBaseSplitterOutputPin(const std::vector<CMediaType>& types, LPCWSTR name,
                                               CBaseSplitterFilter* filter, CCritSec* lock, HRESULT* result,
                                               int buffers)
    : CBaseOutputPin(L"CBaseSplitterOutputPin", filter, lock, result, name),
      m_pSplitter(filter),
      m_types(types),
      m_buffers(std::max(buffers, 1)),
      m_pool(std::make_shared<CPacketBufferPool>()) {}

CBaseSplitterOutputPin::~CBaseSplitterOutputPin() { StopDeliveryThread(); }

STDMETHODIMP CBaseSplitterOutputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IMediaSeeking) return GetInterface(static_cast<IMediaSeeking*>(this), ppv);
    if (riid == IID_IPropertyBag) return GetInterface(static_cast<IPropertyBag*>(this), ppv);
    if (riid == IID_IPropertyBag2 || riid == IID_IDSMPropertyBag)
        return GetInterface(static_cast<IDSMPropertyBag*>(this), ppv);
    if (riid == IID_IBitRateInfo) return GetInterface(static_cast<IBitRateInfo*>(this), ppv);
    return CBaseOutputPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CBaseSplitterOutputPin::CheckMediaType(const CMediaType* type) {
    for (const CMediaType& mine : m_types)
        if (mine == *type) return S_OK;
    return E_INVALIDARG;
}

HRESULT CBaseSplitterOutputPin::GetMediaType(int index, CMediaType* type) {
    CAutoLock lock(m_pLock);
    if (index < 0) return E_INVALIDARG;
    if (static_cast<size_t>(index) >= m_types.size()) return VFW_S_NO_MORE_ITEMS;
    *type = m_types[index];
    return S_OK;
}

HRESULT CBaseSplitterOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) {
    properties->cBuffers = m_buffers;
    properties->cbBuffer = std::max<long>(static_cast<long>(m_mt.lSampleSize), 1);
    ALLOCATOR_PROPERTIES actual = {};
    HRESULT hr = allocator->SetProperties(properties, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer < properties->cbBuffer ? E_FAIL : S_OK;
}

HRESULT CBaseSplitterOutputPin::DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator) {
    m_ownAllocator = false;
    if (!pin) return VFW_E_NOT_CONNECTED;
    // Packet payloads carry no prefix and no alignment beyond the heap's.
    ALLOCATOR_PROPERTIES wanted = {};
    pin->GetAllocatorRequirements(&wanted);
    if (wanted.cbPrefix == 0 && wanted.cbAlign <= 1) {
        CComRef<IMemAllocator> own;
        *own.Receive() = new (std::nothrow) CPacketAllocator(m_pool);
        ALLOCATOR_PROPERTIES properties = wanted;
        if (own && SUCCEEDED(DecideBufferSize(own.Get(), &properties)) &&
            SUCCEEDED(pin->NotifyAllocator(own.Get(), FALSE))) {
            m_ownAllocator = true;
            *allocator = own.Get();
            (*allocator)->AddRef();
            return S_OK;
        }
    }
    return CBaseOutputPin::DecideAllocator(pin, allocator);
}

HRESULT CBaseSplitterOutputPin::Active() {
    CAutoLock lock(m_pLock);
    if (IsConnected() && !ThreadExists()) {
        // Set before the thread runs, so that a flush that comes first is not undone.
        m_hrDeliver = S_OK;
        m_flushing = false;
        m_flushed = false;
        m_endFlush.Set();
        Create();
    }
    return CBaseOutputPin::Active();
}

HRESULT CBaseSplitterOutputPin::Inactive() {
    CAutoLock lock(m_pLock);
    StopDeliveryThread();
    return CBaseOutputPin::Inactive();
}

void CBaseSplitterOutputPin::StopDeliveryThread() {
    if (!ThreadExists()) return;
    CallWorker(CBaseSplitterFilter::CMD_EXIT);
    Close();
}

void CBaseSplitterOutputPin::SetDeliveryThreadPriority(int priority) {
    if (ThreadExists()) SetThreadPriority(GetThreadHandle(), priority);
}

HRESULT CBaseSplitterOutputPin::DeliverBeginFlush() {
    m_endFlush.Reset();
    m_flushed = false;
    m_flushing = true;
    m_hrDeliver = S_FALSE;
    m_queue.RemoveAll();
    HRESULT hr = S_OK;
    if (IsConnected()) {
        hr = GetConnected()->BeginFlush();
        if (hr != S_OK) m_endFlush.Set();
    }
    return hr;
}

HRESULT CBaseSplitterOutputPin::DeliverEndFlush() {
    if (!ThreadExists()) return S_FALSE;
    HRESULT hr = IsConnected() ? GetConnected()->EndFlush() : S_OK;
    m_hrDeliver = S_OK;
    m_flushing = false;
    m_flushed = true;
    m_endFlush.Set();
    return hr;
}

HRESULT CBaseSplitterOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    m_lastMeasure = INVALID_PACKET_TIME;
    if (m_flushing) return S_FALSE;
    if (!ThreadExists()) return S_FALSE;
    HRESULT hr = CBaseOutputPin::DeliverNewSegment(start, stop, rate);
    if (FAILED(hr)) return hr;
    PrimeScriptRenderer();
    return S_OK;
}

HRESULT CBaseSplitterOutputPin::EnqueuePacket(std::unique_ptr<Packet> packet) {
    if (!ThreadExists()) return S_FALSE;
    while (m_hrDeliver == S_OK) {
        if (m_pSplitter->IsAnyQueueLow() && m_queue.GetSize() <= kMaxQueueBytes) break;
        Sleep(1);
    }
    HRESULT hr = m_hrDeliver;
    if (hr != S_OK) return hr;
    m_queue.Add(std::move(packet));
    return m_hrDeliver;
}

HRESULT CBaseSplitterOutputPin::EnqueueEndOfStream() { return EnqueuePacket(nullptr); }

bool CBaseSplitterOutputPin::IsStreamSelected() {
    CComRef<IPin> pin(static_cast<IPin*>(this));
    for (int i = 0; i < kMaxDownstreamFilters && pin; ++i) {
        CComRef<IPin> connected, nextOutput;
        CComRef<IBaseFilter> filter;
        if (!NextDownstream(pin.Get(), connected, filter, nextOutput)) return true;
        CComRef<IStreamSwitcherInputPin> switcher;
        if (SUCCEEDED(switcher.QueryFrom(connected.Get(), IID_IStreamSwitcherInputPin)) && !switcher->IsActive())
            return false;
        pin = nextOutput;
    }
    return true;
}

void CBaseSplitterOutputPin::PrimeScriptRenderer() {
    CComRef<IPin> pin(static_cast<IPin*>(this));
    for (int i = 0; i < kMaxDownstreamFilters && pin; ++i) {
        CComRef<IPin> connected, nextOutput;
        CComRef<IBaseFilter> filter;
        if (!NextDownstream(pin.Get(), connected, filter, nextOutput) || !filter) return;
        CLSID clsid;
        if (SUCCEEDED(filter->GetClassID(&clsid)) && clsid == kScriptRendererClsid) {
            auto packet = std::make_unique<Packet>();
            packet->TrackNumber = 0xFFFFFFFF;
            packet->rtStart = -1;
            packet->rtStop = 0;
            packet->bSyncPoint = false;
            if (packet->SetDataSize(2)) {
                packet->GetData()[0] = 0x20;
                packet->GetData()[1] = 0x00;
                EnqueuePacket(std::move(packet));
            }
            return;
        }
        pin = nextOutput;
    }
}

DWORD CBaseSplitterOutputPin::ThreadProc() {
    SetDebuggerThreadName(static_cast<DWORD>(-1), "CBaseSplitterOutputPin");
    for (;;) {
        m_queue.WaitForPackets(kPollMs);
        if (CheckRequest(nullptr)) break;
        int count = 0;
        do {
            std::unique_ptr<Packet> packet;
            count = m_queue.Remove(packet);
            if (count < 1 || m_hrDeliver != S_OK) continue;  // a packet taken out but not delivered is freed here
            m_flushed = false;
            bool endOfStream = !packet;
            HRESULT hr = endOfStream ? CBaseOutputPin::DeliverEndOfStream() : SendPacket(std::move(packet));
            if (hr == S_OK) continue;
            // A flush that began meanwhile must finish first: a failure it caused
            // is not the stream's.
            m_endFlush.Wait();
            if (!m_flushed) {
                m_hrDeliver = hr;
                // The stream ends here, so downstream still completes.
                if (!endOfStream) CBaseOutputPin::DeliverEndOfStream();
                break;
            }
        } while (count >= 2);
    }
    GetRequest();
    Reply(S_OK);
    return 0;
}

void CBaseSplitterOutputPin::MeasureBitRate(const Packet& packet) {
    m_bytesSinceMeasure += packet.GetDataSize();
    if (packet.rtStart == INVALID_PACKET_TIME) return;
    if (m_lastMeasure == INVALID_PACKET_TIME) {
        m_lastMeasure = packet.rtStart;
        m_bytesSinceMeasure = 0;
    }
    if (packet.rtStart > m_lastMeasure + kOneSecond) {
        REFERENCE_TIME elapsed = packet.rtStart - m_lastMeasure;
        m_totalTime += elapsed;
        m_totalBytes += m_bytesSinceMeasure;
        m_currentRate = static_cast<DWORD>(8.0 * m_bytesSinceMeasure / (elapsed / 1e7));
        m_averageRate = static_cast<DWORD>(8.0 * m_totalBytes / (m_totalTime / 1e7));
        m_lastMeasure = packet.rtStart;
        m_bytesSinceMeasure = 0;
    }
}

HRESULT CBaseSplitterOutputPin::GetBufferOfSize(size_t size, CComRef<IMediaSample>& sample) {
    HRESULT hr = GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
    if (hr != S_OK) return hr;
    if (size <= static_cast<size_t>(sample->GetSize())) return S_OK;
    // Grow the allocator to half again the payload; a flush first returns the
    // buffers downstream still holds.
    sample.Reset();
    ALLOCATOR_PROPERTIES wanted = {}, actual = {};
    hr = m_pAllocator->GetProperties(&wanted);
    if (hr != S_OK) return hr;
    wanted.cbBuffer = static_cast<long>(size * 3 / 2);
    if (wanted.cBuffers > 1) {
        CBaseOutputPin::DeliverBeginFlush();
        CBaseOutputPin::DeliverEndFlush();
    }
    if ((hr = m_pAllocator->Decommit()) != S_OK || (hr = m_pAllocator->SetProperties(&wanted, &actual)) != S_OK ||
        (hr = m_pAllocator->Commit()) != S_OK)
        return hr;
    hr = GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
    if (hr != S_OK) return hr;
    // An allocator that granted less than asked must not be written past its end.
    return size <= static_cast<size_t>(sample->GetSize()) ? S_OK : E_FAIL;
}

HRESULT CBaseSplitterOutputPin::CopyToSample(const Packet& packet, CComRef<IMediaSample>& sample) {
    const size_t size = packet.GetDataSize();
    HRESULT hr = GetBufferOfSize(size, sample);
    if (hr != S_OK) return hr;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) {
        sample.Reset();
        return S_OK;
    }
    std::memcpy(data, packet.GetData(), size);
    return S_OK;
}

HRESULT CBaseSplitterOutputPin::SendPacket(std::unique_ptr<Packet> packet) {
    const size_t size = packet->GetDataSize();
    if (size == 0) return S_OK;
    MeasureBitRate(*packet);
    const bool timed = packet->rtStart != INVALID_PACKET_TIME;
    REFERENCE_TIME start = packet->rtStart, stop = packet->rtStop;
    double rate = 1.0;
    if (timed && SUCCEEDED(m_pSplitter->GetRate(&rate)) && rate != 1.0) {
        start = static_cast<REFERENCE_TIME>(start / rate);
        stop = static_cast<REFERENCE_TIME>(stop / rate);
    }
    const bool discontinuity = packet->bDiscontinuity, sync = packet->bSyncPoint;
    CComRef<IMediaSample> sample;
    // Our own allocator's sample carries the packet itself; downstream's gets a copy.
    HRESULT hr = m_ownAllocator
                     ? static_cast<CPacketAllocator*>(m_pAllocator)->GetPacketSample(std::move(packet), sample)
                     : CopyToSample(*packet, sample);
    if (hr != S_OK || !sample) return hr;
    if ((hr = sample->SetActualDataLength(static_cast<long>(size))) != S_OK ||
        (hr = sample->SetTime(timed ? &start : nullptr, timed ? &stop : nullptr)) != S_OK ||
        (hr = sample->SetMediaTime(nullptr, nullptr)) != S_OK ||
        (hr = sample->SetDiscontinuity(discontinuity)) != S_OK || (hr = sample->SetSyncPoint(sync)) != S_OK ||
        (hr = sample->SetPreroll(timed && start < 0)) != S_OK)
        return hr;
    return Deliver(sample.Get());
}

// IMediaSeeking: forwarded to the filter.
STDMETHODIMP CBaseSplitterOutputPin::GetCapabilities(DWORD* c) { return m_pSplitter->GetCapabilities(c); }
STDMETHODIMP CBaseSplitterOutputPin::CheckCapabilities(DWORD* c) { return m_pSplitter->CheckCapabilities(c); }
STDMETHODIMP CBaseSplitterOutputPin::IsFormatSupported(const GUID* f) { return m_pSplitter->IsFormatSupported(f); }
STDMETHODIMP CBaseSplitterOutputPin::QueryPreferredFormat(GUID* f) { return m_pSplitter->QueryPreferredFormat(f); }
STDMETHODIMP CBaseSplitterOutputPin::GetTimeFormat(GUID* f) { return m_pSplitter->GetTimeFormat(f); }
STDMETHODIMP CBaseSplitterOutputPin::IsUsingTimeFormat(const GUID* f) { return m_pSplitter->IsUsingTimeFormat(f); }
STDMETHODIMP CBaseSplitterOutputPin::SetTimeFormat(const GUID* f) { return m_pSplitter->SetTimeFormat(f); }
STDMETHODIMP CBaseSplitterOutputPin::GetDuration(LONGLONG* d) { return m_pSplitter->GetDuration(d); }
STDMETHODIMP CBaseSplitterOutputPin::GetStopPosition(LONGLONG* s) { return m_pSplitter->GetStopPosition(s); }
STDMETHODIMP CBaseSplitterOutputPin::GetCurrentPosition(LONGLONG* c) { return m_pSplitter->GetCurrentPosition(c); }
STDMETHODIMP CBaseSplitterOutputPin::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                       const GUID* sourceFormat) {
    return m_pSplitter->ConvertTimeFormat(target, targetFormat, source, sourceFormat);
}
STDMETHODIMP CBaseSplitterOutputPin::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                                  DWORD stopFlags) {
    return m_pSplitter->ApplyPositions(this, current, currentFlags, stop, stopFlags);
}
STDMETHODIMP CBaseSplitterOutputPin::GetPositions(LONGLONG* c, LONGLONG* s) { return m_pSplitter->GetPositions(c, s); }
STDMETHODIMP CBaseSplitterOutputPin::GetAvailable(LONGLONG* e, LONGLONG* l) { return m_pSplitter->GetAvailable(e, l); }
STDMETHODIMP CBaseSplitterOutputPin::SetRate(double r) { return m_pSplitter->SetRate(r); }
STDMETHODIMP CBaseSplitterOutputPin::GetRate(double* r) { return m_pSplitter->GetRate(r); }
STDMETHODIMP CBaseSplitterOutputPin::GetPreroll(LONGLONG* p) { return m_pSplitter->GetPreroll(p); }
