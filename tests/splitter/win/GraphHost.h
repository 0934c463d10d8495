// Graphs of the platform's filter graph manager around the registered splitter:
// the file source, our splitter, sample grabbers that record what passes and null
// renderers, run with no clock so that they go as fast as they can.
#pragma once

#include "ModuleFile.h"
#include "TempFile.h"
#include "dshow/PinSearch.h"
#include "strmbase.h"

#include <control.h>
#include <qedit.h>

#include <memory>
#include <vector>

extern const CLSID CLSID_SampleGrabberFilter;
extern const CLSID CLSID_NullRendererFilter;

struct GrabbedSample {
    bool hasTime = false;
    REFERENCE_TIME start = 0, stop = 0;
    bool sync = false, discontinuity = false, preroll = false;
    long bytes = 0;
};

// Records every sample that passes a sample grabber.
class CGrabberRecorder : public CComObject<ISampleGrabberCB, &IID_ISampleGrabberCB> {
public:
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double time, BYTE* buffer, long length) override;
    std::vector<GrabbedSample> Samples();
    void Clear();

private:
    CCritSec m_lock;
    std::vector<GrabbedSample> m_samples;
};

class CGraphHost {
public:
    CGraphHost();
    ~CGraphHost();

    HRESULT AddFilter(REFCLSID clsid, LPCWSTR name, CComRef<IBaseFilter>& filter);
    // The file source on a file, our splitter connected to it.
    HRESULT OpenWithSplitter(const std::wstring& file);
    // A grabber (recording, with an optional media type to insist on) and a null
    // renderer behind a splitter output; intelligent connect when asked.
    HRESULT RenderPinToGrabber(LPCWSTR pinName, const AM_MEDIA_TYPE* wanted, bool intelligent,
                               CGrabberRecorder** recorder);
    // Runs until every stream has ended; the completion code.
    long RunToCompletion(DWORD timeoutMs = 30000);
    bool HasFilterOfClass(REFCLSID clsid);
    std::vector<CLSID> FilterClasses();

    IGraphBuilder* Graph() const { return m_graph.Get(); }
    CComRef<IMediaSeeking> Seeking();
    CComRef<IMediaControl> Control();
    IBaseFilter* Splitter() const { return m_splitter.Get(); }

private:
    CRegistrationLock m_registration;
    CComRef<IGraphBuilder> m_graph;
    CComRef<IBaseFilter> m_source;
    CComRef<IBaseFilter> m_splitter;
    std::vector<CComRef<CGrabberRecorder>> m_recorders;
};
