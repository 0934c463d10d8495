// An owning interface pointer: releases its reference when it goes.
#pragma once

#include <windows.h>
#include <unknwn.h>

template <class T>
class CComRef {
public:
    CComRef() = default;
    // Takes a new reference on p.
    explicit CComRef(T* p) : m_p(p) {
        if (m_p) m_p->AddRef();
    }
    CComRef(const CComRef& other) : CComRef(other.m_p) {}
    ~CComRef() { Reset(); }
    CComRef& operator=(const CComRef& other) {
        if (other.m_p) other.m_p->AddRef();
        Reset();
        m_p = other.m_p;
        return *this;
    }

    void Reset() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }
    // The address to receive an interface that already carries its reference.
    T** Receive() {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    HRESULT QueryFrom(IUnknown* source, REFIID iid) {
        return source ? source->QueryInterface(iid, ReceiveVoid()) : E_POINTER;
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
