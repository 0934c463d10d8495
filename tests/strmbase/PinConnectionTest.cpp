#include "dshow/TestSinkFilter.h"

#include <gtest/gtest.h>

#include <uuids.h>

namespace {

// A source with one output pin offering two media types.
class CTwoTypeSource : public CBaseFilter {
    class CPin : public CBaseOutputPin {
    public:
        CPin(CTwoTypeSource* filter, CCritSec* lock) : CBaseOutputPin(L"CPin", filter, lock, nullptr, L"Out") {}
        HRESULT CheckMediaType(const CMediaType* type) override {
            return type->majortype == MEDIATYPE_Audio || type->majortype == MEDIATYPE_Video ? S_OK : S_FALSE;
        }
        HRESULT GetMediaType(int index, CMediaType* type) override {
            if (index < 0 || index > 1) return VFW_S_NO_MORE_ITEMS;
            type->SetType(index == 0 ? &MEDIATYPE_Audio : &MEDIATYPE_Video);
            type->SetSubtype(&MEDIASUBTYPE_PCM);
            type->SetFormatType(&FORMAT_None);
            return S_OK;
        }
        HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override {
            properties->cBuffers = 2;
            properties->cbBuffer = 512;
            ALLOCATOR_PROPERTIES actual;
            return allocator->SetProperties(properties, &actual);
        }
    };

public:
    CTwoTypeSource() : CBaseFilter(L"CTwoTypeSource", nullptr, &m_lock, CLSID_NULL), m_pin(this, &m_lock) {}
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }
    CBaseOutputPin* Pin() { return &m_pin; }

private:
    CCritSec m_lock;
    CPin m_pin;
};

struct ConnectCase {
    const char* name;
    GUID sinkAccepts;
    GUID asked;  // the major type of a partial type, or GUID_NULL for none
    HRESULT result;
    GUID connectedMajor;
};

class PinConnection : public testing::TestWithParam<ConnectCase> {};

TEST_P(PinConnection, AgreesOnATypeBothAccept) {
    const ConnectCase& c = GetParam();
    CComRef<IBaseFilter> source(new CTwoTypeSource);
    auto* src = static_cast<CTwoTypeSource*>(source.Get());
    SinkOptions options;
    options.acceptMajor = c.sinkAccepts;
    CComRef<IBaseFilter> sinkFilter(new CTestSinkFilter(options));
    CTestSinkPin* sink = static_cast<CTestSinkFilter*>(sinkFilter.Get())->Pin();
    AM_MEDIA_TYPE partial = {};
    partial.majortype = c.asked;
    EXPECT_EQ(src->Pin()->Connect(sink, c.asked == GUID_NULL ? nullptr : &partial), c.result);
    if (SUCCEEDED(c.result)) {
        AM_MEDIA_TYPE connected = {};
        ASSERT_EQ(sink->ConnectionMediaType(&connected), S_OK);
        EXPECT_EQ(connected.majortype, c.connectedMajor);
        FreeMediaType(connected);
        EXPECT_EQ(src->Pin()->Connect(sink, nullptr), VFW_E_ALREADY_CONNECTED);
        // The allocator came from the receiving pin.
        EXPECT_EQ(src->Pin()->Allocator(), static_cast<IMemAllocator*>(sink->Allocator()));
        EXPECT_EQ(src->Pin()->Disconnect(), S_OK);
        EXPECT_EQ(src->Pin()->Disconnect(), S_FALSE);
        sink->Disconnect();
    } else {
        EXPECT_FALSE(src->Pin()->IsConnected());
        CComRef<IPin> none;
        EXPECT_EQ(sink->ConnectedTo(none.Receive()), VFW_E_NOT_CONNECTED);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, PinConnection,
    testing::Values(ConnectCase{"anyTakesTheFirst", GUID_NULL, GUID_NULL, S_OK, MEDIATYPE_Audio},
                    ConnectCase{"onlyVideo", MEDIATYPE_Video, GUID_NULL, S_OK, MEDIATYPE_Video},
                    ConnectCase{"partialAskedVideo", GUID_NULL, MEDIATYPE_Video, S_OK, MEDIATYPE_Video},
                    ConnectCase{"nothingInCommon", MEDIATYPE_Text, GUID_NULL, VFW_E_TYPE_NOT_ACCEPTED, GUID_NULL},
                    ConnectCase{"askedWhatTheSinkRefuses", MEDIATYPE_Audio, MEDIATYPE_Video, VFW_E_TYPE_NOT_ACCEPTED,
                                GUID_NULL}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    HRESULT refusal;
    int attempts;  // how often the receiving pin is asked
};

class PinConnectionRefused : public testing::TestWithParam<RefusalCase> {};

// A refused type leads to the next type; any other failure ends the connection, so a
// pin that a failed connection left broken is not asked again.
TEST_P(PinConnectionRefused, OnlyATypeRefusalLeadsToTheNextType) {
    const RefusalCase& c = GetParam();
    CComRef<IBaseFilter> source(new CTwoTypeSource);
    auto* src = static_cast<CTwoTypeSource*>(source.Get());
    SinkOptions options;
    options.connectFailure = c.refusal;
    CComRef<IBaseFilter> sinkFilter(new CTestSinkFilter(options));
    CTestSinkPin* sink = static_cast<CTestSinkFilter*>(sinkFilter.Get())->Pin();
    EXPECT_EQ(src->Pin()->Connect(sink, nullptr), c.refusal);
    EXPECT_EQ(sink->ConnectionAttempts(), c.attempts);
    EXPECT_FALSE(src->Pin()->IsConnected());
}

INSTANTIATE_TEST_SUITE_P(Refusals, PinConnectionRefused,
                         testing::Values(RefusalCase{"typeNotAccepted", VFW_E_TYPE_NOT_ACCEPTED, 2},
                                         RefusalCase{"invalidType", VFW_E_INVALIDMEDIATYPE, 2},
                                         RefusalCase{"deviceMissing", VFW_E_NO_DISPLAY_PALETTE, 1},
                                         RefusalCase{"outOfMemory", E_OUTOFMEMORY, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PinConnection, PinsOfOneDirectionDoNotConnect) {
    CComRef<IBaseFilter> a(new CTwoTypeSource), b(new CTwoTypeSource);
    EXPECT_EQ(
        static_cast<CTwoTypeSource*>(a.Get())->Pin()->Connect(static_cast<CTwoTypeSource*>(b.Get())->Pin(), nullptr),
        VFW_E_INVALID_DIRECTION);
}

TEST(PinConnection, ConnectionsChangeOnlyWhileStopped) {
    CComRef<IBaseFilter> source(new CTwoTypeSource);
    auto* src = static_cast<CTwoTypeSource*>(source.Get());
    CComRef<IBaseFilter> sinkFilter(new CTestSinkFilter);
    CTestSinkPin* sink = static_cast<CTestSinkFilter*>(sinkFilter.Get())->Pin();
    ASSERT_EQ(src->Pin()->Connect(sink, nullptr), S_OK);
    ASSERT_EQ(source->Pause(), S_OK);
    EXPECT_EQ(src->Pin()->Disconnect(), VFW_E_NOT_STOPPED);
    // The committed allocator hands out buffers of the agreed size.
    CComRef<IMediaSample> sample;
    ASSERT_EQ(src->Pin()->GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sample->GetSize(), 512);
    EXPECT_EQ(src->Pin()->Deliver(sample.Get()), S_OK);
    sample.Reset();
    ASSERT_EQ(source->Stop(), S_OK);
    EXPECT_EQ(src->Pin()->Disconnect(), S_OK);
    sink->Disconnect();
}

}  // namespace
