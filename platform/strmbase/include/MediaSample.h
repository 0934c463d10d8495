// A media sample over a buffer that its allocator supplies. When the last reference
// goes, the sample goes back to the allocator (IMemAllocator::ReleaseBuffer).
#pragma once

#include <windows.h>
#include <strmif.h>

class CMediaSample : public IMediaSample {
public:
    explicit CMediaSample(IMemAllocator* allocator) : m_allocator(allocator) {}
    virtual ~CMediaSample() = default;
    CMediaSample(const CMediaSample&) = delete;
    CMediaSample& operator=(const CMediaSample&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetPointer(BYTE** buffer) override;
    STDMETHODIMP_(long) GetSize() override { return m_size; }
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP IsSyncPoint() override { return m_sync ? S_OK : S_FALSE; }
    STDMETHODIMP SetSyncPoint(BOOL sync) override;
    STDMETHODIMP IsPreroll() override { return m_preroll ? S_OK : S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL preroll) override;
    STDMETHODIMP_(long) GetActualDataLength() override { return m_length; }
    STDMETHODIMP SetActualDataLength(long length) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP IsDiscontinuity() override { return m_discontinuity ? S_OK : S_FALSE; }
    STDMETHODIMP SetDiscontinuity(BOOL discontinuity) override;
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* stop) override;
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* stop) override;

    // The buffer behind the sample; it stays the allocator's.
    void SetPointer(BYTE* buffer, long size) {
        m_buffer = buffer;
        m_size = size;
    }
    // Back to the pool: the length, flags and times of the last use are dropped.
    virtual void Recycle();

private:
    IMemAllocator* m_allocator;
    volatile LONG m_ref = 0;
    BYTE* m_buffer = nullptr;
    long m_size = 0;
    long m_length = 0;
    bool m_hasTime = false;
    REFERENCE_TIME m_start = 0, m_stop = 0;
    bool m_sync = false, m_preroll = false, m_discontinuity = false;
};
