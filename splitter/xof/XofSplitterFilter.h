// The ".xof" format half of the splitter filter, and the same filter opened by file
// name (no input pin).
#pragma once

#include "BaseSplitterFile.h"
#include "BaseSplitterFilter.h"
#include "portable/XofParser.h"

class CXofSplitterFilter : public CBaseSplitterFilter {
public:
    CXofSplitterFilter(LPUNKNOWN owner, HRESULT* result);
    ~CXofSplitterFilter() override;

protected:
    HRESULT CreateOutputs(IAsyncReader* reader) override;
    bool DemuxInit() override;
    void DemuxSeek(REFERENCE_TIME start) override;
    bool DemuxLoop() override;

private:
    std::unique_ptr<CBaseSplitterFileEx> m_pFile;
    std::unique_ptr<CXofParser> m_parser;
};

class CXofSourceFilter : public CXofSplitterFilter {
public:
    CXofSourceFilter(LPUNKNOWN owner, HRESULT* result);
};
