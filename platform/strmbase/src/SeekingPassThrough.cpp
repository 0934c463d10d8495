#include "SeekingPassThrough.h"

#include "ComRef.h"

IMediaSeeking* CSeekingPassThrough::Upstream(HRESULT* hr) {
    IPin* peer = m_input->GetConnected();
    IMediaSeeking* seeking = nullptr;
    *hr = peer ? peer->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)) : VFW_E_NOT_CONNECTED;
    if (FAILED(*hr)) seeking = nullptr;
    if (!seeking && SUCCEEDED(*hr)) *hr = E_NOTIMPL;
    return seeking;
}

// Calls a method of the upstream IMediaSeeking, or answers with why it cannot.
#define PASS_UPSTREAM(call)              \
    HRESULT hr;                          \
    CComRef<IMediaSeeking> upstream;     \
    *upstream.Receive() = Upstream(&hr); \
    return upstream ? upstream->call : hr

STDMETHODIMP CSeekingPassThrough::GetCapabilities(DWORD* capabilities) { PASS_UPSTREAM(GetCapabilities(capabilities)); }
STDMETHODIMP CSeekingPassThrough::CheckCapabilities(DWORD* capabilities) {
    PASS_UPSTREAM(CheckCapabilities(capabilities));
}
STDMETHODIMP CSeekingPassThrough::IsFormatSupported(const GUID* format) { PASS_UPSTREAM(IsFormatSupported(format)); }
STDMETHODIMP CSeekingPassThrough::QueryPreferredFormat(GUID* format) { PASS_UPSTREAM(QueryPreferredFormat(format)); }
STDMETHODIMP CSeekingPassThrough::GetTimeFormat(GUID* format) { PASS_UPSTREAM(GetTimeFormat(format)); }
STDMETHODIMP CSeekingPassThrough::IsUsingTimeFormat(const GUID* format) { PASS_UPSTREAM(IsUsingTimeFormat(format)); }
STDMETHODIMP CSeekingPassThrough::SetTimeFormat(const GUID* format) { PASS_UPSTREAM(SetTimeFormat(format)); }
STDMETHODIMP CSeekingPassThrough::GetDuration(LONGLONG* duration) { PASS_UPSTREAM(GetDuration(duration)); }
STDMETHODIMP CSeekingPassThrough::GetStopPosition(LONGLONG* stop) { PASS_UPSTREAM(GetStopPosition(stop)); }
STDMETHODIMP CSeekingPassThrough::GetCurrentPosition(LONGLONG* current) { PASS_UPSTREAM(GetCurrentPosition(current)); }
STDMETHODIMP CSeekingPassThrough::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                    const GUID* sourceFormat) {
    PASS_UPSTREAM(ConvertTimeFormat(target, targetFormat, source, sourceFormat));
}
STDMETHODIMP CSeekingPassThrough::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    PASS_UPSTREAM(SetPositions(current, currentFlags, stop, stopFlags));
}
STDMETHODIMP CSeekingPassThrough::GetPositions(LONGLONG* current, LONGLONG* stop) {
    PASS_UPSTREAM(GetPositions(current, stop));
}
STDMETHODIMP CSeekingPassThrough::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
    PASS_UPSTREAM(GetAvailable(earliest, latest));
}
STDMETHODIMP CSeekingPassThrough::SetRate(double rate) { PASS_UPSTREAM(SetRate(rate)); }
STDMETHODIMP CSeekingPassThrough::GetRate(double* rate) { PASS_UPSTREAM(GetRate(rate)); }
STDMETHODIMP CSeekingPassThrough::GetPreroll(LONGLONG* preroll) { PASS_UPSTREAM(GetPreroll(preroll)); }
