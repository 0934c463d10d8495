#include "AsyncFileReader.h"

CAsyncFileReader::CAsyncFileReader(LPCWSTR name, HRESULT* result) : CUnknown(L"CAsyncFileReader", nullptr) {
    bool opened = Open(name);
    if (opened) m_length = GetLength();
    if (result) *result = opened ? S_OK : E_FAIL;
}

STDMETHODIMP CAsyncFileReader::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IAsyncReader) return GetInterface(static_cast<IAsyncReader*>(this), ppv);
    if (riid == IID_ISyncReader) return GetInterface(static_cast<ISyncReader*>(this), ppv);
    if (riid == IID_IFileHandle) return GetInterface(static_cast<IFileHandle*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CAsyncFileReader::SyncRead(LONGLONG position, LONG length, BYTE* buffer) {
    if (position < 0 || length < 0 || position + length > GetLength()) return E_FAIL;
    if (Seek(position, FILE_BEGIN) != position) return E_FAIL;
    // A read that brings fewer bytes than asked is a failure, not the end of the file.
    LONGLONG read = Read(buffer, static_cast<DWORD>(length));
    return read == length ? S_OK : E_FAIL;
}

STDMETHODIMP CAsyncFileReader::Length(LONGLONG* total, LONGLONG* available) {
    if (total) *total = m_length;
    if (available) *available = m_length;
    return S_OK;
}

STDMETHODIMP CAsyncFileReader::RequestAllocator(IMemAllocator*, ALLOCATOR_PROPERTIES*, IMemAllocator**) {
    return E_NOTIMPL;
}
STDMETHODIMP CAsyncFileReader::Request(IMediaSample*, DWORD_PTR) { return E_NOTIMPL; }
STDMETHODIMP CAsyncFileReader::WaitForNext(DWORD, IMediaSample**, DWORD_PTR*) { return E_NOTIMPL; }
STDMETHODIMP CAsyncFileReader::SyncReadAligned(IMediaSample*) { return E_NOTIMPL; }
STDMETHODIMP CAsyncFileReader::BeginFlush() { return E_NOTIMPL; }
STDMETHODIMP CAsyncFileReader::EndFlush() { return E_NOTIMPL; }

STDMETHODIMP_(LPCWSTR) CAsyncFileReader::GetPartName() {
    if (m_names.empty()) return L"";
    return m_names[m_openPart >= 0 ? m_openPart : 0].c_str();
}
