#include "MediaSample.h"

#include <uuids.h>
#include <vfwmsgs.h>

STDMETHODIMP CMediaSample::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMediaSample) {
        *ppv = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMediaSample::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_ref)); }

STDMETHODIMP_(ULONG) CMediaSample::Release() {
    // The allocator may free the sample: nothing of it is touched afterwards.
    LONG ref = InterlockedDecrement(&m_ref);
    if (ref == 0) m_allocator->ReleaseBuffer(this);
    return static_cast<ULONG>(ref);
}

STDMETHODIMP CMediaSample::GetPointer(BYTE** buffer) {
    if (!buffer) return E_POINTER;
    *buffer = m_buffer;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    if (!m_hasTime) return VFW_E_SAMPLE_TIME_NOT_SET;
    if (!start || !stop) return E_POINTER;
    *start = m_start;
    *stop = m_stop;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    m_hasTime = start != nullptr;
    if (start) {
        m_start = *start;
        m_stop = stop ? *stop : *start + 1;
    }
    return S_OK;
}

STDMETHODIMP CMediaSample::SetSyncPoint(BOOL sync) {
    m_sync = sync != FALSE;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetPreroll(BOOL preroll) {
    m_preroll = preroll != FALSE;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetActualDataLength(long length) {
    if (length < 0 || length > m_size) return VFW_E_BUFFER_OVERFLOW;
    m_length = length;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaType(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    *type = nullptr;
    return S_FALSE;
}

STDMETHODIMP CMediaSample::SetMediaType(AM_MEDIA_TYPE*) { return S_OK; }

STDMETHODIMP CMediaSample::SetDiscontinuity(BOOL discontinuity) {
    m_discontinuity = discontinuity != FALSE;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaTime(LONGLONG*, LONGLONG*) { return VFW_E_MEDIA_TIME_NOT_SET; }

STDMETHODIMP CMediaSample::SetMediaTime(LONGLONG*, LONGLONG*) { return S_OK; }

void CMediaSample::Recycle() {
    m_length = 0;
    m_hasTime = m_sync = m_preroll = m_discontinuity = false;
}
