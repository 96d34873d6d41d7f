#include <gtest/gtest.h>

#include <cstring>

#include "ImageTestSupport.h"
#include "image/ControlPackets.h"
#include "image/ImageLayout.h"
#include "image/ImageParser.h"
#include "image/ImageWriter.h"
#include "image/PsiSection.h"
#include "image/Crc32.h"

namespace {

struct Parsed {
  std::unique_ptr<MuxConfig> cfg;
  ParsedImage result;
  int psiVersion;
};

// Parses `image` into `base` (a zero record when none is given), as Get does into the live record.
Parsed Parse(std::span<const uint8_t> image, const MuxConfig* base = nullptr, int psiVersion = -1) {
  Parsed parsed{base ? std::make_unique<MuxConfig>(*base) : NewConfig(), {}, psiVersion};
  parsed.result = ParsePlayedBackImage(image, *parsed.cfg, parsed.psiVersion);
  return parsed;
}

std::vector<uint8_t> ImageOf(const MuxConfig& cfg, int psiVersion = 1) {
  return Flatten(BuildImagePackets(cfg, psiVersion));
}

uint8_t* PacketAt(std::vector<uint8_t>& image, int index) { return image.data() + PacketOffset(index); }

// After editing a table packet, make its CRC right again, so only the edit is wrong.
void Recrc(std::vector<uint8_t>& image, int index) {
  SetSectionCrc(std::span(PacketAt(image, index), kPacketSize));
}

// ---- round trips

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, ParsingTheImageGivesBackTheRecord) {
  const int n = GetParam();
  auto original = VariedConfig(n);
  const int version = n % 32;
  const Parsed back = Parse(ImageOf(*original, version));
  EXPECT_TRUE(back.result.patFound);
  EXPECT_EQ(back.result.programCount, n);
  EXPECT_EQ(back.result.networkNameText, "Example TV");
  EXPECT_EQ(back.result.badMapPackets, 0);
  EXPECT_EQ(back.psiVersion, version);
  EXPECT_TRUE(SameRecord(*back.cfg, *original));
}

INSTANTIATE_TEST_SUITE_P(Programs, RoundTrip, ::testing::Values(1, 2, 5, 6, 7, 11, 12, 13, 40, 41, 42, 43, 83, 84, 99, 100));

TEST(RoundTrip, OneProgramExampleComesBackOnInputTwo) {
  const auto cfg = OneProgramExample();
  const Parsed back = Parse(ImageOf(*cfg));
  EXPECT_EQ(back.cfg->A.ProgramCount, 1);
  EXPECT_EQ(back.cfg->A.InputOfProgram[0], 2);
  EXPECT_STREQ(back.cfg->A.Services[0].ServiceName, "One");
  EXPECT_EQ(back.cfg->B.GhostTable.Count, 0);
  EXPECT_TRUE(SameRecord(*back.cfg, *cfg));
}

TEST(RoundTrip, StreamsComeBackPackedIntoTheFirstSlotsWithTheirInputPids) {
  auto cfg = NewConfig();
  ProgramEntry& p = AddProgram(*cfg, 1, 0x100, 1, "Gaps");
  p.Audio[2] = {3, 0x42, 0x52, 0, 0};
  p.Data[1].PidIn = 0x43;
  p.Data[1].PidOut = 0x53;
  p.Data[1].Type = 1;
  const Parsed back = Parse(ImageOf(*cfg));
  const ProgramEntry& q = back.cfg->A.Programs[0];
  EXPECT_EQ(q.Audio[0].PidOut, 0x52);
  EXPECT_EQ(q.Audio[0].PidIn, 0x42);
  EXPECT_EQ(q.Audio[0].Type, 3);
  EXPECT_EQ(q.Audio[2].PidOut, kNoPid);
  EXPECT_EQ(q.Data[0].PidOut, 0x53);
  EXPECT_EQ(q.Data[0].PidIn, 0x43);
  EXPECT_EQ(q.Data[0].Type, 1);
  EXPECT_EQ(q.Data[1].PidOut, kNoPid);
}

