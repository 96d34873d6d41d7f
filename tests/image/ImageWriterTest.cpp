#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "ImageTestSupport.h"
#include "image/ControlPackets.h"
#include "image/ImageLayout.h"
#include "image/ImageWriter.h"
#include "image/Nit.h"
#include "image/Pat.h"
#include "image/Pmt.h"
#include "image/Sdt.h"

namespace {

std::vector<uint8_t> MapEntries(std::initializer_list<std::pair<int, int>> pairs) {
  std::vector<uint8_t> bytes;
  for (auto [in, out] : pairs)
    for (int pid : {in, out}) {
      bytes.push_back(static_cast<uint8_t>(pid & 0xFF));
      bytes.push_back(static_cast<uint8_t>((pid >> 8) & 0x1F));
    }
  while (bytes.size() < 44 * 4) bytes.insert(bytes.end(), {0xFF, 0x1F});
  return bytes;
}

std::vector<uint8_t> MapPacket(int inputIndex, std::initializer_list<std::pair<int, int>> pairs) {
  std::vector<uint8_t> packet(12, 0);
  packet[0] = 0xB8;
  packet[1] = 0x01;
  packet[9] = static_cast<uint8_t>(inputIndex);
  const std::vector<uint8_t> entries = MapEntries(pairs);
  packet.insert(packet.end(), entries.begin(), entries.end());
  return packet;
}

TEST(Image, OneProgramExampleControlPackets) {
  auto cfg = OneProgramExample();
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 1);
  ASSERT_EQ(image.size(), 15u);

  EXPECT_EQ(image[0][7], 0x04);
  EXPECT_EQ(image[0][8], 0x0B);
  EXPECT_EQ(image[0][9], 0x07);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE("input index " + std::to_string(i));
    if (i == 1)
      EXPECT_TRUE(SameBytes(image[1 + i], MapPacket(1, {{101, 201}, {101, 201}, {102, 202}})));
    else
      EXPECT_TRUE(SameBytes(image[1 + i], MapPacket(i, {})));
  }
  DevicePacket spare{};
  spare[0] = 0xB8;
  spare[1] = 0x01;
  spare[9] = 0x0F;
  EXPECT_TRUE(SameBytes(image[9], spare));

  DevicePacket pcr{};
  pcr[0] = 0xB8;
  pcr[1] = 0x04;
  for (std::size_t at = 12; at < 76; at += 2) pcr[at] = 0xFF, pcr[at + 1] = 0x1F;
  pcr[12] = 0xC9;
  pcr[13] = 0x00;
  pcr[80] = 0xC9;
  pcr[81] = 0x80;
  EXPECT_TRUE(SameBytes(image[10], pcr));
}

TEST(Image, HeaderCarriesSizeAndPacingWithByteGapBetweenTheFirstTwoGaps) {
  auto cfg = OneProgramExample();
  Pacing pacing;
  for (int i = 0; i < kPacingCycle; ++i) pacing.PacketGap[i] = static_cast<uint16_t>(0x0100 * (i + 1) + i);
  pacing.ByteGap = 0x1AB;  // only the low byte goes out
  SetPacing(*cfg, pacing);
  cfg->B.NetworkParamsCopy.PacketGap[0] = 0x7777;  // with programs, Block A's pacing is used

  DevicePacket expected{};
  expected[0] = 0xB8;
  expected[1] = 0x02;
  const uint8_t fields[] = {0x04, 0x0B, 0x07, 0x00, 0x01, 0xAB, 0x01, 0x02, 0x02, 0x03, 0x03, 0x04,
                            0x04, 0x05, 0x05, 0x06, 0x06, 0x07, 0x07, 0x08, 0x08, 0x09, 0x09, 0x0A};
  std::copy(std::begin(fields), std::end(fields), expected.begin() + 7);
  EXPECT_TRUE(SameBytes(BuildImagePackets(*cfg, 1)[0], expected));
}

