// The filter module's own interfaces, and the platform interfaces the headers at hand
// do not declare.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <strmif.h>

extern const IID IID_IKeyFrameInfo;
extern const IID IID_IBufferInfo;
extern const IID IID_IDSMPropertyBag;
extern const IID IID_IDSMResourceBag;
extern const IID IID_IDSMChapterBag;
extern const IID IID_IBitRateInfo;
extern const IID IID_ISyncReader;
extern const IID IID_IFileHandle;
extern const IID IID_IAMExtendedSeeking;
extern const IID IID_IStreamSwitcherInputPin;

enum {
    AM_EXSEEK_CANSEEK = 1,
    AM_EXSEEK_MARKERSEEK = 4,
};

struct IKeyFrameInfo : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetKeyFrameTotal(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetKeyFrameTimes(const GUID* format, REFERENCE_TIME* times, UINT* count) = 0;
};

struct IBufferInfo : public IUnknown {
    virtual int STDMETHODCALLTYPE GetQueueCount() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetQueueStatus(int index, int* samples, int* bytes) = 0;
    virtual DWORD STDMETHODCALLTYPE GetQueuePriority() = 0;
};

struct IDSMPropertyBag : public IPropertyBag2 {
    virtual HRESULT STDMETHODCALLTYPE SetPropertyVariant(LPCWSTR key, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPropertyText(LPCWSTR key, LPCWSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPropertyText(LPCWSTR key, BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveAllProperties() = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveProperty(LPCWSTR key) = 0;
};

struct IDSMResourceBag : public IUnknown {
    virtual DWORD STDMETHODCALLTYPE GetResourceCount() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetResource(DWORD index, BSTR* name, BSTR* description, BSTR* mime, BYTE** data,
                                                  DWORD* length, DWORD_PTR* tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetResource(DWORD index, LPCWSTR name, LPCWSTR description, LPCWSTR mime,
                                                  const BYTE* data, DWORD length, DWORD_PTR tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE AppendResource(LPCWSTR name, LPCWSTR description, LPCWSTR mime, const BYTE* data,
                                                     DWORD length, DWORD_PTR tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveResourceAt(DWORD index) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveResources(DWORD_PTR tag) = 0;
};

struct IDSMChapterBag : public IUnknown {
    virtual DWORD STDMETHODCALLTYPE GetChapterCount() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChapter(DWORD index, REFERENCE_TIME* time, BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetChapter(DWORD index, REFERENCE_TIME time, LPCWSTR name) = 0;
    virtual HRESULT STDMETHODCALLTYPE AppendChapter(REFERENCE_TIME time, LPCWSTR name) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveChapterAt(DWORD index) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveAllChapters() = 0;
    virtual long STDMETHODCALLTYPE LookupChapter(REFERENCE_TIME* time, BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE SortChapters() = 0;
};

struct IBitRateInfo : public IUnknown {
    virtual DWORD STDMETHODCALLTYPE GetCurrentRate() = 0;
    virtual DWORD STDMETHODCALLTYPE GetAverageRate() = 0;
};

struct ISyncReader : public IUnknown {
    virtual void STDMETHODCALLTYPE SetCancelEvent(HANDLE event) = 0;
    virtual BOOL STDMETHODCALLTYPE HasReadErrors() = 0;
    virtual void STDMETHODCALLTYPE ClearReadErrors() = 0;
    virtual void STDMETHODCALLTYPE SetTimeOffsetPointer(REFERENCE_TIME* offset) = 0;
};

struct IFileHandle : public IUnknown {
    virtual HANDLE STDMETHODCALLTYPE GetOsHandle() = 0;
    virtual LPCWSTR STDMETHODCALLTYPE GetPartName() = 0;
};

// The extended seeking interface of the platform's media player control.
struct IAMExtendedSeeking : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_ExSeekCapabilities(long* capabilities) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MarkerCount(long* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentMarker(long* marker) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMarkerTime(long marker, double* seconds) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMarkerName(long marker, BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PlaybackSpeed(double speed) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackSpeed(double* speed) = 0;
};

// A downstream filter's input pin that can deselect its stream.
struct IStreamSwitcherInputPin : public IUnknown {
    virtual BOOL STDMETHODCALLTYPE IsActive() = 0;
};