TEST(RoundTrip, PcrOnAnAudioPidLeavesTheNextProgramsPcrEntryToThatProgram) {
  auto cfg = NewConfig();
  ProgramEntry& radio = AddProgram(*cfg, 1, 0x100, 1, "Radio");
  radio.Audio[0].PidIn = radio.PcrPidIn = 0x20;
  radio.Audio[0].PidOut = radio.PcrPidOut = 0x30;
  ProgramEntry& tv = AddProgram(*cfg, 1, 0x101, 2, "TV");
  tv.PcrPidIn = 0x21;
  tv.PcrPidOut = 0x31;
  tv.VideoPidIn = 0x22;
  tv.VideoPidOut = 0x32;
  const Parsed back = Parse(ImageOf(*cfg));
  EXPECT_EQ(back.cfg->A.Programs[1].PcrPidIn, 0x21);
  EXPECT_EQ(back.cfg->B.GhostTable.Count, 0);
  EXPECT_TRUE(SameRecord(*back.cfg, *cfg));
}

TEST(RoundTrip, DataCodesOutsideTheTableAndVideoTypeThreeComeBackAsWritten) {
  auto cfg = NewConfig();
  ProgramEntry& p = AddProgram(*cfg, 1, 0x100, 1, "Odd");
  p.VideoPidIn = p.VideoPidOut = 0x40;
  p.VideoType = 3;  // written as MPEG-2
  p.Data[0].PidIn = p.Data[0].PidOut = 0x41;
  p.Data[0].Type = 5;  // written as 0x06
  const Parsed back = Parse(ImageOf(*cfg));
  EXPECT_EQ(back.cfg->A.Programs[0].VideoType, 0);
  EXPECT_EQ(back.cfg->A.Programs[0].Data[0].Type, 0);
}

// ---- what Get does besides inverting the writer

TEST(Parse, LeftoverMapEntriesBecomeGhostsAndNoneLeftEmptiesTheTable) {
  auto cfg = VariedConfig(3);
  const std::vector<uint8_t> image = ImageOf(*cfg);
  auto stale = NewConfig();
  for (int g = 0; g < 9; ++g) AddGhost(*stale, 2, 1, 1);

  const Parsed withGhosts = Parse(image, stale.get());
  EXPECT_EQ(withGhosts.cfg->B.GhostTable.Count, cfg->B.GhostTable.Count);

  auto noGhosts = VariedConfig(3);
  noGhosts->B.GhostTable.Count = 0;
  EXPECT_EQ(Parse(ImageOf(*noGhosts), stale.get()).cfg->B.GhostTable.Count, 0);
}

TEST(Parse, HeaderWithoutPatEmptiesThePrograms) {
  auto ghostsOnly = NewConfig();
  AddGhost(*ghostsOnly, 2, 0x50, 0x60);
  AddGhost(*ghostsOnly, 4, 0x51, 0x61);
  Pacing pacing;
  pacing.PacketGap = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  pacing.ByteGap = 3;
  StorePacing(ghostsOnly->B.NetworkParamsCopy, pacing);

  auto live = VariedConfig(4);  // what the window held before Get
  const Pacing before = PacingOf(live->A.NetworkParams);
  const Parsed back = Parse(ImageOf(*ghostsOnly), live.get(), 7);
  EXPECT_FALSE(back.result.patFound);
  EXPECT_EQ(back.result.programCount, 0);
  EXPECT_EQ(back.result.networkNameText, "");
  EXPECT_EQ(back.psiVersion, 7);
  EXPECT_EQ(back.cfg->A.ProgramCount, 0);
  EXPECT_EQ(back.cfg->A.TransportStreamId, 0);
  EXPECT_EQ(PacingOf(back.cfg->B.NetworkParamsCopy), pacing);
  EXPECT_EQ(PacingOf(back.cfg->A.NetworkParams), before);
  ASSERT_EQ(back.cfg->B.GhostTable.Count, 2);
  EXPECT_EQ(back.cfg->B.GhostTable.Input[1], 4);
  EXPECT_EQ(back.cfg->B.GhostTable.PidOut[1], 0x61);
}

