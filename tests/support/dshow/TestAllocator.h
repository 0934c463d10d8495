// An in-process memory allocator and its samples: no cross-process round trips, and
// a largest buffer it will grant, to play a downstream allocator that gives less.
#pragma once

#include "strmbase.h"

#include <memory>
#include <vector>

class CTestAllocator;

class CTestSample : public IMediaSample {
public:
    CTestSample(CTestAllocator* allocator, long size);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetPointer(BYTE** buffer) override;
    STDMETHODIMP_(long) GetSize() override { return static_cast<long>(m_buffer.size()); }
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

    // Back to the pool: the flags and times of the last use are dropped.
    void Recycle();

private:
    CTestAllocator* m_allocator;
    volatile LONG m_ref = 0;
    std::vector<BYTE> m_buffer;
    long m_length = 0;
    bool m_hasTime = false;
    REFERENCE_TIME m_start = 0, m_stop = 0;
    bool m_sync = false, m_preroll = false, m_discontinuity = false;
};

class CTestAllocator : public CComObject<IMemAllocator, &IID_IMemAllocator> {
public:
    explicit CTestAllocator(long largestBuffer = 0x7FFFFFFF) : m_largestBuffer(largestBuffer) {}
    ~CTestAllocator() override;

    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* wanted, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Commit() override;
    STDMETHODIMP Decommit() override;
    STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override;
    STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override;

private:
    // A lock and a condition of the process itself: a sample comes back for every
    // packet, and that must cost no system call.
    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_freed = CONDITION_VARIABLE_INIT;
    long m_largestBuffer;
    ALLOCATOR_PROPERTIES m_properties = {};
    bool m_committed = false;
    std::vector<std::unique_ptr<CTestSample>> m_samples;
    std::vector<CTestSample*> m_free;
    int m_outstanding = 0;
};
