#include "DSMChapterBag.h"

#include <algorithm>

namespace {
volatile LONG g_chapterOrder = 0;
}

STDMETHODIMP_(DWORD) IDSMChapterBagImpl::GetChapterCount() { return static_cast<DWORD>(m_chapters.size()); }

STDMETHODIMP IDSMChapterBagImpl::GetChapter(DWORD index, REFERENCE_TIME* time, BSTR* name) {
    if (index >= m_chapters.size()) return E_INVALIDARG;
    const CDSMChapter& c = m_chapters[index];
    if (time) *time = c.time;
    if (name) {
        *name = SysAllocStringLen(c.name.c_str(), static_cast<UINT>(c.name.size()));
        if (!*name) return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP IDSMChapterBagImpl::SetChapter(DWORD index, REFERENCE_TIME time, LPCWSTR name) {
    if (index >= m_chapters.size()) return E_INVALIDARG;
    m_chapters[index].time = time;
    if (name) m_chapters[index].name = name;
    m_sorted = false;
    return S_OK;
}

STDMETHODIMP IDSMChapterBagImpl::AppendChapter(REFERENCE_TIME time, LPCWSTR name) {
    CDSMChapter chapter;
    chapter.order = static_cast<int>(InterlockedIncrement(&g_chapterOrder));
    m_chapters.push_back(chapter);
    return SetChapter(static_cast<DWORD>(m_chapters.size() - 1), time, name);
}

STDMETHODIMP IDSMChapterBagImpl::RemoveChapterAt(DWORD index) {
    if (index >= m_chapters.size()) return E_INVALIDARG;
    m_chapters.erase(m_chapters.begin() + index);
    return S_OK;
}

STDMETHODIMP IDSMChapterBagImpl::RemoveAllChapters() {
    m_chapters.clear();
    m_sorted = false;
    return S_OK;
}

STDMETHODIMP_(long) IDSMChapterBagImpl::LookupChapter(REFERENCE_TIME* time, BSTR* name) {
    if (!time) return -1;
    SortChapters();
    long index = FindChapter(*time);
    if (index < 0) return -1;
    const CDSMChapter& c = m_chapters[index];
    *time = c.time;
    if (name) *name = SysAllocStringLen(c.name.c_str(), static_cast<UINT>(c.name.size()));
    return index;
}

STDMETHODIMP IDSMChapterBagImpl::SortChapters() {
    if (m_sorted) return S_FALSE;
    std::sort(m_chapters.begin(), m_chapters.end(), [](const CDSMChapter& a, const CDSMChapter& b) {
        return a.time != b.time ? a.time < b.time : a.order < b.order;
    });
    m_sorted = true;
    return S_OK;
}

long IDSMChapterBagImpl::FindChapter(REFERENCE_TIME t) const {
    if (m_chapters.empty()) return -1;
    long last = static_cast<long>(m_chapters.size()) - 1;
    if (t >= m_chapters[last].time) return last;
    // The last chapter that starts at or before t, by bisection.
    long low = 0, high = last, result = -1;
    while (low < high) {
        long mid = (low + high) / 2;
        REFERENCE_TIME midTime = m_chapters[mid].time;
        if (t == midTime) return mid;
        if (t < midTime) {
            result = -1;
            high = high == mid ? mid - 1 : mid;
        } else {
            result = mid;
            low = low == mid ? mid + 1 : mid;
        }
    }
    return result;
}
