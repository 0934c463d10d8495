// The source filter opened on a generated file, its outputs connected to test sinks,
// driven without a filter graph manager.
#pragma once

#include "TempFile.h"
#include "XofSplitterFilter.h"
#include "dshow/TestSinkFilter.h"

#include <map>

class CSourceRun {
public:
    explicit CSourceRun(const Bytes& file, const SinkOptions& options = SinkOptions());
    ~CSourceRun();

    HRESULT LoadResult() const { return m_load; }
    IBaseFilter* Filter() const { return m_filter.Get(); }
    template <class T>
    CComRef<T> Query(REFIID iid) const {
        CComRef<T> result;
        result.QueryFrom(m_filter.Get(), iid);
        return result;
    }
    // The sink on the pin named "Audio" or "Video"; null when the file has none.
    CTestSinkPin* Sink(const std::wstring& pinName);
    CBaseSplitterOutputPin* OutputPin(const std::wstring& pinName);
    HRESULT Run();
    HRESULT Stop();
    // Every sink has had its end of stream.
    bool WaitForEnd(DWORD timeoutMs = 20000);

private:
    CTempFile m_file;
    CComRef<IBaseFilter> m_filter;
    CXofSourceFilter* m_source = nullptr;
    HRESULT m_load = E_FAIL;
    std::map<std::wstring, CComRef<IBaseFilter>> m_sinkFilters;
    std::map<std::wstring, CTestSinkFilter*> m_sinks;
};
