// An in-process memory allocator and its samples: no cross-process round trips, and
// a largest buffer it will grant, to play a downstream allocator that gives less.
#pragma once

#include "strmbase.h"

#include <memory>
#include <vector>

class CTestAllocator;

class CTestSample : public CMediaSample {
public:
    CTestSample(CTestAllocator* allocator, long size);

private:
    std::vector<BYTE> m_buffer;
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
