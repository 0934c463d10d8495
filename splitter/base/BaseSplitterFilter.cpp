#include "BaseSplitterFilter.h"

#include "AsyncFileReader.h"
#include "TaskString.h"

#include <uuids.h>

#include <algorithm>
#include <new>

namespace {

constexpr DWORD kSeekingCapabilities = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards |
                                       AM_SEEKING_CanSeekBackwards | AM_SEEKING_CanGetStopPos |
                                       AM_SEEKING_CanGetDuration;
constexpr DWORD kNoCommand = static_cast<DWORD>(-1);

// The back-pressure limits: a queue below these is running dry ...
constexpr int kLowPackets = 100;
constexpr int kLowBytes = 0x40000;
// ... and at or below these its delivery thread needs the processor less.
constexpr int kStarvingPackets = 32;
constexpr int kStarvingBytes = 87380;
// Above these totals the delivery threads go back to normal priority.
constexpr int kHealthyPackets = 6666;
constexpr int kHealthyBytes = 3495253;
// The reader waits once the active queues together hold this much.
constexpr int kFullPackets = 10000;
constexpr int kFullBytes = 0x500000;

template <class T>
bool Contains(const std::vector<T>& items, const T& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

}  // namespace

CBaseSplitterFilter::CBaseSplitterFilter(LPCWSTR name, LPUNKNOWN owner, HRESULT* result, REFCLSID clsid)
    : CBaseFilter(name, owner, static_cast<CCritSec*>(this), clsid) {
    HRESULT hr = S_OK;
    m_pInput.reset(new (std::nothrow) CBaseSplitterInputPin(L"Input", this, static_cast<CCritSec*>(this), &hr));
    if (result) *result = m_pInput ? S_OK : E_OUTOFMEMORY;
}

CBaseSplitterFilter::~CBaseSplitterFilter() {
    StopDemuxThread();
    m_pRetiredOutputs.clear();
    m_pOutputs.clear();
    m_pInput.reset();
}

void CBaseSplitterFilter::StopDemuxThread() {
    {
        CAutoLock lock(this);
        CallWorker(CMD_EXIT);
    }
    Close();
}

STDMETHODIMP CBaseSplitterFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IFileSourceFilter) {
        if (m_pInput) return E_NOINTERFACE;
        return GetInterface(static_cast<IFileSourceFilter*>(this), ppv);
    }
    if (riid == IID_IMediaSeeking) return GetInterface(static_cast<IMediaSeeking*>(this), ppv);
    if (riid == IID_IAMOpenProgress) return GetInterface(static_cast<IAMOpenProgress*>(this), ppv);
    if (riid == IID_IAMMediaContent) return GetInterface(static_cast<IAMMediaContent*>(this), ppv);
    if (riid == IID_IAMExtendedSeeking) return GetInterface(static_cast<IAMExtendedSeeking*>(this), ppv);
    if (riid == IID_IKeyFrameInfo) return GetInterface(static_cast<IKeyFrameInfo*>(this), ppv);
    if (riid == IID_IBufferInfo) return GetInterface(static_cast<IBufferInfo*>(this), ppv);
    if (riid == IID_IPropertyBag) return GetInterface(static_cast<IPropertyBag*>(this), ppv);
    if (riid == IID_IPropertyBag2 || riid == IID_IDSMPropertyBag)
        return GetInterface(static_cast<IDSMPropertyBag*>(this), ppv);
    if (riid == IID_IDSMResourceBag) return GetInterface(static_cast<IDSMResourceBag*>(this), ppv);
    if (riid == IID_IDSMChapterBag) return GetInterface(static_cast<IDSMChapterBag*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CBaseSplitterFilter::GetPinCount() {
    CAutoLock lock(this);
    return static_cast<int>(m_pOutputs.size()) + (m_pInput ? 1 : 0);
}

CBasePin* CBaseSplitterFilter::GetPin(int index) {
    CAutoLock lock(this);
    if (index >= 0 && static_cast<size_t>(index) < m_pOutputs.size()) return m_pOutputs[index].get();
    if (index == static_cast<int>(m_pOutputs.size())) return m_pInput.get();
    return nullptr;
}

STDMETHODIMP CBaseSplitterFilter::Stop() {
    CAutoLock lock(this);
    BeginFlushAll();
    CallWorker(CMD_EXIT);
    Close();
    EndFlushAll();
    return CBaseFilter::Stop();
}

STDMETHODIMP CBaseSplitterFilter::Pause() {
    CAutoLock lock(this);
    FILTER_STATE old = m_State;
    HRESULT hr = CBaseFilter::Pause();
    if (FAILED(hr)) return hr;
    if (old == State_Stopped) {
        // Set before the thread runs, so that a seek that comes first is not undone.
        m_eEndFlush.Set();
        m_fFlushing = false;
        Create();
    }
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::Run(REFERENCE_TIME start) {
    CAutoLock lock(this);
    HRESULT hr = CBaseFilter::Run(start);
    return FAILED(hr) ? hr : S_OK;
}

// The demultiplexing thread.
DWORD CBaseSplitterFilter::ThreadProc() {
    if (!DemuxInit()) {
        for (;;) {
            DWORD command = GetRequest();
            Reply(S_OK);
            if (command == CMD_EXIT) return 0;
        }
    }
    DWORD command = kNoCommand;
    do {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        m_priority = THREAD_PRIORITY_NORMAL;
        m_rtStart = m_rtNewStart;
        m_rtStop = m_rtNewStop;
        DemuxSeek(m_rtStart);
        if (command != kNoCommand) Reply(S_OK);
        m_eEndFlush.Wait();

        m_pActivePins.clear();
        for (const auto& pin : m_pOutputs) {
            if (m_fFlushing) break;
            if (pin->IsConnected() && pin->IsStreamSelected()) {
                m_pActivePins.push_back(pin.get());
                pin->DeliverNewSegment(m_rtStart, m_rtStop, m_dRate);
            }
        }
        do {
            m_discontinuitySent.clear();
        } while (!DemuxLoop());
        // At the end of the file every active stream ends; after an interruption none.
        for (CBaseSplitterOutputPin* pin : m_pActivePins) {
            if (IsCommandPending()) break;
            pin->EnqueueEndOfStream();
        }
        command = GetRequest();
    } while (command != CMD_EXIT);
    Reply(S_OK);
    return 0;
}

HRESULT CBaseSplitterFilter::RegisterOutputPin(DWORD track, std::unique_ptr<CBaseSplitterOutputPin> pin) {
    if (!pin) return E_INVALIDARG;
    CAutoLock lock(&m_csPinMap);
    m_pPinMap[track] = pin.get();
    m_pOutputs.push_back(std::move(pin));
    return S_OK;
}

CBaseSplitterOutputPin* CBaseSplitterFilter::FindOutputPin(DWORD track) {
    CAutoLock lock(&m_csPinMap);
    auto it = m_pPinMap.find(track);
    return it == m_pPinMap.end() ? nullptr : it->second;
}

std::shared_ptr<IPacketBufferPool> CBaseSplitterFilter::FindBufferPool(DWORD track) {
    CBaseSplitterOutputPin* pin = FindOutputPin(track);
    return pin ? pin->BufferPool() : nullptr;
}

HRESULT CBaseSplitterFilter::DispatchPacket(std::unique_ptr<Packet> packet) {
    const DWORD track = packet->TrackNumber;
    CBaseSplitterOutputPin* pin = FindOutputPin(track);
    if (!pin || !pin->IsConnected() || !Contains(m_pActivePins, pin)) return S_FALSE;
    if (packet->rtStart != INVALID_PACKET_TIME) {
        m_rtCurrent = packet->rtStart;
        packet->rtStart -= m_rtStart;
        packet->rtStop -= m_rtStart;
    }
    const bool discontinuity = !Contains(m_discontinuitySent, track);
    if (discontinuity) packet->bDiscontinuity = true;
    HRESULT hr = pin->EnqueuePacket(std::move(packet));
    if (hr != S_OK) {
        m_pActivePins.erase(std::find(m_pActivePins.begin(), m_pActivePins.end(), pin));
        return m_pActivePins.empty() ? hr : S_OK;
    }
    if (discontinuity) m_discontinuitySent.push_back(track);
    return S_OK;
}

bool CBaseSplitterFilter::IsAnyQueueLow() {
    int totalPackets = 0, totalBytes = 0;
    for (CBaseSplitterOutputPin* pin : m_pActivePins) {
        int packets = 0, bytes = 0;
        pin->GetQueueStatus(&packets, &bytes);
        if (packets < kLowPackets || bytes < kLowBytes) {
            if (m_priority != THREAD_PRIORITY_BELOW_NORMAL && (packets <= kStarvingPackets || bytes <= kStarvingBytes))
                SetDeliveryPriority(THREAD_PRIORITY_BELOW_NORMAL);
            return true;
        }
        totalPackets += packets;
        totalBytes += bytes;
    }
    if (m_priority != THREAD_PRIORITY_NORMAL && (totalPackets > kHealthyPackets || totalBytes > kHealthyBytes))
        SetDeliveryPriority(THREAD_PRIORITY_NORMAL);
    return totalPackets < kFullPackets && totalBytes < kFullBytes;
}

void CBaseSplitterFilter::SetDeliveryPriority(int priority) {
    for (const auto& pin : m_pOutputs) pin->SetDeliveryThreadPriority(priority);
    m_priority = priority;
}

HRESULT CBaseSplitterFilter::ApplyPositions(void* seeker, LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                            DWORD stopFlags) {
    CAutoLock lock(this);
    const DWORD currentMode = currentFlags & AM_SEEKING_PositioningBitsMask;
    const DWORD stopMode = stopFlags & AM_SEEKING_PositioningBitsMask;
    if ((!current && !stop) || (currentMode == 0 && stopMode == 0)) return S_OK;
    REFERENCE_TIME newCurrent = m_rtCurrent, newStop = m_rtStop;
    if (current) {
        if (currentMode == AM_SEEKING_AbsolutePositioning)
            newCurrent = *current;
        else if (currentMode != AM_SEEKING_NoPositioning)
            newCurrent += *current;
    }
    if (stop) {
        if (stopMode == AM_SEEKING_AbsolutePositioning)
            newStop = *stop;
        else if (stopMode == AM_SEEKING_RelativePositioning)
            newStop += *stop;
        else if (stopMode == AM_SEEKING_IncrementalPositioning)
            newStop = newCurrent + *stop;
    }
    if (newCurrent == m_rtCurrent && newStop == m_rtStop) return S_OK;
    // Each output pin relays the same request: only the first of them seeks.
    if (newCurrent == m_rtLastStart && newStop == m_rtLastStop && !Contains(m_lastSeekers, seeker)) {
        m_lastSeekers.push_back(seeker);
        return S_OK;
    }
    m_rtLastStart = newCurrent;
    m_rtLastStop = newStop;
    m_lastSeekers.assign(1, seeker);
    m_rtCurrent = m_rtNewStart = newCurrent;
    m_rtNewStop = newStop;
    if (ThreadExists()) {
        BeginFlushAll();
        CallWorker(CMD_SEEK);
        EndFlushAll();
    }
    return S_OK;
}

void CBaseSplitterFilter::BeginFlushAll() {
    m_fFlushing = true;
    for (const auto& pin : m_pOutputs) pin->DeliverBeginFlush();
}

void CBaseSplitterFilter::EndFlushAll() {
    for (const auto& pin : m_pOutputs) pin->DeliverEndFlush();
    m_fFlushing = false;
    m_eEndFlush.Set();
}

HRESULT CBaseSplitterFilter::ClearOutputs() {
    CAutoLock lock(this);
    // Nothing changes unless the filter is stopped.
    if (m_State != State_Stopped) return VFW_E_NOT_STOPPED;
    m_rtDuration = 0;
    m_pRetiredOutputs.clear();
    for (auto& pin : m_pOutputs) {
        if (IPin* connected = pin->GetConnected()) connected->Disconnect();
        pin->Disconnect();
        m_pRetiredOutputs.push_back(std::move(pin));
    }
    m_pOutputs.clear();
    CAutoLock pinMapLock(&m_csPinMap);
    m_pPinMap.clear();
    RemoveAllProperties();
    RemoveResources(0);
    RemoveAllChapters();
    return S_OK;
}

HRESULT CBaseSplitterFilter::CompleteInputConnection(CBaseSplitterInputPin* pin) {
    IAsyncReader* reader = pin->GetAsyncReader();
    if (!reader) return VFW_E_NOT_CONNECTED;
    HRESULT hr = ClearOutputs();
    if (SUCCEEDED(hr)) hr = CreateOutputs(reader);
    if (SUCCEEDED(hr)) SortChapters();
    return hr;
}

HRESULT CBaseSplitterFilter::BreakInputConnection() { return ClearOutputs(); }

// IFileSourceFilter

STDMETHODIMP CBaseSplitterFilter::Load(LPCOLESTR fileName, const AM_MEDIA_TYPE*) {
    if (!fileName) return E_POINTER;
    HRESULT hr = E_FAIL;
    CComRef<IAsyncReader> reader(new (std::nothrow) CAsyncFileReader(fileName, &hr));
    if (!reader) hr = E_OUTOFMEMORY;
    if (SUCCEEDED(hr)) hr = ClearOutputs();
    // Refused while running: the loaded file and its name stay.
    if (hr == VFW_E_NOT_STOPPED) return hr;
    if (SUCCEEDED(hr)) hr = CreateOutputs(reader.Get());
    if (FAILED(hr)) {
        m_fileName.clear();
        return hr;
    }
    m_fileName = fileName;
    SortChapters();
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE*) {
    if (!fileName) return E_POINTER;
    *fileName = CopyToTaskString(m_fileName);
    return *fileName ? S_OK : E_OUTOFMEMORY;
}

// IMediaSeeking

STDMETHODIMP CBaseSplitterFilter::GetCapabilities(DWORD* capabilities) {
    if (!capabilities) return E_POINTER;
    *capabilities = kSeekingCapabilities;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::CheckCapabilities(DWORD* capabilities) {
    if (!capabilities) return E_POINTER;
    if (*capabilities == 0) return S_OK;
    if ((*capabilities & kSeekingCapabilities) == 0) return E_FAIL;
    return *capabilities == kSeekingCapabilities ? S_OK : S_FALSE;
}

STDMETHODIMP CBaseSplitterFilter::IsFormatSupported(const GUID* format) {
    if (!format) return E_POINTER;
    return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : S_FALSE;
}

STDMETHODIMP CBaseSplitterFilter::QueryPreferredFormat(GUID* format) { return GetTimeFormat(format); }

STDMETHODIMP CBaseSplitterFilter::GetTimeFormat(GUID* format) {
    if (!format) return E_POINTER;
    *format = TIME_FORMAT_MEDIA_TIME;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::IsUsingTimeFormat(const GUID* format) { return IsFormatSupported(format); }

STDMETHODIMP CBaseSplitterFilter::SetTimeFormat(const GUID* format) {
    return S_OK == IsFormatSupported(format) ? S_OK : E_INVALIDARG;
}

STDMETHODIMP CBaseSplitterFilter::GetDuration(LONGLONG* duration) {
    if (!duration) return E_POINTER;
    *duration = m_rtDuration;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetStopPosition(LONGLONG* stop) { return GetDuration(stop); }

STDMETHODIMP CBaseSplitterFilter::GetCurrentPosition(LONGLONG*) { return E_NOTIMPL; }

STDMETHODIMP CBaseSplitterFilter::ConvertTimeFormat(LONGLONG*, const GUID*, LONGLONG, const GUID*) { return E_NOTIMPL; }

STDMETHODIMP CBaseSplitterFilter::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    return ApplyPositions(this, current, currentFlags, stop, stopFlags);
}

STDMETHODIMP CBaseSplitterFilter::GetPositions(LONGLONG* current, LONGLONG* stop) {
    if (current) *current = m_rtCurrent;
    if (stop) *stop = m_rtStop;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
    if (earliest) *earliest = 0;
    return GetDuration(latest);
}

STDMETHODIMP CBaseSplitterFilter::SetRate(double rate) {
    if (!(rate > 0)) return E_INVALIDARG;
    m_dRate = rate;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetRate(double* rate) {
    if (!rate) return E_POINTER;
    *rate = m_dRate;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetPreroll(LONGLONG* preroll) {
    if (!preroll) return E_POINTER;
    *preroll = 0;
    return S_OK;
}

// IAMOpenProgress

STDMETHODIMP CBaseSplitterFilter::QueryProgress(LONGLONG* total, LONGLONG* current) {
    if (!total || !current) return E_POINTER;
    *total = *current = 100;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::AbortOperation() { return S_OK; }

// IDispatch

STDMETHODIMP CBaseSplitterFilter::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// IAMMediaContent

STDMETHODIMP CBaseSplitterFilter::ContentText(LPCWSTR key, BSTR* value) { return GetPropertyText(key, value); }
STDMETHODIMP CBaseSplitterFilter::get_AuthorName(BSTR* v) { return ContentText(L"AUTH", v); }
STDMETHODIMP CBaseSplitterFilter::get_Title(BSTR* v) { return ContentText(L"TITL", v); }
STDMETHODIMP CBaseSplitterFilter::get_Rating(BSTR* v) { return ContentText(L"RTNG", v); }
STDMETHODIMP CBaseSplitterFilter::get_Description(BSTR* v) { return ContentText(L"DESC", v); }
STDMETHODIMP CBaseSplitterFilter::get_Copyright(BSTR* v) { return ContentText(L"CPYR", v); }
STDMETHODIMP CBaseSplitterFilter::get_BaseURL(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_LogoURL(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_LogoIconURL(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_WatermarkURL(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_MoreInfoURL(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_MoreInfoBannerImage(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_MoreInfoBannerURL(BSTR*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_MoreInfoText(BSTR*) { return E_NOTIMPL; }

// IAMExtendedSeeking

STDMETHODIMP CBaseSplitterFilter::get_ExSeekCapabilities(long* capabilities) {
    if (!capabilities) return E_POINTER;
    *capabilities = AM_EXSEEK_CANSEEK | (GetChapterCount() > 0 ? AM_EXSEEK_MARKERSEEK : 0);
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::get_MarkerCount(long* count) {
    if (!count) return E_POINTER;
    *count = static_cast<long>(GetChapterCount());
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::get_CurrentMarker(long* marker) {
    if (!marker) return E_POINTER;
    REFERENCE_TIME time = m_rtCurrent;
    long index = LookupChapter(&time, nullptr);
    if (index < 0) return E_FAIL;
    *marker = index + 1;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetMarkerTime(long marker, double* seconds) {
    if (!seconds) return E_POINTER;
    REFERENCE_TIME time = 0;
    if (FAILED(GetChapter(static_cast<DWORD>(marker - 1), &time, nullptr))) return E_FAIL;
    *seconds = static_cast<double>(time) / 10000000.0;
    return S_OK;
}

STDMETHODIMP CBaseSplitterFilter::GetMarkerName(long marker, BSTR* name) {
    return GetChapter(static_cast<DWORD>(marker - 1), nullptr, name);
}

STDMETHODIMP CBaseSplitterFilter::put_PlaybackSpeed(double) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::get_PlaybackSpeed(double*) { return E_NOTIMPL; }

// IKeyFrameInfo

STDMETHODIMP CBaseSplitterFilter::GetKeyFrameTotal(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CBaseSplitterFilter::GetKeyFrameTimes(const GUID*, REFERENCE_TIME*, UINT*) { return E_NOTIMPL; }

// IBufferInfo

STDMETHODIMP_(int) CBaseSplitterFilter::GetQueueCount() {
    CAutoLock lock(this);
    return static_cast<int>(m_pOutputs.size());
}

STDMETHODIMP CBaseSplitterFilter::GetQueueStatus(int index, int* samples, int* bytes) {
    if (!samples || !bytes) return E_POINTER;
    CAutoLock lock(this);
    if (index < 0 || static_cast<size_t>(index) >= m_pOutputs.size()) return E_INVALIDARG;
    CBaseSplitterOutputPin* pin = m_pOutputs[index].get();
    pin->GetQueueStatus(samples, bytes);
    return pin->IsConnected() ? S_OK : S_FALSE;
}

STDMETHODIMP_(DWORD) CBaseSplitterFilter::GetQueuePriority() { return static_cast<DWORD>(m_priority.load()); }
