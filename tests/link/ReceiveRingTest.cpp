// The receive ring on its own: order, the wrap of both indices at 2000, the full ring, the empty one.

#include <gtest/gtest.h>

#include <memory>

#include "LinkTestSupport.h"
#include "link/ReceiveRing.h"

namespace {

class ReceiveRingTest : public ::testing::Test {
 protected:
  // 376,000 bytes: too big for the stack of a test.
  std::unique_ptr<ReceiveRing> ring = std::make_unique<ReceiveRing>();
};

TEST_F(ReceiveRingTest, TakeOnAnEmptyRingLeavesTheDestinationAlone) {
  DevicePacket destination;
  destination.fill(0x5A);
  EXPECT_FALSE(ring->Take(destination.data()));
  DevicePacket untouched;
  untouched.fill(0x5A);
  EXPECT_EQ(destination, untouched);
}

TEST_F(ReceiveRingTest, PacketsComeOutInOrderAcrossSeveralWraps) {
  // Three times round the ring, the consumer a few packets behind the producer.
  constexpr int kPackets = 3 * static_cast<int>(kReceiveRingSlots) + 7;
  constexpr int kLag = 5;
  int taken = 0;
  DevicePacket out;
  for (int sent = 0; sent < kPackets; ++sent) {
    ASSERT_TRUE(ring->Push(TestPacket(kTsSync, sent).data()));
    if (sent >= kLag) {
      ASSERT_TRUE(ring->Take(out.data()));
      ASSERT_EQ(out, TestPacket(kTsSync, taken)) << "packet " << taken;
      ++taken;
    }
  }
  while (ring->Take(out.data())) {
    ASSERT_EQ(out, TestPacket(kTsSync, taken));
    ++taken;
  }
  EXPECT_EQ(taken, kPackets);
  EXPECT_EQ(ring->droppedPackets(), 0u);
}

TEST_F(ReceiveRingTest, AFullRingDropsNewPacketsAndKeepsTheWaitingOnes) {
  const int capacity = static_cast<int>(kReceiveRingSlots) - 1;  // equal indices mean empty
  for (int k = 0; k < capacity; ++k) ASSERT_TRUE(ring->Push(TestPacket(kTsSync, k).data()));
  EXPECT_FALSE(ring->Push(TestPacket(kControlSync, 0).data()));
  EXPECT_EQ(ring->droppedPackets(), 1u);

  DevicePacket out;
  for (int k = 0; k < capacity; ++k) {
    ASSERT_TRUE(ring->Take(out.data()));
    ASSERT_EQ(out, TestPacket(kTsSync, k));
  }
  EXPECT_FALSE(ring->Take(out.data()));
  // Room again once taken.
  EXPECT_TRUE(ring->Push(TestPacket(kControlSync, 1).data()));
}

}  // namespace
