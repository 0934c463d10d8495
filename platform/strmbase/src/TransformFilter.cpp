#include "TransformFilter.h"

#include <uuids.h>

CTransformInputPin::CTransformInputPin(CTransformFilter* filter, HRESULT* result)
    : CBaseInputPin(L"Transform input", filter, &filter->m_csFilter, result, L"In"), m_pTransform(filter) {}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* type) { return m_pTransform->CheckInputType(type); }

HRESULT CTransformInputPin::SetMediaType(const CMediaType* type) {
    HRESULT hr = CBaseInputPin::SetMediaType(type);
    return FAILED(hr) ? hr : m_pTransform->SetInputType(type);
}

HRESULT CTransformInputPin::BreakConnect() {
    m_pTransform->BreakInput();
    return CBaseInputPin::BreakConnect();
}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* sample) {
    CAutoLock lock(&m_pTransform->m_csReceive);
    HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) return hr;
    if (!m_pTransform->m_pOutput->IsConnected()) return S_OK;
    return m_pTransform->Transform(sample);
}

STDMETHODIMP CTransformInputPin::EndOfStream() {
    CAutoLock lock(&m_pTransform->m_csReceive);
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr == S_FALSE ? S_OK : hr;
    m_pTransform->Drain();
    return m_pTransform->m_pOutput->DeliverEndOfStream();
}

STDMETHODIMP CTransformInputPin::BeginFlush() {
    CAutoLock lock(&m_pTransform->m_csFilter);
    if (!IsConnected() || !m_pTransform->m_pOutput->IsConnected()) return VFW_E_NOT_CONNECTED;
    CBaseInputPin::BeginFlush();
    // Downstream lets go of a sample that the streaming thread may be blocked on.
    return m_pTransform->m_pOutput->DeliverBeginFlush();
}

STDMETHODIMP CTransformInputPin::EndFlush() {
    CAutoLock lock(&m_pTransform->m_csFilter);
    if (!IsConnected() || !m_pTransform->m_pOutput->IsConnected()) return VFW_E_NOT_CONNECTED;
    {
        CAutoLock streaming(&m_pTransform->m_csReceive);
        m_pTransform->Flush();
    }
    CBaseInputPin::EndFlush();
    return m_pTransform->m_pOutput->DeliverEndFlush();
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    CBasePin::NewSegment(start, stop, rate);
    {
        CAutoLock streaming(&m_pTransform->m_csReceive);
        m_pTransform->NewSegment(start, stop, rate);
    }
    return m_pTransform->m_pOutput->IsConnected() ? m_pTransform->m_pOutput->DeliverNewSegment(start, stop, rate)
                                                  : S_OK;
}

CTransformOutputPin::CTransformOutputPin(CTransformFilter* filter, HRESULT* result)
    : CBaseOutputPin(L"Transform output", filter, &filter->m_csFilter, result, L"Out"),
      m_pTransform(filter),
      m_seeking(reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(this)), filter->m_pInput.get()) {}

STDMETHODIMP CTransformOutputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IMediaSeeking) return GetInterface(static_cast<IMediaSeeking*>(&m_seeking), ppv);
    return CBaseOutputPin::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pin) {
    if (!m_pTransform->m_pInput->IsConnected()) return VFW_E_NO_TYPES;
    return CBaseOutputPin::CheckConnect(pin);
}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* type) {
    if (!m_pTransform->m_pInput->IsConnected()) return VFW_E_NOT_CONNECTED;
    return m_pTransform->CheckTransform(&m_pTransform->m_pInput->CurrentMediaType(), type);
}

HRESULT CTransformOutputPin::GetMediaType(int index, CMediaType* type) {
    if (!m_pTransform->m_pInput->IsConnected()) return E_UNEXPECTED;
    return m_pTransform->GetOutputType(index, type);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* type) {
    HRESULT hr = CBaseOutputPin::SetMediaType(type);
    return FAILED(hr) ? hr : m_pTransform->SetOutputType(type);
}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) {
    return m_pTransform->DecideBufferSize(allocator, properties);
}

CTransformFilter::CTransformFilter(LPCWSTR name, LPUNKNOWN owner, REFCLSID clsid)
    : CBaseFilter(name, owner, &m_csFilter, clsid) {
    HRESULT hr = S_OK;
    m_pInput = std::make_unique<CTransformInputPin>(this, &hr);
    m_pOutput = std::make_unique<CTransformOutputPin>(this, &hr);
}

CTransformFilter::~CTransformFilter() = default;

CBasePin* CTransformFilter::GetPin(int index) {
    if (index == 0) return m_pInput.get();
    return index == 1 ? m_pOutput.get() : nullptr;
}

STDMETHODIMP CTransformFilter::Stop() {
    CAutoLock lock(&m_csFilter);
    // Deactivating the pins ends a wait for an output buffer; the streaming lock then
    // waits for the sample in hand.
    HRESULT hr = CBaseFilter::Stop();
    CAutoLock streaming(&m_csReceive);
    if (m_bStreaming) {
        StopStreaming();
        m_bStreaming = false;
    }
    return hr;
}

STDMETHODIMP CTransformFilter::Pause() {
    CAutoLock lock(&m_csFilter);
    if (m_State == State_Stopped && m_pInput->IsConnected() && m_pOutput->IsConnected()) {
        CAutoLock streaming(&m_csReceive);
        HRESULT hr = StartStreaming();
        if (FAILED(hr)) return hr;
        m_bStreaming = true;
    }
    return CBaseFilter::Pause();
}

HRESULT CTransformFilter::GetDeliveryBuffer(CComRef<IMediaSample>& sample) {
    HRESULT hr = m_pOutput->GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0);
    if (FAILED(hr)) return hr;
    AM_MEDIA_TYPE* type = nullptr;
    if (sample->GetMediaType(&type) == S_OK && type) {
        m_pOutput->AdoptMediaType(*type);
        SetOutputType(&m_pOutput->CurrentMediaType());
        DeleteMediaType(type);
    }
    return S_OK;
}

HRESULT CTransformFilter::Deliver(IMediaSample* sample) { return m_pOutput->Deliver(sample); }
