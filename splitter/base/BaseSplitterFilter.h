// The format-independent splitter filter: one input pin (none for the source
// variant), output pins, a demultiplexing thread that the format's four operations
// drive, seeking with coalesced requests, packet dispatch with back-pressure, and the
// informational interfaces.
#pragma once

#include "BaseSplitterInputPin.h"
#include "BaseSplitterOutputPin.h"
#include "DSMChapterBag.h"
#include "DSMPropertyBag.h"
#include "DSMResourceBag.h"

#include <qnetwork.h>

#include <atomic>
#include <map>
#include <string>

class CBaseSplitterFilter : public CBaseFilter,
                            public CCritSec,
                            public IDSMPropertyBagImpl,
                            public IDSMResourceBagImpl,
                            public IDSMChapterBagImpl,
                            protected CAMThread,
                            public IFileSourceFilter,
                            public IMediaSeeking,
                            public IAMOpenProgress,
                            public IAMMediaContent,
                            public IAMExtendedSeeking,
                            public IKeyFrameInfo,
                            public IBufferInfo {
public:
    // Commands of the demultiplexing thread.
    enum { CMD_EXIT = 0, CMD_SEEK = 1 };

    CBaseSplitterFilter(LPCWSTR name, LPUNKNOWN owner, HRESULT* result, REFCLSID clsid);
    ~CBaseSplitterFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // CBaseFilter
    int GetPinCount() override;
    CBasePin* GetPin(int index) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;

    // IFileSourceFilter
    STDMETHODIMP Load(LPCOLESTR fileName, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* type) override;

    // IMediaSeeking
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

    // IAMOpenProgress
    STDMETHODIMP QueryProgress(LONGLONG* total, LONGLONG* current) override;
    STDMETHODIMP AbortOperation() override;

    // IDispatch (of IAMMediaContent and IAMExtendedSeeking)
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    // IAMMediaContent
    STDMETHODIMP get_AuthorName(BSTR* value) override;
    STDMETHODIMP get_Title(BSTR* value) override;
    STDMETHODIMP get_Rating(BSTR* value) override;
    STDMETHODIMP get_Description(BSTR* value) override;
    STDMETHODIMP get_Copyright(BSTR* value) override;
    STDMETHODIMP get_BaseURL(BSTR* value) override;
    STDMETHODIMP get_LogoURL(BSTR* value) override;
    STDMETHODIMP get_LogoIconURL(BSTR* value) override;
    STDMETHODIMP get_WatermarkURL(BSTR* value) override;
    STDMETHODIMP get_MoreInfoURL(BSTR* value) override;
    STDMETHODIMP get_MoreInfoBannerImage(BSTR* value) override;
    STDMETHODIMP get_MoreInfoBannerURL(BSTR* value) override;
    STDMETHODIMP get_MoreInfoText(BSTR* value) override;

    // IAMExtendedSeeking
    STDMETHODIMP get_ExSeekCapabilities(long* capabilities) override;
    STDMETHODIMP get_MarkerCount(long* count) override;
    STDMETHODIMP get_CurrentMarker(long* marker) override;
    STDMETHODIMP GetMarkerTime(long marker, double* seconds) override;
    STDMETHODIMP GetMarkerName(long marker, BSTR* name) override;
    STDMETHODIMP put_PlaybackSpeed(double speed) override;
    STDMETHODIMP get_PlaybackSpeed(double* speed) override;

    // IKeyFrameInfo
    STDMETHODIMP GetKeyFrameTotal(UINT* count) override;
    STDMETHODIMP GetKeyFrameTimes(const GUID* format, REFERENCE_TIME* times, UINT* count) override;

    // IBufferInfo
    STDMETHODIMP_(int) GetQueueCount() override;
    STDMETHODIMP GetQueueStatus(int index, int* samples, int* bytes) override;
    STDMETHODIMP_(DWORD) GetQueuePriority() override;

    // The one place where positions change; seeker names who asks.
    virtual HRESULT ApplyPositions(void* seeker, LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                   DWORD stopFlags);
    // Removes every output pin; VFW_E_NOT_STOPPED unless stopped.
    virtual HRESULT ClearOutputs();

    HRESULT RegisterOutputPin(DWORD track, std::unique_ptr<CBaseSplitterOutputPin> pin);
    CBaseSplitterOutputPin* FindOutputPin(DWORD track);
    // The payload buffers of the track's pin; null when it has none.
    std::shared_ptr<IPacketBufferPool> FindBufferPool(DWORD track);
    // On the demultiplexing thread: hands a packet to its pin's queue.
    HRESULT DispatchPacket(std::unique_ptr<Packet> packet);
    // The back-pressure rule, asked by the pins while they queue.
    bool IsAnyQueueLow();
    HRESULT CompleteInputConnection(CBaseSplitterInputPin* pin);
    HRESULT BreakInputConnection();

protected:
    // The format's operations.
    virtual HRESULT CreateOutputs(IAsyncReader* reader) = 0;
    virtual bool DemuxInit() = 0;
    virtual void DemuxSeek(REFERENCE_TIME start) = 0;
    virtual bool DemuxLoop() = 0;

    DWORD ThreadProc() override;
    // True when the reading loop should stop for a command of the thread.
    bool IsCommandPending() { return CheckRequest(nullptr) != FALSE; }
    // Ends the demultiplexing thread; a format calls it before freeing its reader.
    void StopDemuxThread();
    // The source variant has no input pin.
    void RemoveInputPin() { m_pInput.reset(); }

    REFERENCE_TIME m_rtDuration = 0;
    REFERENCE_TIME m_rtStart = 0;
    REFERENCE_TIME m_rtStop = 0;
    std::atomic<REFERENCE_TIME> m_rtCurrent{0};
    REFERENCE_TIME m_rtNewStart = 0;
    REFERENCE_TIME m_rtNewStop = 0;

private:
    void BeginFlushAll();
    void EndFlushAll();
    void SetDeliveryPriority(int priority);
    STDMETHODIMP ContentText(LPCWSTR key, BSTR* value);

    std::unique_ptr<CBaseSplitterInputPin> m_pInput;
    std::vector<std::unique_ptr<CBaseSplitterOutputPin>> m_pOutputs;
    std::vector<std::unique_ptr<CBaseSplitterOutputPin>> m_pRetiredOutputs;
    CCritSec m_csPinMap;
    std::map<DWORD, CBaseSplitterOutputPin*> m_pPinMap;
    std::vector<CBaseSplitterOutputPin*> m_pActivePins;
    std::vector<DWORD> m_discontinuitySent;
    std::wstring m_fileName;
    double m_dRate = 1.0;
    CAMEvent m_eEndFlush;
    std::atomic<bool> m_fFlushing{false};
    std::atomic<int> m_priority{THREAD_PRIORITY_NORMAL};
    REFERENCE_TIME m_rtLastStart = INT64_MIN;
    REFERENCE_TIME m_rtLastStop = INT64_MIN;
    std::vector<void*> m_lastSeekers;
};
