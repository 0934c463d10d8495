// The transform base between a pushing source and a recording sink: samples pass
// only while running and not flushing, a flush reaches the transform and the sink,
// the end of the stream comes after what the transform still held.
#include "dshow/TestSinkFilter.h"

#include <gtest/gtest.h>

#include <uuids.h>

namespace {

CMediaType AudioType() {
    CMediaType type;
    type.SetType(&MEDIATYPE_Audio);
    type.SetSubtype(&MEDIASUBTYPE_PCM);
    type.SetFormatType(&FORMAT_None);
    return type;
}

// A source whose one output pin delivers what the test hands it.
class CPushSource : public CBaseFilter {
    class CPin : public CBaseOutputPin {
    public:
        CPin(CPushSource* filter, CCritSec* lock) : CBaseOutputPin(L"CPin", filter, lock, nullptr, L"Out") {}
        HRESULT CheckMediaType(const CMediaType* type) override {
            return type->majortype == MEDIATYPE_Audio ? S_OK : S_FALSE;
        }
        HRESULT GetMediaType(int index, CMediaType* type) override {
            if (index != 0) return VFW_S_NO_MORE_ITEMS;
            *type = AudioType();
            return S_OK;
        }
        HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override {
            properties->cBuffers = 2;
            properties->cbBuffer = 64;
            ALLOCATOR_PROPERTIES actual;
            return allocator->SetProperties(properties, &actual);
        }
    };

public:
    CPushSource() : CBaseFilter(L"CPushSource", nullptr, &m_lock, CLSID_NULL), m_pin(this, &m_lock) {}
    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : nullptr; }
    CBaseOutputPin* Pin() { return &m_pin; }
    // Delivers one byte at a time.
    HRESULT Push(BYTE value, REFERENCE_TIME start) {
        IMediaSample* raw = nullptr;
        HRESULT hr = m_pin.GetDeliveryBuffer(&raw, nullptr, nullptr, 0);
        if (FAILED(hr)) return hr;
        CComRef<IMediaSample> sample;
        *sample.Receive() = raw;
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        data[0] = value;
        sample->SetActualDataLength(1);
        REFERENCE_TIME stop = start + 1;
        sample->SetTime(&start, &stop);
        return m_pin.Deliver(sample.Get());
    }

private:
    CCritSec m_lock;
    CPin m_pin;
};

// Adds one to every byte; holds back the last sample until the end of the stream.
class CAddOne : public CTransformFilter {
public:
    CAddOne() : CTransformFilter(L"CAddOne", nullptr, CLSID_NULL) {}
    HRESULT CheckInputType(const CMediaType* type) override {
        return type->majortype == MEDIATYPE_Audio ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetOutputType(int index, CMediaType* type) override {
        if (index != 0) return VFW_S_NO_MORE_ITEMS;
        *type = AudioType();
        return S_OK;
    }
    HRESULT CheckTransform(const CMediaType*, const CMediaType* output) override {
        return output->majortype == MEDIATYPE_Audio ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* properties) override {
        properties->cBuffers = 2;
        properties->cbBuffer = 64;
        ALLOCATOR_PROPERTIES actual;
        return allocator->SetProperties(properties, &actual);
    }
    HRESULT Transform(IMediaSample* input) override {
        HRESULT hr = DeliverHeld();
        BYTE* data = nullptr;
        input->GetPointer(&data);
        m_held = static_cast<BYTE>(data[0] + 1);
        input->GetTime(&m_heldStart, &m_heldStop);
        m_holding = true;
        return hr;
    }
    void Flush() override {
        ++flushes;
        m_holding = false;
    }
    void Drain() override { DeliverHeld(); }

    CBasePin* Input() { return m_pInput.get(); }
    CBasePin* Output() { return m_pOutput.get(); }
    int flushes = 0;

private:
    HRESULT DeliverHeld() {
        if (!m_holding) return S_OK;
        m_holding = false;
        CComRef<IMediaSample> sample;
        HRESULT hr = GetDeliveryBuffer(sample);
        if (FAILED(hr)) return hr;
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        data[0] = m_held;
        sample->SetActualDataLength(1);
        sample->SetTime(&m_heldStart, &m_heldStop);
        return Deliver(sample.Get());
    }

    bool m_holding = false;
    BYTE m_held = 0;
    REFERENCE_TIME m_heldStart = 0, m_heldStop = 0;
};

// The transform's input hands out the system's memory allocator.
struct ComScope {
    ComScope() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    ~ComScope() { CoUninitialize(); }
};

class TransformFilter : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(source->Pin()->Connect(transform->Input(), nullptr), S_OK);
        ASSERT_EQ(transform->Output()->Connect(sink->Pin(), nullptr), S_OK);
    }
    void TearDown() override {
        transform->Stop();
        sink->Stop();
        source->Stop();
    }
    void PauseAll() {
        ASSERT_EQ(sink->Pause(), S_OK);
        ASSERT_EQ(transform->Pause(), S_OK);
        ASSERT_EQ(source->Pause(), S_OK);
    }
    std::vector<BYTE> Received() {
        std::vector<BYTE> bytes;
        for (const ReceivedSample& s : sink->Pin()->Samples()) bytes.push_back(s.data.empty() ? 0 : s.data[0]);
        return bytes;
    }
    CBaseInputPin* Input() { return static_cast<CBaseInputPin*>(transform->Input()); }

    ComScope com;
    CComRef<CPushSource> source{new CPushSource};
    CComRef<CAddOne> transform{new CAddOne};
    CComRef<CTestSinkFilter> sink{new CTestSinkFilter};
};

TEST_F(TransformFilter, OutputWaitsForTheInputToBeConnected) {
    CComRef<CAddOne> unconnected(new CAddOne);
    CComRef<CTestSinkFilter> otherSink(new CTestSinkFilter);
    EXPECT_TRUE(FAILED(unconnected->Output()->Connect(otherSink->Pin(), nullptr)));
    EXPECT_FALSE(unconnected->Output()->IsConnected());
}

TEST_F(TransformFilter, SamplesPassOnlyWhileStreamingAndNotFlushing) {
    PauseAll();
    ASSERT_EQ(source->Push(1, 0), S_OK);
    ASSERT_EQ(source->Push(2, 10), S_OK);
    EXPECT_EQ(Received(), std::vector<BYTE>({2}));

    ASSERT_EQ(Input()->BeginFlush(), S_OK);
    EXPECT_EQ(source->Push(7, 20), S_FALSE) << "dropped while flushing";
    ASSERT_EQ(Input()->EndFlush(), S_OK);
    EXPECT_EQ(transform->flushes, 1);
    EXPECT_EQ(sink->Pin()->FlushCount(), 1);

    ASSERT_EQ(source->Push(4, 30), S_OK);
    ASSERT_EQ(Input()->EndOfStream(), S_OK);
    // The sample held at the flush is gone; the one held at the end comes out first.
    EXPECT_EQ(Received(), std::vector<BYTE>({2, 5}));
    EXPECT_EQ(sink->Pin()->EndOfStreamCount(), 1);
    EXPECT_EQ(sink->Pin()->Samples().back().start, 30);
}

TEST_F(TransformFilter, AStoppedTransformRefusesSamplesAndTheEnd) {
    ASSERT_EQ(source->Pause(), S_OK);  // only the source streams
    EXPECT_EQ(source->Push(1, 0), VFW_E_WRONG_STATE);
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(Input()->EndOfStream(), VFW_E_WRONG_STATE);
    EXPECT_EQ(sink->Pin()->EndOfStreamCount(), 0);
}

}  // namespace
