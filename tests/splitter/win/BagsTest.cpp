#include "XofSplitterFilter.h"

#include <gtest/gtest.h>

namespace {

// The bags as a caller reaches them: through the filter's interfaces.
class Bags : public testing::Test {
protected:
    void SetUp() override {
        HRESULT hr = S_OK;
        filter = CComRef<IBaseFilter>(new CXofSplitterFilter(nullptr, &hr));
        properties.QueryFrom(filter.Get(), IID_IDSMPropertyBag);
        bag.QueryFrom(filter.Get(), IID_IPropertyBag);
        resources.QueryFrom(filter.Get(), IID_IDSMResourceBag);
        chapters.QueryFrom(filter.Get(), IID_IDSMChapterBag);
        content.QueryFrom(filter.Get(), IID_IAMMediaContent);
        markers.QueryFrom(filter.Get(), IID_IAMExtendedSeeking);
    }

    std::wstring Text(BSTR b) {
        std::wstring s = b ? b : L"";
        SysFreeString(b);
        return s;
    }

    CComRef<IBaseFilter> filter;
    CComRef<IDSMPropertyBag> properties;
    CComRef<IPropertyBag> bag;
    CComRef<IDSMResourceBag> resources;
    CComRef<IDSMChapterBag> chapters;
    CComRef<IAMMediaContent> content;
    CComRef<IAMExtendedSeeking> markers;
};

TEST_F(Bags, APropertySetTwiceKeepsOnePairWithTheLastValue) {
    ASSERT_EQ(properties->SetPropertyText(L"TITL", L""), S_OK);
    ASSERT_EQ(properties->SetPropertyText(L"TITL", L"标题"), S_OK);
    ULONG count = 0;
    properties->CountProperties(&count);
    EXPECT_EQ(count, 1u);
    BSTR title = nullptr;
    ASSERT_EQ(content->get_Title(&title), S_OK);
    EXPECT_EQ(Text(title), L"标题");
    BSTR author = nullptr;
    EXPECT_EQ(content->get_AuthorName(&author), E_FAIL);
    EXPECT_EQ(content->get_BaseURL(&author), E_NOTIMPL);
    // Keys are exact: another case is another key.
    BSTR other = nullptr;
    EXPECT_EQ(properties->GetPropertyText(L"titl", &other), E_FAIL);
}

TEST_F(Bags, AnEmptyValueFailsThroughOneBagAndReadsEmptyThroughTheOther) {
    properties->SetPropertyText(L"DESC", L"");
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(bag->Read(L"DESC", &value, nullptr), E_FAIL);
    PROPBAG2 descriptor = {};
    descriptor.pstrName = const_cast<LPOLESTR>(L"DESC");
    HRESULT result = E_FAIL;
    ASSERT_EQ(properties->Read(1, &descriptor, nullptr, &value, &result), S_OK);
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(value.vt, VT_BSTR);
    EXPECT_STREQ(value.bstrVal, L"");
    VariantClear(&value);
    // A variant that is not a string is refused.
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    EXPECT_EQ(properties->SetPropertyVariant(L"RTNG", &number), E_INVALIDARG);
    EXPECT_EQ(bag->Read(L"RTNG", &number, nullptr), E_INVALIDARG);
}

TEST_F(Bags, PropertyNamesAreListedWithoutRunningPastTheEnd) {
    properties->SetPropertyText(L"AUTH", L"a");
    properties->SetPropertyText(L"CPYR", L"c");
    PROPBAG2 descriptors[4] = {};
    ULONG found = 0;
    ASSERT_EQ(properties->GetPropertyInfo(1, 4, descriptors, &found), S_OK);
    EXPECT_EQ(found, 1u);
    EXPECT_STREQ(descriptors[0].pstrName, L"CPYR");
    EXPECT_EQ(descriptors[1].pstrName, nullptr);
    CoTaskMemFree(descriptors[0].pstrName);
    EXPECT_EQ(properties->RemoveProperty(L"AUTH"), S_OK);
    EXPECT_EQ(properties->RemoveProperty(L"AUTH"), S_FALSE);
    // Removing all properties removes them.
    EXPECT_EQ(properties->RemoveAllProperties(), S_OK);
    ULONG count = 1;
    properties->CountProperties(&count);
    EXPECT_EQ(count, 0u);
}

TEST_F(Bags, ResourcesRemovedByTagKeepTheOthersInOrder) {
    const BYTE data[] = {1, 2, 3};
    resources->AppendResource(L"a", L"", nullptr, data, 3, 7);
    resources->AppendResource(L"b", L"", L"image/png", data, 2, 1);
    resources->AppendResource(L"c", L"", nullptr, data, 1, 7);
    resources->AppendResource(L"d", L"", nullptr, nullptr, 0, 2);
    ASSERT_EQ(resources->RemoveResources(7), S_OK);
    ASSERT_EQ(resources->GetResourceCount(), 2u);
    BSTR name = nullptr, mime = nullptr;
    BYTE* bytes = nullptr;
    DWORD length = 0;
    DWORD_PTR tag = 0;
    ASSERT_EQ(resources->GetResource(0, &name, nullptr, &mime, &bytes, &length, &tag), S_OK);
    EXPECT_EQ(Text(name), L"b");
    EXPECT_EQ(Text(mime), L"image/png");
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(tag, 1u);
    CoTaskMemFree(bytes);
    ASSERT_EQ(resources->GetResource(1, &name, nullptr, &mime, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(Text(name), L"d");
    EXPECT_EQ(Text(mime), L"application/octet-stream");
    EXPECT_EQ(resources->GetResource(0, nullptr, nullptr, nullptr, &bytes, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(resources->GetResource(2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(resources->RemoveResourceAt(2), E_INVALIDARG);
    EXPECT_EQ(resources->RemoveResources(0), S_OK);
    EXPECT_EQ(resources->GetResourceCount(), 0u);
}

TEST_F(Bags, ChaptersSortByTimeThenByCreationAndAreLookedUpByRange) {
    const REFERENCE_TIME s = 10000000;
    chapters->AppendChapter(20 * s, L"b");
    chapters->AppendChapter(10 * s, L"a");
    chapters->AppendChapter(10 * s, L"c");
    EXPECT_EQ(chapters->SortChapters(), S_OK);
    EXPECT_EQ(chapters->SortChapters(), S_FALSE);
    std::wstring order;
    for (DWORD i = 0; i < chapters->GetChapterCount(); ++i) {
        BSTR name = nullptr;
        chapters->GetChapter(i, nullptr, &name);
        order += Text(name);
    }
    EXPECT_EQ(order, L"acb");
    REFERENCE_TIME time = 15 * s;
    EXPECT_EQ(chapters->LookupChapter(&time, nullptr), 1);
    EXPECT_EQ(time, 10 * s);
    time = 25 * s;
    EXPECT_EQ(chapters->LookupChapter(&time, nullptr), 2);
    time = 5 * s;
    EXPECT_EQ(chapters->LookupChapter(&time, nullptr), -1);
    EXPECT_EQ(time, 5 * s);
    EXPECT_EQ(chapters->LookupChapter(nullptr, nullptr), -1);
    EXPECT_EQ(chapters->SetChapter(3, 0, L"x"), E_INVALIDARG);
}

TEST_F(Bags, ChaptersAreTheSeekingMarkers) {
    long capabilities = 0, count = -1, marker = 0;
    markers->get_ExSeekCapabilities(&capabilities);
    EXPECT_EQ(capabilities, AM_EXSEEK_CANSEEK);
    EXPECT_EQ(markers->get_CurrentMarker(&marker), E_FAIL);
    chapters->AppendChapter(0, L"开始");
    chapters->AppendChapter(30000000, L"second");
    markers->get_ExSeekCapabilities(&capabilities);
    EXPECT_EQ(capabilities, AM_EXSEEK_CANSEEK | AM_EXSEEK_MARKERSEEK);
    markers->get_MarkerCount(&count);
    EXPECT_EQ(count, 2);
    double seconds = 0;
    ASSERT_EQ(markers->GetMarkerTime(2, &seconds), S_OK);
    EXPECT_DOUBLE_EQ(seconds, 3.0);
    EXPECT_EQ(markers->GetMarkerTime(3, &seconds), E_FAIL);
    EXPECT_EQ(markers->GetMarkerTime(0, &seconds), E_FAIL);
    BSTR name = nullptr;
    ASSERT_EQ(markers->GetMarkerName(1, &name), S_OK);
    EXPECT_EQ(Text(name), L"开始");
    // The current position is 0: the first marker.
    ASSERT_EQ(markers->get_CurrentMarker(&marker), S_OK);
    EXPECT_EQ(marker, 1);
    EXPECT_EQ(markers->get_MarkerCount(nullptr), E_POINTER);
}

}  // namespace
