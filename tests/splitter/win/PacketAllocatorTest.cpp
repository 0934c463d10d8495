#include "PacketAllocator.h"
#include "PacketBufferPool.h"

#include <gtest/gtest.h>

#include <vfwmsgs.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

std::unique_ptr<Packet> MakePacket(const std::shared_ptr<IPacketBufferPool>& pool, size_t size, uint8_t fill) {
    auto packet = std::make_unique<Packet>(pool);
    if (packet->SetDataSize(size)) std::fill(packet->GetData(), packet->GetData() + size, fill);
    return packet;
}

class PacketAllocator : public testing::Test {
protected:
    void SetUp() override {
        *allocator.Receive() = new CPacketAllocator(pool);
        ALLOCATOR_PROPERTIES wanted = {1, 1000, 1, 0}, actual = {};
        ASSERT_EQ(allocator->SetProperties(&wanted, &actual), S_OK);
        ASSERT_EQ(allocator->Commit(), S_OK);
    }

    std::shared_ptr<CPacketBufferPool> pool = std::make_shared<CPacketBufferPool>();
    CComRef<CPacketAllocator> allocator;
};

TEST_F(PacketAllocator, ASampleIsThePacketsPayloadUntilItComesBack) {
    std::unique_ptr<Packet> packet = MakePacket(pool, 600, 0x5A);
    uint8_t* payload = packet->GetData();
    CComRef<IMediaSample> sample;
    ASSERT_EQ(allocator->GetPacketSample(std::move(packet), sample), S_OK);
    BYTE* data = nullptr;
    ASSERT_EQ(sample->GetPointer(&data), S_OK);
    EXPECT_EQ(data, payload);
    EXPECT_EQ(sample->GetSize(), 600);
    EXPECT_EQ(sample->SetActualDataLength(601), VFW_E_BUFFER_OVERFLOW);
    ASSERT_EQ(sample->SetActualDataLength(600), S_OK);
    EXPECT_EQ(data[599], 0x5A);
    sample.Reset();
    // The packet ended with the sample: its buffer serves the next one.
    std::unique_ptr<Packet> next = MakePacket(pool, 700, 0);  // the same size class
    EXPECT_EQ(next->GetData(), payload);
}

TEST_F(PacketAllocator, HandsOutNoMoreSamplesThanAgreedAndADecommitReleasesTheWait) {
    CComRef<IMediaSample> first;
    ASSERT_EQ(allocator->GetPacketSample(MakePacket(pool, 10, 1), first), S_OK);
    std::atomic<HRESULT> waited{E_PENDING};
    std::thread second([&] {
        CComRef<IMediaSample> sample;
        waited = allocator->GetPacketSample(MakePacket(pool, 10, 2), sample);
    });
    Sleep(50);
    EXPECT_EQ(waited.load(), E_PENDING);
    first.Reset();
    second.join();
    EXPECT_EQ(waited.load(), S_OK);

    ASSERT_EQ(allocator->GetPacketSample(MakePacket(pool, 10, 3), first), S_OK);
    std::thread third([&] {
        CComRef<IMediaSample> sample;
        waited = allocator->GetPacketSample(MakePacket(pool, 10, 4), sample);
    });
    Sleep(50);
    allocator->Decommit();
    third.join();
    EXPECT_EQ(waited.load(), VFW_E_NOT_COMMITTED);
}

TEST_F(PacketAllocator, TheAgreedSizeGrowsToHalfAgainALargerPacket) {
    CComRef<IMediaSample> sample;
    ASSERT_EQ(allocator->GetPacketSample(MakePacket(pool, 3001, 0), sample), S_OK);
    ALLOCATOR_PROPERTIES properties = {};
    ASSERT_EQ(allocator->GetProperties(&properties), S_OK);
    EXPECT_EQ(properties.cbBuffer, 4501);
    EXPECT_EQ(properties.cBuffers, 1);
    EXPECT_EQ(sample->GetSize(), 3001);
    sample.Reset();
    // A buffer asked for in the usual way has the agreed size and can be written.
    ASSERT_EQ(allocator->GetBuffer(sample.Receive(), nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(sample->GetSize(), 4501);
    BYTE* data = nullptr;
    ASSERT_EQ(sample->GetPointer(&data), S_OK);
    data[4500] = 1;
}

TEST_F(PacketAllocator, PropertiesAreFixedWhileCommittedOrWhileSamplesAreOut) {
    ALLOCATOR_PROPERTIES wanted = {4, 100, 16, 8}, actual = {};
    EXPECT_EQ(allocator->SetProperties(&wanted, &actual), VFW_E_ALREADY_COMMITTED);
    CComRef<IMediaSample> sample;
    ASSERT_EQ(allocator->GetPacketSample(MakePacket(pool, 10, 0), sample), S_OK);
    allocator->Decommit();
    EXPECT_EQ(allocator->SetProperties(&wanted, &actual), VFW_E_BUFFERS_OUTSTANDING);
    // A sample still out keeps its allocator: it comes back after the last reference.
    allocator.Reset();
    BYTE* data = nullptr;
    ASSERT_EQ(sample->GetPointer(&data), S_OK);
    sample.Reset();
    CComRef<CPacketAllocator> fresh;
    *fresh.Receive() = new CPacketAllocator(pool);
    ASSERT_EQ(fresh->SetProperties(&wanted, &actual), S_OK);
    // No prefix and no alignment beyond the heap's.
    EXPECT_EQ(actual.cBuffers, 4);
    EXPECT_EQ(actual.cbBuffer, 100);
    EXPECT_EQ(actual.cbAlign, 1);
    EXPECT_EQ(actual.cbPrefix, 0);
}

}  // namespace