TEST(Image, TablesFollowTheControlPacketsInFileOrder) {
  auto cfg = VariedConfig(12);
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 4);
  const std::vector<DevicePacket> sdt = BuildSdt(*cfg);
  ASSERT_EQ(sdt.size(), 3u) << "twelve programs need two continuation packets";
  ASSERT_EQ(image.size(), 14u + 2 + 12);
  EXPECT_EQ(image[0][7] | image[0][8] << 8, 188 * 28);
  EXPECT_TRUE(SameBytes(image[11], BuildPat(*cfg, 4)[0]));
  EXPECT_TRUE(SameBytes(image[12], BuildNit(*cfg)));
  for (int c = 0; c < 3; ++c) EXPECT_TRUE(SameBytes(image[13 + c], sdt[c]));
  for (int k = 0; k < 12; ++k) EXPECT_TRUE(SameBytes(image[16 + k], BuildPmt(*cfg, k))) << "program " << k;
}

struct SizeCase {
  int programs;
  std::size_t packets;
  int firstPmtIndex;
};

class ImageSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ImageSize, HeaderSizeMatchesThePacketsWritten) {
  const SizeCase& c = GetParam();
  auto cfg = VariedConfig(c.programs);
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 1);
  ASSERT_EQ(image.size(), c.packets);
  EXPECT_EQ(image[0][7] | image[0][8] << 8, 188 * c.packets);
  EXPECT_EQ(PsiLayout::ForPrograms(c.programs).PmtIndex(0), c.firstPmtIndex);
  EXPECT_TRUE(SameBytes(image[static_cast<std::size_t>(c.firstPmtIndex)], BuildPmt(*cfg, 0)));
}

// Six programs put PMT 0 at byte 2820; each PAT section beyond the first moves everything after it.
INSTANTIATE_TEST_SUITE_P(Programs, ImageSize,
                         ::testing::Values(SizeCase{1, 15, 14}, SizeCase{6, 21, 15}, SizeCase{41, 14 + 6 + 41, 20},
                                           SizeCase{42, 14 + 7 + 42 + 1, 22}, SizeCase{100, 14 + 16 + 100 + 2, 32}));

TEST(Image, GhostsOnlyGiveElevenPacketsPacedFromBlockB) {
  auto cfg = NewConfig();
  AddGhost(*cfg, 3, 0x50, 0x60);
  AddGhost(*cfg, 1, 0x51, 0x61);
  AddGhost(*cfg, 3, 0x52, 0x62);
  cfg->A.NetworkParams.PacketGap[0] = 0x1111;
  cfg->B.NetworkParamsCopy.PacketGap[0] = 0x2222;
  cfg->B.NetworkParamsCopy.ByteGap = 5;
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 1);
  ASSERT_EQ(image.size(), 11u);
  EXPECT_EQ(image[0][7] | image[0][8] << 8, 2068);
  EXPECT_EQ(image[0][10] | image[0][11] << 8, 0x2222);
  EXPECT_EQ(image[0][12], 5);
  EXPECT_TRUE(SameBytes(image[1], MapPacket(0, {{0x51, 0x61}})));
  EXPECT_TRUE(SameBytes(image[3], MapPacket(2, {{0x50, 0x60}, {0x52, 0x62}})));
}

TEST(Image, EmptyConfigurationHasNoHeader) {
  auto cfg = NewConfig();
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 1);
  ASSERT_EQ(image.size(), 10u);
  EXPECT_TRUE(SameBytes(image[0], MapPacket(0, {})));
  EXPECT_EQ(image[9][1], 0x04);
}

TEST(ControlPackets, GhostsFollowTheProgramsOfTheirInput) {
  auto cfg = NewConfig();
  AddGhost(*cfg, 3, 0x700, 0x701);
  ProgramEntry& p = AddProgram(*cfg, 3, 0x100, 1, "A");
  p.PcrPidIn = 0x30;
  p.PcrPidOut = 0x31;
  p.Audio[2].PidIn = 0x40;
  p.Audio[2].PidOut = 0x41;
  p.Data[1].PidIn = 0x50;
  p.Data[1].PidOut = 0x51;
  p.Audio[0].PidIn = 0x60;  // no output PID: not listed
  AddProgram(*cfg, 2, 0x101, 2, "B").VideoPidOut = 0x80;
  EXPECT_TRUE(SameBytes(BuildInputMapPacket(*cfg, 2), MapPacket(2, {{0x30, 0x31}, {0x40, 0x41}, {0x50, 0x51}, {0x700, 0x701}})));
}

