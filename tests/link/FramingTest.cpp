// The reader thread against a pseudo-terminal the test writes into by hand: framing on 0x47 and
// 0xB8, re-synchronisation after noise, the start delay, and stops in the middle of a packet.

#include <gtest/gtest.h>

#include <thread>

#include "LinkTestSupport.h"
#include "device/PseudoTerminal.h"
#include "link/Ser350.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kArrival = 3000ms;  // covers the reader's one-second start delay

std::vector<uint8_t> Bytes(std::initializer_list<std::span<const uint8_t>> parts) {
  std::vector<uint8_t> bytes;
  for (const auto part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

std::vector<uint8_t> Noise(std::size_t count) {
  std::vector<uint8_t> noise(count);
  for (std::size_t i = 0; i < count; ++i) noise[i] = static_cast<uint8_t>(0x10 + i % 0x30);
  return noise;
}

class FramingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    pty = PseudoTerminal::Open(error);
    ASSERT_TRUE(pty) << error;
    ASSERT_EQ(LinkOpenDevice(pty->slavePath(), "COM3"), 1);
    DiscardReceivedPackets();
  }
  void TearDown() override { LinkClose(); }

  ConfigFolder folder;
  CapturedMessages messages;
  std::unique_ptr<PseudoTerminal> pty;
};

TEST_F(FramingTest, PacketsAreCutOutOfNoise) {
  const DevicePacket ts = TestPacket(kTsSync, 1);
  const DevicePacket control = TestPacket(kControlSync, 2);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    std::vector<DevicePacket> expected;
  };
  const Case cases[] = {
      {"three bytes of noise before a packet", Bytes({Noise(3), ts}), {ts}},
      {"188 bytes without a sync byte", Bytes({Noise(kPacketSize), ts}), {ts}},
      {"a control packet", Bytes({control}), {control}},
      {"noise between two packets", Bytes({ts, Noise(7), control}), {ts, control}},
      {"packets back to back", Bytes({control, ts, control}), {control, ts, control}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAll(pty->master(), c.bytes);
    for (const DevicePacket& want : c.expected) {
      DevicePacket got;
      ASSERT_TRUE(TakePacketWithin(got, kArrival));
      EXPECT_EQ(got, want);
    }
    DevicePacket extra;
    EXPECT_FALSE(LinkTakePacket(extra.data()));
  }
  EXPECT_TRUE(messages.texts().empty());
}

TEST_F(FramingTest, NothingIsReadDuringTheFirstSecond) {
  WriteAll(pty->master(), TestPacket(kTsSync, 3));
  std::this_thread::sleep_for(500ms);
  DevicePacket got;
  EXPECT_FALSE(LinkTakePacket(got.data()));
  ASSERT_TRUE(TakePacketWithin(got, kArrival));
  EXPECT_EQ(got, TestPacket(kTsSync, 3));
}

TEST_F(FramingTest, AStopInTheMiddleOfAPacketStoresNothing) {
  WriteAll(pty->master(), TestPacket(kTsSync, 4));
  DevicePacket got;
  ASSERT_TRUE(TakePacketWithin(got, kArrival));  // the reader is past its start delay

  const DevicePacket half = TestPacket(kTsSync, 5);
  WriteAll(pty->master(), std::span(half).first(kPacketSize / 2));
  std::this_thread::sleep_for(100ms);  // the reader holds the half packet
  LinkClose();
  EXPECT_FALSE(LinkTakePacket(got.data()));
  EXPECT_EQ(LinkIsConnected(), 0);
}

TEST_F(FramingTest, SendAfterCloseWritesNothingAndDoesNotReconnect) {
  LinkClose();
  LinkSendPacket(TestPacket(kControlSync, 6).data());
  EXPECT_EQ(LinkIsConnected(), 0);
  uint8_t byte = 0;
  EXPECT_EQ(read(pty->master(), &byte, 1), -1);  // nothing arrived
  EXPECT_TRUE(messages.texts().empty());
}

TEST_F(FramingTest, SentPacketsReachTheDeviceWhole) {
  const DevicePacket sent = TestPacket(kControlSync, 7);
  LinkSendPacket(sent.data());
  DevicePacket arrived{};
  std::size_t have = 0;
  const auto end = std::chrono::steady_clock::now() + kArrival;
  while (have < kPacketSize && std::chrono::steady_clock::now() < end) {
    const auto got = read(pty->master(), arrived.data() + have, kPacketSize - have);
    if (got > 0) have += static_cast<std::size_t>(got);
    else std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(arrived, sent);
}

}  // namespace
