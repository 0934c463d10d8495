// IAsyncReader over a file opened by name (synchronous reads only), so that the
// source variant reads the same kind of reader the system's file source gives.
#pragma once

#include "MultiFiles.h"
#include "SplitterInterfaces.h"
#include "strmbase.h"

class CAsyncFileReader : public CUnknown,
                         public CMultiFiles,
                         public IAsyncReader,
                         public ISyncReader,
                         public IFileHandle {
public:
    // result: S_OK when the file opened, else E_FAIL.
    CAsyncFileReader(LPCWSTR name, HRESULT* result);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // IAsyncReader
    STDMETHODIMP RequestAllocator(IMemAllocator* preferred, ALLOCATOR_PROPERTIES* properties,
                                  IMemAllocator** actual) override;
    STDMETHODIMP Request(IMediaSample* sample, DWORD_PTR user) override;
    STDMETHODIMP WaitForNext(DWORD timeout, IMediaSample** sample, DWORD_PTR* user) override;
    STDMETHODIMP SyncReadAligned(IMediaSample* sample) override;
    STDMETHODIMP SyncRead(LONGLONG position, LONG length, BYTE* buffer) override;
    STDMETHODIMP Length(LONGLONG* total, LONGLONG* available) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    // ISyncReader
    STDMETHODIMP_(void) SetCancelEvent(HANDLE event) override { m_cancelEvent = event; }
    STDMETHODIMP_(BOOL) HasReadErrors() override { return m_osError != 0; }
    STDMETHODIMP_(void) ClearReadErrors() override { m_osError = 0; }
    STDMETHODIMP_(void) SetTimeOffsetPointer(REFERENCE_TIME* offset) override { m_timeOffset = offset; }
    // IFileHandle
    STDMETHODIMP_(HANDLE) GetOsHandle() override { return m_file; }
    STDMETHODIMP_(LPCWSTR) GetPartName() override;

private:
    LONGLONG m_length = -1;
    HANDLE m_cancelEvent = nullptr;
    DWORD m_osError = 0;
    REFERENCE_TIME* m_timeOffset = nullptr;
};