TEST(Parse, ImageWithoutHeaderOrPatKeepsTheProgramsAndTheirCount) {
  auto live = VariedConfig(4);
  std::vector<uint8_t> image = ImageOf(*VariedConfig(4));
  PacketAt(image, kHeaderIndex)[0] = 0x00;
  PacketAt(image, kPatIndex)[0] = 0x00;
  const Parsed back = Parse(image, live.get());
  EXPECT_EQ(back.cfg->A.ProgramCount, 4);
  EXPECT_EQ(back.cfg->A.TransportStreamId, live->A.TransportStreamId);
}

// ---- bad input: never a crash, never a write outside the record, and the damaged table alone is lost

TEST(BadImage, EveryTruncationIsSafeAndLosesOnlyWhatIsMissing) {
  auto cfg = VariedConfig(12);
  const std::vector<uint8_t> full = ImageOf(*cfg);
  const Parsed complete = Parse(full);
  for (std::size_t cut = 0; cut < full.size(); cut += 47) {
    SCOPED_TRACE("image cut to " + std::to_string(cut) + " bytes");
    const Parsed part = Parse(std::span(full).first(cut));
    const int whole = static_cast<int>(cut / kPacketSize);  // packets fully present
    EXPECT_EQ(part.result.patFound, whole > kPatIndex);
    EXPECT_EQ(part.result.badMapPackets, std::clamp(kFirstInputMapIndex + 4 - whole, 0, 4));
    if (whole <= kPatIndex) continue;
    EXPECT_EQ(part.cfg->A.ProgramCount, 12);
    const PsiLayout layout = PsiLayout::ForPrograms(12);
    for (int k = 0; k < 12; ++k) {
      const bool pmtPresent = whole > layout.PmtIndex(k);
      EXPECT_EQ(part.cfg->A.Programs[k].PmtPid == complete.cfg->A.Programs[k].PmtPid, pmtPresent) << k;
    }
    const bool sdtPresent = whole > layout.SdtIndex() + layout.sdtContinuations;
    EXPECT_EQ(std::strcmp(part.cfg->A.Services[11].ServiceName, complete.cfg->A.Services[11].ServiceName) == 0,
              sdtPresent);
  }
}

TEST(BadImage, WrongSyncBytesLoseOnlyTheirTable) {
  auto cfg = VariedConfig(6);
  const PsiLayout layout = PsiLayout::ForPrograms(6);
  std::vector<uint8_t> image = ImageOf(*cfg);
  PacketAt(image, layout.PmtIndex(3))[0] = 0x48;
  PacketAt(image, kFirstInputMapIndex + 2)[1] = 0x02;  // input 3's map is not a map
  PacketAt(image, layout.NitIndex())[0] = 0xB8;
  auto stale = NewConfig();
  SetNetworkName(*stale, "Old");
  const Parsed back = Parse(image, stale.get());
  EXPECT_EQ(back.result.badMapPackets, 1);
  EXPECT_EQ(back.result.networkNameText, "");
  EXPECT_STREQ(back.cfg->A.NetworkName, "Old");
  EXPECT_EQ(back.cfg->A.Programs[3].PmtPid, kNoPid);
  EXPECT_EQ(back.cfg->A.Programs[3].ServiceId, cfg->A.Programs[3].ServiceId);
  EXPECT_EQ(back.cfg->A.Programs[4].PmtPid, cfg->A.Programs[4].PmtPid);
  EXPECT_EQ(back.cfg->A.InputOfProgram[2], 0) << "program 2 sits on input 3";
  EXPECT_EQ(back.cfg->A.InputOfProgram[1], 2);
}

