// A renderer for tests and benchmarks: one input pin that accepts any media type,
// offers its own in-process allocator, and records what arrives.
#pragma once

#include "TestAllocator.h"

#include <atomic>
#include <string>
#include <vector>

struct ReceivedSample {
    bool hasTime = false;
    REFERENCE_TIME start = 0, stop = 0;
    bool sync = false, discontinuity = false, preroll = false;
    std::vector<BYTE> data;
};

struct SinkOptions {
    long largestBuffer = 0x7FFFFFFF;  // what the allocator grants at most
    int failAfter = -1;               // Receive fails from this sample on (-1: never)
    bool keepData = true;             // record payloads (a benchmark only counts bytes)
    GUID acceptMajor = GUID_NULL;     // the one major type accepted (GUID_NULL: any)
    bool holdUntilFlush = false;      // Receive waits for a flush, like a paused renderer
    HRESULT connectFailure = S_OK;    // every connection fails with this error (S_OK: none)
    bool ownAllocatorOnly = false;    // NotifyAllocator refuses every allocator but the sink's
};

class CTestSinkFilter;

class CTestSinkPin : public CBasePin, public IMemInputPin {
public:
    CTestSinkPin(CTestSinkFilter* filter, CCritSec* lock, const SinkOptions& options);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckMediaType(const CMediaType* type) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override { return S_FALSE; }

    // What arrived; safe to call while samples flow.
    std::vector<ReceivedSample> Samples();
    bool WaitForEndOfStream(DWORD timeoutMs) { return m_endOfStream.Wait(timeoutMs); }
    int EndOfStreamCount() const { return m_endOfStreams; }
    int FlushCount() const { return m_flushes; }
    int NewSegmentCount() const { return m_newSegments; }
    int ConnectionAttempts() const { return m_connectionAttempts; }
    REFERENCE_TIME LastSegmentStart() const { return m_segmentStart; }
    int64_t ByteCount() const { return m_bytes; }
    CTestAllocator* Allocator() const { return m_allocator.Get(); }
    // The upstream pin delivers through the sink's allocator (else through its own).
    bool UsesOwnAllocator() const { return m_usesOwnAllocator; }

private:
    SinkOptions m_options;
    CComRef<CTestAllocator> m_allocator;
    CCritSec m_samplesLock;
    std::vector<ReceivedSample> m_samples;
    std::atomic<int> m_received{0};
    std::atomic<int64_t> m_bytes{0};
    std::atomic<int> m_endOfStreams{0};
    std::atomic<int> m_flushes{0};
    std::atomic<int> m_newSegments{0};
    std::atomic<int> m_connectionAttempts{0};
    std::atomic<REFERENCE_TIME> m_segmentStart{0};
    std::atomic<bool> m_flushing{false};
    CAMEvent m_endOfStream{TRUE};
    CAMEvent m_released{TRUE};
    std::atomic<bool> m_isReleased{false};
    std::atomic<bool> m_usesOwnAllocator{false};
};

class CTestSinkFilter : public CBaseFilter, public IAMFilterMiscFlags {
public:
    explicit CTestSinkFilter(const SinkOptions& options = SinkOptions());
    ~CTestSinkFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    // A graph waits for the end of the streams of its renderers.
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? m_pin.get() : nullptr; }
    CTestSinkPin* Pin() { return m_pin.get(); }

private:
    CCritSec m_lock;
    std::unique_ptr<CTestSinkPin> m_pin;
};
