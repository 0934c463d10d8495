// An output pin of the splitter: packets queued by the reading thread are delivered
// downstream by the pin's own delivery thread.
#pragma once

#include "DSMPropertyBag.h"
#include "PacketAllocator.h"
#include "PacketBufferPool.h"
#include "PacketQueue.h"
#include "strmbase.h"

#include <atomic>
#include <memory>
#include <vector>

class CBaseSplitterFilter;

class CBaseSplitterOutputPin : public CBaseOutputPin,
                               public IDSMPropertyBagImpl,
                               protected CAMThread,
                               public IMediaSeeking,
                               public IBitRateInfo {
public:
    CBaseSplitterOutputPin(const std::vector<CMediaType>& types, LPCWSTR name, CBaseSplitterFilter* filter,
                           CCritSec* lock, HRESULT* result, int buffers = 0);
    ~CBaseSplitterOutputPin() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int index, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override;
    // The pin's own allocator when downstream takes it, else downstream's (copies).
    HRESULT DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator) override;
    HRESULT Active() override;
    HRESULT Inactive() override;
    HRESULT DeliverBeginFlush() override;
    HRESULT DeliverEndFlush() override;
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // On the reading thread: waits while the filter's queues are full enough; the
    // delivery result (S_OK while delivering).
    HRESULT EnqueuePacket(std::unique_ptr<Packet> packet);
    HRESULT EnqueueEndOfStream();
    // False when a downstream stream switcher has this stream switched off.
    bool IsStreamSelected();
    void GetQueueStatus(int* count, int* size) { m_queue.GetStatus(count, size); }
    void SetDeliveryThreadPriority(int priority);
    // Where the payloads of this pin's packets come from.
    std::shared_ptr<IPacketBufferPool> BufferPool() const { return m_pool; }

    // IMediaSeeking: the filter's, except that SetPositions names this pin as seeker.
    STDMETHODIMP GetCapabilities(DWORD* capabilities) override;
    STDMETHODIMP CheckCapabilities(DWORD* capabilities) override;
    STDMETHODIMP IsFormatSupported(const GUID* format) override;
    STDMETHODIMP QueryPreferredFormat(GUID* format) override;
    STDMETHODIMP GetTimeFormat(GUID* format) override;
    STDMETHODIMP IsUsingTimeFormat(const GUID* format) override;
    STDMETHODIMP SetTimeFormat(const GUID* format) override;
    STDMETHODIMP GetDuration(LONGLONG* duration) override;
    STDMETHODIMP GetStopPosition(LONGLONG* stop) override;
    STDMETHODIMP GetCurrentPosition(LONGLONG* current) override;
    STDMETHODIMP ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                   const GUID* sourceFormat) override;
    STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override;
    STDMETHODIMP GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    STDMETHODIMP SetRate(double rate) override;
    STDMETHODIMP GetRate(double* rate) override;
    STDMETHODIMP GetPreroll(LONGLONG* preroll) override;
    // IBitRateInfo
    STDMETHODIMP_(DWORD) GetCurrentRate() override { return m_currentRate; }
    STDMETHODIMP_(DWORD) GetAverageRate() override { return m_averageRate; }

protected:
    // Delivers one packet downstream (on the delivery thread).
    virtual HRESULT SendPacket(std::unique_ptr<Packet> packet);
    DWORD ThreadProc() override;

private:
    void MeasureBitRate(const Packet& packet);
    HRESULT GetBufferOfSize(size_t size, CComRef<IMediaSample>& sample);
    // A sample of downstream's allocator holding a copy of the payload (none: nothing to send).
    HRESULT CopyToSample(const Packet& packet, CComRef<IMediaSample>& sample);
    void PrimeScriptRenderer();
    void StopDeliveryThread();

    CBaseSplitterFilter* m_pSplitter;
    std::vector<CMediaType> m_types;
    int m_buffers;
    PacketQueue m_queue;
    std::shared_ptr<CPacketBufferPool> m_pool;
    // The connection's allocator is our own CPacketAllocator.
    bool m_ownAllocator = false;
    std::atomic<HRESULT> m_hrDeliver{S_OK};
    std::atomic<bool> m_flushing{false};
    std::atomic<bool> m_flushed{false};
    CAMEvent m_endFlush{TRUE};

    uint64_t m_bytesSinceMeasure = 0;
    REFERENCE_TIME m_lastMeasure = INVALID_PACKET_TIME;
    uint64_t m_totalBytes = 0;
    REFERENCE_TIME m_totalTime = 0;
    DWORD m_currentRate = 0;
    DWORD m_averageRate = 0;
};
