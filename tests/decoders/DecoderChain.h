// A graph without a clock, built pin by pin: the file source and our splitter, one
// of our decoders behind a splitter pin and a recording sink behind the decoder. It
// shows what a decoder gives out, sample by sample.
#pragma once

#include "PlaybackGraph.h"
#include "dshow/TestSinkFilter.h"

#include <string>

class CDecoderChain {
public:
    // decoder: a new filter, without references yet.
    CDecoderChain(const std::wstring& file, LPCWSTR splitterPin, CTransformFilter* decoder,
                  const SinkOptions& sink = SinkOptions());

    // S_OK when every pin is connected.
    HRESULT Built() const { return m_built; }
    CTestSinkPin* Sink() const { return m_sink->Pin(); }
    CPlaybackGraph& Graph() { return m_graph; }
    // Runs until the sink has its end of stream; false after the time-out.
    bool RunToEnd(DWORD timeoutMs = 20000);

private:
    CPlaybackGraph m_graph{false};
    CComRef<IBaseFilter> m_decoder;
    CComRef<CTestSinkFilter> m_sink;
    HRESULT m_built = E_FAIL;
};

// The colour of a pixel of a bottom-up RGB32 picture (row 0 at the top, the buffer's
// last row), and of its centre.
COLORREF PixelOfRgb32(const std::vector<BYTE>& picture, int width, int height, int x, int row);
COLORREF CentreOfRgb32(const std::vector<BYTE>& picture, int width, int height);