TEST(BadImage, PatClaimingMoreThanThePacketHoldsIsNoPat) {
  auto cfg = VariedConfig(3);
  std::vector<uint8_t> image = ImageOf(*cfg);
  uint8_t* pat = PacketAt(image, kPatIndex);
  const int claimed = 13 + 4 * 255;
  pat[6] = static_cast<uint8_t>(0xB0 | claimed >> 8);
  pat[7] = static_cast<uint8_t>(claimed & 0xFF);
  auto live = VariedConfig(5);
  const Parsed back = Parse(image, live.get());
  EXPECT_FALSE(back.result.patFound);
  EXPECT_EQ(back.cfg->A.ProgramCount, 0) << "the header is there, so the device holds no readable programs";
}

TEST(BadImage, PatWithAMissingOrMalformedSectionIsNoPat) {
  auto live = VariedConfig(5);
  std::vector<uint8_t> image = ImageOf(*VariedConfig(100));
  PacketAt(image, kPatIndex + 2)[11] = 7;  // the third section carries the wrong section_number
  Recrc(image, kPatIndex + 2);
  Parsed back = Parse(image, live.get());
  EXPECT_FALSE(back.result.patFound);
  EXPECT_EQ(back.cfg->A.ProgramCount, 0);

  auto ten = VariedConfig(10);
  std::size_t mapEntries = 0;
  for (int i = 0; i < kAsiInputs; ++i) mapEntries += InputMapEntries(*ten, i).size();
  for (int last : {0x02, 0xFF}) {  // sections announced that the image does not hold
    std::vector<uint8_t> single = ImageOf(*ten);
    PacketAt(single, kPatIndex)[12] = static_cast<uint8_t>(last);
    Recrc(single, kPatIndex);
    back = Parse(single, live.get());
    EXPECT_FALSE(back.result.patFound) << "last_section_number " << last;
    EXPECT_EQ(back.cfg->B.GhostTable.Count, static_cast<int>(mapEntries)) << "no programs: every entry is a ghost";
  }
  const std::vector<uint8_t> fifty = ImageOf(*VariedConfig(50));
  back = Parse(std::span(fifty).first(PacketOffset(kPatIndex + 1)), live.get());
  EXPECT_FALSE(back.result.patFound) << "image ends after the first PAT section";
}

TEST(Parse, KeepsWhatTheImageDoesNotCarry) {
  auto live = NewConfig();
  live->A.NetworkParams.BitRate = live->B.NetworkParamsCopy.BitRate = 38000000;
  live->A.Reserved1[0] = 0x5A;
  const Parsed back = Parse(ImageOf(*VariedConfig(3)), live.get());
  EXPECT_EQ(back.cfg->A.NetworkParams.BitRate, 38000000);
  EXPECT_EQ(back.cfg->B.NetworkParamsCopy.BitRate, 38000000);
  EXPECT_EQ(back.cfg->A.Reserved1[0], 0x5A);
}

TEST(BadImage, NameLengthPointingOutsideThePacketKeepsTheOldName) {
  auto cfg = VariedConfig(2);
  std::vector<uint8_t> image = ImageOf(*cfg);
  const int nit = PsiLayout::ForPrograms(2).NitIndex();
  auto stale = NewConfig();
  SetNetworkName(*stale, "Old");
  for (int length : {172, 255}) {
    PacketAt(image, nit)[16] = static_cast<uint8_t>(length);
    const Parsed back = Parse(image, stale.get());
    EXPECT_STREQ(back.cfg->A.NetworkName, "Old");
    EXPECT_EQ(back.result.networkNameText, "");
  }
  PacketAt(image, nit)[16] = 171;  // up to the packet's last byte: read, cut to the field
  const Parsed back = Parse(image, stale.get());
  EXPECT_EQ(back.result.networkNameText.size(), sizeof cfg->A.NetworkName - 1);
  EXPECT_EQ(back.cfg->A.NetworkName[sizeof cfg->A.NetworkName - 1], '\0');
}

