// Collections of the class library subset.
#pragma once

#include "afxstr.h"
#include <algorithm>
#include <vector>

// A growable array of T: positions from 0; GetAt, SetAt and operator[] check them.
template <class T>
class CArrayOf {
public:
    INT_PTR GetSize() const { return (INT_PTR)m_items.size(); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    // New elements are T() (empty strings, zero bytes).
    void SetSize(INT_PTR size) { m_items.resize(size > 0 ? (size_t)size : 0); }
    T* GetData() { return m_items.empty() ? nullptr : m_items.data(); }
    const T* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }
    const T& GetAt(INT_PTR i) const { return m_items.at((size_t)i); }
    T& ElementAt(INT_PTR i) { return m_items.at((size_t)i); }
    void SetAt(INT_PTR i, const T& value) { m_items.at((size_t)i) = value; }
    const T& operator[](INT_PTR i) const { return GetAt(i); }
    T& operator[](INT_PTR i) { return ElementAt(i); }
    INT_PTR Add(const T& value) {
        m_items.push_back(value);
        return GetUpperBound();
    }
    INT_PTR Append(const CArrayOf& other) {
        INT_PTR first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CArrayOf& other) { m_items = other.m_items; }
    // Positions past the end are filled with T() first.
    void InsertAt(INT_PTR i, const T& value, INT_PTR count = 1) {
        if (i > GetSize()) m_items.resize((size_t)i);
        m_items.insert(m_items.begin() + i, (size_t)count, value);
    }
    // Removes what lies within the array of [i, i + count).
    void RemoveAt(INT_PTR i, INT_PTR count = 1) {
        if (i < 0 || count <= 0 || i >= GetSize()) return;
        m_items.erase(m_items.begin() + i, m_items.begin() + (std::min)(i + count, GetSize()));
    }
    void RemoveAll() { m_items.clear(); }

private:
    std::vector<T> m_items;
};

class CStringArray : public CArrayOf<CString> {};

class CByteArray : public CArrayOf<BYTE> {};
