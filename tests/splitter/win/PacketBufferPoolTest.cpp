#include "PacketBufferPool.h"

#include <gtest/gtest.h>

namespace {

struct CapacityCase {
    const char* name;
    size_t size;
    size_t capacity;
};

class PacketBufferPoolCapacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(PacketBufferPoolCapacity, IsThePowerOfTwoThatHoldsTheSize) {
    CPacketBufferPool pool;
    size_t capacity = 0;
    std::unique_ptr<uint8_t[]> buffer = pool.Take(GetParam().size, &capacity);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(capacity, GetParam().capacity);
}

constexpr size_t kLargestClass = CPacketBufferPool::kSmallest << (CPacketBufferPool::kClasses - 1);

INSTANTIATE_TEST_SUITE_P(Sizes, PacketBufferPoolCapacity,
                         testing::Values(CapacityCase{"oneByte", 1, 256}, CapacityCase{"smallest", 256, 256},
                                         CapacityCase{"justOver", 257, 512}, CapacityCase{"videoFrame", 60000, 65536},
                                         CapacityCase{"largestClass", kLargestClass, kLargestClass},
                                         CapacityCase{"beyondTheClasses", kLargestClass + 1, kLargestClass + 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PacketBufferPool, APacketsBufferServesTheNextPacketThatFitsOnceItEnds) {
    auto pool = std::make_shared<CPacketBufferPool>();
    uint8_t* first = nullptr;
    {
        Packet packet(pool);
        ASSERT_TRUE(packet.SetDataSize(60000));
        first = packet.GetData();
    }
    Packet again(pool);
    ASSERT_TRUE(again.SetDataSize(40000));
    EXPECT_EQ(again.GetData(), first);
    EXPECT_EQ(again.GetDataSize(), 40000u);
    // While it is in use, the next packet gets a buffer of its own.
    Packet other(pool);
    ASSERT_TRUE(other.SetDataSize(40000));
    EXPECT_NE(other.GetData(), first);
    // A new size gives the old buffer back first.
    ASSERT_TRUE(again.SetDataSize(100));
    Packet third(pool);
    ASSERT_TRUE(third.SetDataSize(50000));
    EXPECT_EQ(third.GetData(), first);
}

TEST(PacketBufferPool, BuffersOfAnotherSizeClassAreNotHandedOut) {
    auto pool = std::make_shared<CPacketBufferPool>();
    uint8_t* small = nullptr;
    {
        Packet packet(pool);
        ASSERT_TRUE(packet.SetDataSize(1000));
        small = packet.GetData();
    }
    Packet large(pool);
    ASSERT_TRUE(large.SetDataSize(5000));
    EXPECT_NE(large.GetData(), small);
    Packet empty(pool);
    EXPECT_TRUE(empty.SetDataSize(0));
    EXPECT_EQ(empty.GetData(), nullptr);
}

}  // namespace