TEST(BadImage, PmtLengthsPointingOutsideThePacketOrSectionAreBounded) {
  auto cfg = NewConfig();
  ProgramEntry& p = AddProgram(*cfg, 1, 0x100, 1, "P");
  p.VideoPidIn = p.VideoPidOut = 0x40;
  p.Audio[0].PidIn = p.Audio[0].PidOut = 0x41;
  p.Data[0].PidIn = p.Data[0].PidOut = 0x42;
  p.Data[0].SubtitleEnabled = 1;
  std::memcpy(p.Data[0].LanguageCode, "por", 4);
  p.Data[0].SubtitlingType = 0x10;
  const std::vector<uint8_t> image = ImageOf(*cfg);
  const int pmt = PsiLayout::ForPrograms(1).PmtIndex(0);

  {  // section_length past the packet: the PMT is not read
    std::vector<uint8_t> bad = image;
    PacketAt(bad, pmt)[6] = 0xBF;
    const Parsed back = Parse(bad);
    EXPECT_EQ(back.cfg->A.Programs[0].PmtPid, kNoPid);
    EXPECT_EQ(back.cfg->A.Programs[0].VideoPidOut, kNoPid);
  }
  {  // the audio entry's ES_info_length runs past the section: the loop ends there
    std::vector<uint8_t> bad = image;
    PacketAt(bad, pmt)[29 + 5 + 3] = 0xFF;
    Recrc(bad, pmt);
    const Parsed back = Parse(bad);
    EXPECT_EQ(back.cfg->A.Programs[0].VideoPidOut, 0x40);
    EXPECT_EQ(back.cfg->A.Programs[0].Audio[0].PidOut, kNoPid);
    EXPECT_EQ(back.cfg->A.Programs[0].Data[0].PidOut, kNoPid);
  }
  {  // subtitle descriptors shorter than the writer's layout: the stream comes back without subtitles
    std::vector<uint8_t> bad = image;
    uint8_t* packet = PacketAt(bad, pmt);
    const std::size_t data = 29 + 5 + 5;
    ASSERT_EQ(packet[data], 0x06);
    ASSERT_EQ(packet[data + 4], 19);
    // Shrink the entry to three bytes of descriptors and the section with it.
    packet[data + 4] = 3;
    std::memmove(packet + data + 5 + 3, packet + data + 5 + 19, 4);
    packet[7] = static_cast<uint8_t>(packet[7] - 16);
    Recrc(bad, pmt);
    const Parsed back = Parse(bad);
    EXPECT_EQ(back.cfg->A.Programs[0].Data[0].PidOut, 0x42);
    EXPECT_EQ(back.cfg->A.Programs[0].Data[0].SubtitleEnabled, 0);
  }
}

TEST(BadImage, GarbageOfEveryLengthIsSafe) {
  std::vector<uint8_t> garbage(188 * 40);
  uint32_t state = 1;
  for (uint8_t& b : garbage) b = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
  for (int index = 0; index < 40; ++index) garbage[PacketOffset(index)] = index % 2 ? 0x47 : 0xB8;
  for (std::size_t length : {0u, 1u, 187u, 188u, 2068u, 2256u, 188u * 40}) {
    auto live = VariedConfig(3);
    const Parsed back = Parse(std::span(garbage).first(length), live.get());
    EXPECT_GE(back.cfg->A.ProgramCount, 0);
    EXPECT_LE(back.cfg->A.ProgramCount, kMaxPrograms);
    EXPECT_GE(back.cfg->B.GhostTable.Count, 0);
    EXPECT_LE(back.cfg->B.GhostTable.Count, kMaxGhostEntries);
  }
}

}  // namespace