TEST(ControlPackets, MapStopsAfterItsFortyFourthEntry) {
  auto cfg = NewConfig();
  for (int g = 0; g < 46; ++g) AddGhost(*cfg, 1, static_cast<int16_t>(0x100 + g), static_cast<int16_t>(0x200 + g));
  const DevicePacket map = BuildInputMapPacket(*cfg, 0);
  EXPECT_EQ(map[184] | map[185] << 8, 0x100 + 43);
  EXPECT_EQ(map[186] | map[187] << 8, 0x200 + 43);
  EXPECT_EQ(InputMapEntries(*cfg, 0).size(), 46u) << "the capacity check sees every entry";
}

TEST(ControlPackets, PcrListsTakeAdjustedProgramsIntoListAAndAllIntoListB) {
  auto cfg = NewConfig();
  for (int k = 0; k < 70; ++k) {
    ProgramEntry& p = AddProgram(*cfg, 1, static_cast<int16_t>(0x100 + k), static_cast<uint16_t>(k), "P");
    p.PcrPidOut = static_cast<int16_t>(0x1000 + k);
    p.PcrAdjust = static_cast<uint8_t>(k % 2);
  }
  cfg->A.Programs[1].PcrPidOut = kNoPid;  // an adjusted program without PCR is in neither list
  const DevicePacket pcr = BuildPcrPacket(*cfg);
  // List A: 3, 5, 7, ... 65 (32 entries; 67 and 69 do not fit).
  for (int e = 0; e < 32; ++e) EXPECT_EQ(pcr[12 + 2 * e] | pcr[13 + 2 * e] << 8, 0x1000 + 3 + 2 * e) << "A " << e;
  EXPECT_EQ(pcr[76] | pcr[77] | pcr[78] | pcr[79], 0);
  // List B: 0, 2, 3, 4, ... with bit 7 of the second byte for the adjusted ones, 54 entries.
  for (int e = 0; e < 54; ++e) {
    const int k = e == 0 ? 0 : e + 1;
    EXPECT_EQ(pcr[80 + 2 * e] | (pcr[81 + 2 * e] & 0x1F) << 8, 0x1000 + k) << "B " << e;
    EXPECT_EQ(pcr[81 + 2 * e] & 0x80, k % 2 ? 0x80 : 0) << "B " << e;
  }
}

TEST(ControlPackets, UnadjustedPcrIsOnlyInListB) {
  auto cfg = OneProgramExample();
  cfg->A.Programs[0].PcrAdjust = 0;
  const DevicePacket pcr = BuildPcrPacket(*cfg);
  EXPECT_EQ(pcr[12], 0xFF);
  EXPECT_EQ(pcr[13], 0x1F);
  EXPECT_EQ(pcr[80], 0xC9);
  EXPECT_EQ(pcr[81], 0x00);
  EXPECT_EQ(pcr[82], 0x00);
}

// ---- the file

class ImageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("qr-image-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(ImageFile, HoldsExactlyThePacketsAndReplacesAnOlderImage) {
  const auto path = dir_ / "CONF.A$B";
  std::ofstream(path) << std::string(50000, 'x');
  auto cfg = VariedConfig(7);
  ASSERT_TRUE(WriteImageFile(path, *cfg, 2));
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> written{std::istreambuf_iterator<char>(in), {}};
  EXPECT_TRUE(SameBytes(written, Flatten(BuildImagePackets(*cfg, 2))));
}

TEST_F(ImageFile, ReportsFilesThatCannotBeCreatedOrWritten) {
  auto cfg = VariedConfig(3);
  EXPECT_FALSE(WriteImageFile(dir_ / "missing" / "CONF.A$B", *cfg, 1));
  EXPECT_FALSE(WriteImageFile(dir_, *cfg, 1)) << "a folder";
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(WriteImageFile("/dev/full", *cfg, 1)) << "a full disk";
  }
}

}  // namespace
