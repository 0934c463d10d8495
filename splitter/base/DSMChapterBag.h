// A chapter list (IDSMChapterBag): times with names, sorted on demand by time and
// then by creation order. The owning object supplies IUnknown.
#pragma once

#include "SplitterInterfaces.h"

#include <string>
#include <vector>

struct CDSMChapter {
    int order = 0;
    REFERENCE_TIME time = 0;
    std::wstring name;
};

class IDSMChapterBagImpl : public IDSMChapterBag {
public:
    virtual ~IDSMChapterBagImpl() = default;

    STDMETHODIMP_(DWORD) GetChapterCount() override;
    STDMETHODIMP GetChapter(DWORD index, REFERENCE_TIME* time, BSTR* name) override;
    STDMETHODIMP SetChapter(DWORD index, REFERENCE_TIME time, LPCWSTR name) override;
    STDMETHODIMP AppendChapter(REFERENCE_TIME time, LPCWSTR name) override;
    STDMETHODIMP RemoveChapterAt(DWORD index) override;
    STDMETHODIMP RemoveAllChapters() override;
    STDMETHODIMP_(long) LookupChapter(REFERENCE_TIME* time, BSTR* name) override;
    STDMETHODIMP SortChapters() override;

private:
    long FindChapter(REFERENCE_TIME time) const;

    std::vector<CDSMChapter> m_chapters;
    bool m_sorted = false;
};
