#include "DecoderChain.h"

#include "dshow/PinSearch.h"

#include <uuids.h>

CDecoderChain::CDecoderChain(const std::wstring& file, LPCWSTR splitterPin, CTransformFilter* decoder,
                             const SinkOptions& sink) {
    m_decoder = CComRef<IBaseFilter>(decoder);
    m_sink = CComRef<CTestSinkFilter>(new CTestSinkFilter(sink));
    if (!m_graph.Ready()) return;
    CComRef<IBaseFilter> splitter = m_graph.AddSplitter(file, m_built);
    if (!splitter) return;
    IGraphBuilder* graph = m_graph.Graph();
    graph->AddFilter(m_decoder.Get(), L"Decoder");
    graph->AddFilter(m_sink.Get(), L"Sink");
    if (FAILED(m_built = graph->ConnectDirect(FindPin(splitter.Get(), PINDIR_OUTPUT, splitterPin).Get(),
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
