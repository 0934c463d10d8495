#include "DecoderChain.h"

#include "XofGuids.h"
#include "dshow/PinSearch.h"

#include <uuids.h>

namespace {

CComRef<IBaseFilter> AddNew(IGraphBuilder* graph, REFCLSID clsid, LPCWSTR name) {
    CComRef<IBaseFilter> filter;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.ReceiveVoid())))
        graph->AddFilter(filter.Get(), name);
    return filter;
}

}  // namespace

CDecoderChain::CDecoderChain(const std::wstring& file, LPCWSTR splitterPin, CTransformFilter* decoder,
                             const SinkOptions& sink) {
    m_decoder = CComRef<IBaseFilter>(decoder);
    m_sink = CComRef<CTestSinkFilter>(new CTestSinkFilter(sink));
    if (!m_graph.Ready()) return;
    IGraphBuilder* graph = m_graph.Graph();
    CComRef<IBaseFilter> source = AddNew(graph, CLSID_AsyncReader, L"Source");
    CComRef<IBaseFilter> splitter = AddNew(graph, CLSID_XofSplitter, L"Splitter");
    CComRef<IFileSourceFilter> load;
    if (!source || !splitter || FAILED(load.QueryFrom(source.Get(), IID_IFileSourceFilter)) ||
        FAILED(m_built = load->Load(file.c_str(), nullptr)))
        return;
    graph->AddFilter(m_decoder.Get(), L"Decoder");
    graph->AddFilter(m_sink.Get(), L"Sink");
    if (FAILED(m_built = graph->ConnectDirect(FindPin(source.Get(), PINDIR_OUTPUT).Get(),
                                              FindPin(splitter.Get(), PINDIR_INPUT).Get(), nullptr)) ||
        FAILED(m_built = graph->ConnectDirect(FindPin(splitter.Get(), PINDIR_OUTPUT, splitterPin).Get(),
                                              FindPin(m_decoder.Get(), PINDIR_INPUT).Get(), nullptr)))
        return;
    m_built = graph->ConnectDirect(FindPin(m_decoder.Get(), PINDIR_OUTPUT).Get(),
                                   FindPin(m_sink.Get(), PINDIR_INPUT).Get(), nullptr);
}

bool CDecoderChain::RunToEnd(DWORD timeoutMs) {
    if (FAILED(m_graph.Run())) return false;
    return Sink()->WaitForEndOfStream(timeoutMs);
}

COLORREF PixelOfRgb32(const std::vector<BYTE>& picture, int width, int height, int x, int row) {
    size_t at = (static_cast<size_t>(height - 1 - row) * width + x) * 4;
    if (row < 0 || row >= height || x < 0 || x >= width || picture.size() < at + 4) return CLR_INVALID;
    return RGB(picture[at + 2], picture[at + 1], picture[at]);
}

COLORREF CentreOfRgb32(const std::vector<BYTE>& picture, int width, int height) {
    return PixelOfRgb32(picture, width, height, width / 2, height / 2);
}
