// Collections of the class library subset.
#pragma once

#include "afxstr.h"
#include <vector>

class CStringArray {
public:
    INT_PTR GetSize() const { return (INT_PTR)m_items.size(); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(INT_PTR size) { m_items.resize(size > 0 ? (size_t)size : 0); }
    const CString& GetAt(INT_PTR i) const { return m_items.at((size_t)i); }
    CString& ElementAt(INT_PTR i) { return m_items.at((size_t)i); }
    void SetAt(INT_PTR i, const CString& s) { m_items.at((size_t)i) = s; }
    const CString& operator[](INT_PTR i) const { return GetAt(i); }
    CString& operator[](INT_PTR i) { return ElementAt(i); }
    INT_PTR Add(const CString& s) { m_items.push_back(s); return GetUpperBound(); }
    INT_PTR Append(const CStringArray& other) {
        INT_PTR first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CStringArray& other) { m_items = other.m_items; }
    void InsertAt(INT_PTR i, const CString& s, INT_PTR count = 1) {
        if (i > GetSize()) m_items.resize((size_t)i);
        m_items.insert(m_items.begin() + i, (size_t)count, s);
    }
    void RemoveAt(INT_PTR i, INT_PTR count = 1) { m_items.erase(m_items.begin() + i, m_items.begin() + i + count); }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<CString> m_items;
};

// A growable array of bytes.
class CByteArray {
public:
    INT_PTR GetSize() const { return (INT_PTR)m_items.size(); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    // New bytes are 0.
    void SetSize(INT_PTR size) { m_items.resize(size > 0 ? (size_t)size : 0); }
    BYTE* GetData() { return m_items.empty() ? nullptr : m_items.data(); }
    const BYTE* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }
    BYTE GetAt(INT_PTR i) const { return m_items.at((size_t)i); }
    void SetAt(INT_PTR i, BYTE b) { m_items.at((size_t)i) = b; }
    BYTE operator[](INT_PTR i) const { return GetAt(i); }
    BYTE& operator[](INT_PTR i) { return m_items.at((size_t)i); }
    INT_PTR Add(BYTE b) { m_items.push_back(b); return GetUpperBound(); }
    INT_PTR Append(const CByteArray& other) {
        INT_PTR first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CByteArray& other) { m_items = other.m_items; }
    // Positions past the end are filled with 0 first.
    void InsertAt(INT_PTR i, BYTE b, INT_PTR count = 1) {
        if (i > GetSize()) m_items.resize((size_t)i);
        m_items.insert(m_items.begin() + i, (size_t)count, b);
    }
    // Removes what lies within the array of [i, i + count).
    void RemoveAt(INT_PTR i, INT_PTR count = 1) {
        if (i < 0 || count <= 0 || i >= GetSize()) return;
        m_items.erase(m_items.begin() + i, m_items.begin() + (std::min)(i + count, GetSize()));
    }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<BYTE> m_items;
};
