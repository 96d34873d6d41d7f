// The emulated device's protocol without any I/O: loads, commands, the play-back stream and the
// fault modes that shape it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/DeviceProtocol.h"
#include "device/PacketFramer.h"

namespace {

const DevicePacket kStop = CommandPacket(CommandAction::Stop);
const DevicePacket kPlay = CommandPacket(CommandAction::PlayBack);
const DevicePacket kLoad = ControlPacket(ControlType::Load);

DevicePacket Table(int seed) {
  DevicePacket packet{};
  packet[0] = kTsSync;
  for (std::size_t i = 1; i < kPacketSize; ++i) packet[i] = static_cast<uint8_t>((seed + i) & 0x3F);
  return packet;
}

// A header announcing `packets` packets and the tables after it.
std::vector<DevicePacket> Image(int packets) {
  DevicePacket header = ControlPacket(ControlType::Header);
  const int size = packets * static_cast<int>(kPacketSize);
  header[7] = static_cast<uint8_t>(size & 0xFF);
  header[8] = static_cast<uint8_t>(size >> 8);
  std::vector<DevicePacket> image{header};
  for (int k = 1; k < packets; ++k) image.push_back(Table(k));
  return image;
}

std::vector<uint8_t> Flat(const std::vector<DevicePacket>& packets) {
  std::vector<uint8_t> bytes;
  for (const auto& p : packets) bytes.insert(bytes.end(), p.begin(), p.end());
  return bytes;
}

// Feeds packets; the events that completed a load or dropped the line, counted.
struct Fed {
  int loads = 0;
  int drops = 0;
};
Fed Feed(DeviceProtocol& device, const std::vector<DevicePacket>& packets) {
  Fed fed;
  for (const auto& p : packets) {
    const ProtocolEvent event = device.OnPacket(p);
    fed.loads += event.loadCompleted;
    fed.drops += event.dropLine;
  }
  return fed;
}

std::vector<DevicePacket> Then(std::vector<DevicePacket> a, const std::vector<DevicePacket>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The next `count` bytes of play-back.
std::vector<uint8_t> Play(DeviceProtocol& device, std::size_t count) {
  std::vector<uint8_t> bytes;
  while (bytes.size() < count && device.playing()) {
    const auto chunk = device.NextChunk();
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  }
  return bytes;
}

TEST(DeviceProtocolTest, ALoadStoresWhatTheHeaderAnnounces) {
  DeviceProtocol device(EmulatorFault::None, {});
  const Fed fed = Feed(device, Then(Then({kLoad}, Image(5)), {Table(99)}));  // one packet too many
  EXPECT_EQ(fed.loads, 1);
  EXPECT_EQ(device.storedImage(), Flat(Image(5)));
}

TEST(DeviceProtocolTest, ACommandEndsALoadAndKeepsWhatArrived) {
  struct Case {
    const char* what;
    std::vector<DevicePacket> sent;
    std::vector<DevicePacket> stored;
  };
  const std::vector<DevicePacket> headerless = {Table(1), Table(2), Table(3)};
  const std::vector<DevicePacket> six = Image(6);
  const std::vector<DevicePacket> cutShort(six.begin(), six.begin() + 2);
  const Case cases[] = {
      {"an image without a header", Then(Then({kLoad}, headerless), {kStop}), headerless},
      {"an interrupted image", Then(Then({kLoad}, cutShort), {kStop}), cutShort},
      {"a new load", Then(Then({kLoad}, headerless), Then({kLoad}, Image(2))), Image(2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeviceProtocol device(EmulatorFault::None, {});
    Feed(device, c.sent);
    EXPECT_EQ(device.storedImage(), Flat(c.stored));
  }
}

TEST(DeviceProtocolTest, PlayBackRepeatsTheImageHeaderFirstUntilAStop) {
  DeviceProtocol device(EmulatorFault::None, Flat(Image(3)));
  EXPECT_FALSE(device.playing());
  Feed(device, {Table(7), kPlay});  // stray data outside a load is ignored
  EXPECT_EQ(Play(device, 2 * 3 * kPacketSize), Flat(Then(Image(3), Image(3))));
  Play(device, kPacketSize);  // the header of the third cycle
  Feed(device, {kPlay});      // a second play-back command does not restart the cycle
  EXPECT_EQ(Play(device, kPacketSize), Flat({Image(3)[1]}));
  Feed(device, {kStop});
  EXPECT_FALSE(device.playing());
}

TEST(DeviceProtocolTest, NothingStoredPlaysNothing) {
  DeviceProtocol device(EmulatorFault::None, {});
  Feed(device, {kPlay});
  EXPECT_FALSE(device.playing());
}

TEST(DeviceProtocolTest, FaultsShapeThePlayBack) {
  const std::vector<uint8_t> image = Flat(Image(4));
  const std::size_t cycle = image.size();
  {
    SCOPED_TRACE("silent");
    DeviceProtocol device(EmulatorFault::Silent, image);
    Feed(device, {kPlay});
    EXPECT_FALSE(device.playing());
  }
  {
    SCOPED_TRACE("doubled header");
    DeviceProtocol device(EmulatorFault::DoubledHeader, image);
    Feed(device, {kPlay});
    EXPECT_EQ(Play(device, cycle + kPacketSize), Flat(Then({Image(4)[0]}, Image(4))));
  }
  {
    SCOPED_TRACE("noise before each cycle");
    DeviceProtocol device(EmulatorFault::NoiseBeforeCycle, image);
    Feed(device, {kPlay});
    for (int c = 0; c < 2; ++c) {
      const std::vector<uint8_t> played = Play(device, cycle);
      ASSERT_GT(played.size(), cycle);
      const std::size_t noise = played.size() - cycle;
      EXPECT_TRUE(std::none_of(played.begin(), played.begin() + static_cast<std::ptrdiff_t>(noise),
                               [](uint8_t b) { return b == kTsSync || b == kControlSync; }));
      EXPECT_TRUE(std::equal(image.begin(), image.end(), played.begin() + static_cast<std::ptrdiff_t>(noise)));
    }
  }
  {
    SCOPED_TRACE("corrupted play-back");
    DeviceProtocol device(EmulatorFault::CorruptPlayback, image);
    Feed(device, {kPlay});
    std::vector<std::size_t> corrupted;
    for (int c = 0; c < 3; ++c) {
      const std::vector<uint8_t> played = Play(device, cycle);
      ASSERT_EQ(played.size(), cycle);
      std::vector<std::size_t> differences;
      for (std::size_t i = 0; i < cycle; ++i) {
        if (played[i] != image[i]) differences.push_back(i);
      }
      ASSERT_EQ(differences.size(), 1u);
      EXPECT_GT(differences[0] % kPacketSize, 1u);  // sync and type stay, so the cycle frames
      corrupted.push_back(differences[0]);
    }
    EXPECT_NE(corrupted[0], corrupted[1]);
  }
}

TEST(DeviceProtocolTest, LineDropsComeWhereTheFaultSays) {
  {
    SCOPED_TRACE("hang-up after a load");
    DeviceProtocol device(EmulatorFault::HangUpAfterLoad, {});
    std::vector<DevicePacket> load = Then({kLoad}, Image(4));
    const Fed before = Feed(device, std::vector<DevicePacket>(load.begin(), load.end() - 1));
    EXPECT_EQ(before.drops, 0);
    const ProtocolEvent last = device.OnPacket(load.back());
    EXPECT_TRUE(last.loadCompleted);
    EXPECT_TRUE(last.dropLine);
  }
  {
    SCOPED_TRACE("link lost in the middle of a load");
    DeviceProtocol device(EmulatorFault::LinkLostMidLoad, {});
    const std::vector<DevicePacket> image = Image(10);
    Feed(device, {kLoad});
    int received = 0;
    for (const auto& p : image) {
      ++received;
      if (device.OnPacket(p).dropLine) break;
    }
    EXPECT_EQ(received, 5);
  }
}

TEST(PacketFramerTest, NoiseIsDroppedAndPacketsComeOutWhole) {
  PacketFramer framer;
  std::vector<DevicePacket> out;
  const auto collect = [&](const DevicePacket& p) {
    out.push_back(p);
    return true;
  };
  std::vector<uint8_t> bytes = {0x01, 0x02, 0x03};
  const DevicePacket a = Table(1);
  const DevicePacket b = ControlPacket(ControlType::Header);
  bytes.insert(bytes.end(), a.begin(), a.end());
  bytes.insert(bytes.end(), {0x10, 0x20});
  bytes.insert(bytes.end(), b.begin(), b.end());
  // Fed in two pieces that split a packet.
  const auto half = static_cast<std::ptrdiff_t>(bytes.size() / 2);
  EXPECT_TRUE(framer.Feed(std::span(bytes).first(static_cast<std::size_t>(half)), collect));
  EXPECT_TRUE(framer.Feed(std::span(bytes).subspan(static_cast<std::size_t>(half)), collect));
  EXPECT_EQ(out, (std::vector<DevicePacket>{a, b}));

  // A callback that ends the line stops the feed.
  std::vector<uint8_t> two(a.begin(), a.end());
  two.insert(two.end(), b.begin(), b.end());
  int seen = 0;
  EXPECT_FALSE(framer.Feed(two, [&](const DevicePacket&) { return ++seen < 1; }));
  EXPECT_EQ(seen, 1);
}

}  // namespace
