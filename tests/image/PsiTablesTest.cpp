#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ImageTestSupport.h"
#include "image/Crc32.h"
#include "image/ImageLayout.h"
#include "image/Nit.h"
#include "image/Pat.h"
#include "image/Pmt.h"
#include "image/PsiSection.h"
#include "image/Sdt.h"

namespace {

std::vector<uint8_t> Bytes(const DevicePacket& p, std::size_t from, std::size_t to) {
  return {p.begin() + static_cast<std::ptrdiff_t>(from), p.begin() + static_cast<std::ptrdiff_t>(to) + 1};
}

bool AllStuffing(std::span<const uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0xFF; });
}

// The CRC of a section taken with its stored CRC is zero.
bool SectionChecks(std::span<const uint8_t> buffer) {
  return Crc32Mpeg2(buffer.subspan(5, 3 + static_cast<std::size_t>(SectionLength(buffer)))) == 0;
}

// ---- PAT

TEST(Pat, OneProgramIsTheWorkedExample) {
  auto cfg = NewConfig();
  cfg->A.TransportStreamId = 1;
  AddProgram(*cfg, 1, 0x100, 1, "One");
  const std::vector<DevicePacket> pat = BuildPat(*cfg, 1);
  ASSERT_EQ(pat.size(), 1u);
  EXPECT_TRUE(SameBytes(Bytes(pat[0], 0, 24), std::vector<uint8_t>{0x47, 0x40, 0x00, 0x10, 0x00, 0x00, 0xB0, 0x11,
                                                                     0x00, 0x01, 0xC3, 0x00, 0x00, 0x00, 0x00, 0xE0,
                                                                     0x10, 0x00, 0x01, 0xE1, 0x00, 0x69, 0x3E, 0x76,
                                                                     0xFD}));
  EXPECT_TRUE(AllStuffing(std::span(pat[0]).subspan(25)));
}

TEST(Pat, VersionTakesFiveBits) {
  auto cfg = NewConfig();
  AddProgram(*cfg, 1, 0x100, 1, "One");
  EXPECT_EQ(BuildPat(*cfg, 31)[0][10], 0xC1 | (31 << 1));
  EXPECT_EQ(BuildPat(*cfg, 0)[0][10], 0xC1);
}

TEST(Pat, FortyOneProgramsStillFitOneSection) {
  auto cfg = VariedConfig(41);
  const std::vector<DevicePacket> pat = BuildPat(*cfg, 3);
  ASSERT_EQ(pat.size(), 1u);
  EXPECT_EQ(SectionLength(pat[0]), 13 + 4 * 41);
  EXPECT_EQ(pat[0][11], 0);
  EXPECT_EQ(pat[0][12], 0);
  EXPECT_TRUE(SectionChecks(pat[0]));
}

struct PatSplitCase {
  int programs;
  std::vector<int> programsPerSection;
};

class PatSplit : public ::testing::TestWithParam<PatSplitCase> {};

TEST_P(PatSplit, LaterSectionsCarryTheRestOfTheProgramsInOrder) {
  const PatSplitCase& c = GetParam();
  auto cfg = VariedConfig(c.programs);
  const std::vector<DevicePacket> pat = BuildPat(*cfg, 9);
  ASSERT_EQ(pat.size(), c.programsPerSection.size());
  int k = 0;
  for (std::size_t s = 0; s < pat.size(); ++s) {
    const DevicePacket& p = pat[s];
    SCOPED_TRACE("section " + std::to_string(s));
    EXPECT_TRUE(SameBytes(Bytes(p, 0, 5), std::vector<uint8_t>{0x47, 0x40, 0x00, 0x10, 0x00, 0x00}));
    EXPECT_EQ(p[11], s);
    EXPECT_EQ(p[12], pat.size() - 1);
    EXPECT_EQ(p[10], 0xC1 | (9 << 1));
    EXPECT_TRUE(SectionChecks(p));
    std::size_t at = 13;
    if (s == 0) {
      EXPECT_TRUE(SameBytes(Bytes(p, 13, 16), std::vector<uint8_t>{0x00, 0x00, 0xE0, 0x10}));
      at = 17;
    }
    EXPECT_EQ(SectionLength(p), 9 + 4 * (c.programsPerSection[s] + (s == 0)));
    for (int j = 0; j < c.programsPerSection[s]; ++j, ++k, at += 4) {
      EXPECT_EQ(p[at] << 8 | p[at + 1], cfg->A.Programs[k].ServiceId);
      EXPECT_EQ((p[at + 2] & 0x1F) << 8 | p[at + 3], cfg->A.PmtPidOfProgram[k]);
    }
    EXPECT_TRUE(AllStuffing(std::span(p).subspan(at + 4)));
  }
  EXPECT_EQ(k, c.programs);
}

INSTANTIATE_TEST_SUITE_P(MoreThan41Programs, PatSplit,
                         ::testing::Values(PatSplitCase{42, {41, 1}}, PatSplitCase{83, {41, 42}},
                                           PatSplitCase{84, {41, 42, 1}}, PatSplitCase{100, {41, 42, 17}}));

// ---- NIT

TEST(Nit, NetworkNameIsTheWorkedExample) {
  auto cfg = NewConfig();
  cfg->A.TransportStreamId = 5;
  for (const char* name : {"TV", "  TV \t", "\x01TV\x20"}) {
    SetNetworkName(*cfg, name);
    const DevicePacket nit = BuildNit(*cfg);
    EXPECT_TRUE(SameBytes(Bytes(nit, 0, 24),
                          std::vector<uint8_t>{0x47, 0x40, 0x10, 0x10, 0x00, 0x40, 0xF0, 0x11, 0x00, 0x05, 0xC1,
                                               0x00, 0x00, 0xF0, 0x04, 0x40, 0x02, 0x54, 0x56, 0xF0, 0x00, 0xE8,
                                               0xD1, 0x42, 0x17}))
        << "stored name \"" << name << "\"";
    EXPECT_TRUE(AllStuffing(std::span(nit).subspan(25)));
  }
}

TEST(Nit, EmptyNameGivesAnEmptyDescriptor) {
  auto cfg = NewConfig();
  const DevicePacket nit = BuildNit(*cfg);
  EXPECT_EQ(SectionLength(nit), 15);
  EXPECT_TRUE(SameBytes(Bytes(nit, 13, 18), std::vector<uint8_t>{0xF0, 0x02, 0x40, 0x00, 0xF0, 0x00}));
  EXPECT_TRUE(SectionChecks(nit));
}

TEST(Nit, ANameFillingTheWholeFieldStopsAtTheField) {
  auto cfg = NewConfig();
  std::memset(cfg->A.NetworkName, 'N', sizeof cfg->A.NetworkName);  // no terminator
  cfg->A.NetworkParams.PacketGap[0] = 0x4141;
  const DevicePacket nit = BuildNit(*cfg);
  EXPECT_EQ(nit[16], sizeof cfg->A.NetworkName);
  EXPECT_TRUE(SectionChecks(nit));
}

// ---- SDT

struct SdtCase {
  int programs;
  std::size_t packets;
  std::size_t crcAt;  // buffer offset of the CRC
};

class SdtSize : public ::testing::TestWithParam<SdtCase> {};

TEST_P(SdtSize, SectionRunsOnIntoContinuationPackets) {
  const SdtCase& c = GetParam();
  auto cfg = VariedConfig(c.programs);
  const std::vector<uint8_t> buffer = BuildSdtBuffer(*cfg);
  ASSERT_EQ(buffer.size(), c.packets * kPacketSize);
  EXPECT_EQ(SectionLength(buffer), 12 + 30 * c.programs);
  EXPECT_EQ(SectionCrcOffset(buffer), c.crcAt);
  EXPECT_TRUE(SectionChecks(buffer));
  EXPECT_TRUE(AllStuffing(std::span(buffer).subspan(c.crcAt + 4)));

  const std::vector<DevicePacket> packets = SdtPackets(buffer);
  ASSERT_EQ(packets.size(), c.packets);
  EXPECT_TRUE(SameBytes(packets[0], std::span(buffer).first(kPacketSize)));
  for (std::size_t p = 1; p < packets.size(); ++p) {
    EXPECT_TRUE(SameBytes(Bytes(packets[p], 0, 3), std::vector<uint8_t>{0x47, 0x00, 0x11, 0x10}));
    EXPECT_TRUE(SameBytes(std::span(packets[p]).subspan(4), std::span(buffer).subspan(188 + 184 * (p - 1), 184)));
  }
}

// 5 services end the section at byte 169; 12 need 380 bytes with the packet header and pointer field.
INSTANTIATE_TEST_SUITE_P(Programs, SdtSize,
                         ::testing::Values(SdtCase{1, 1, 46}, SdtCase{5, 1, 166}, SdtCase{6, 2, 196},
                                           SdtCase{11, 2, 346}, SdtCase{12, 3, 376}, SdtCase{100, 17, 3016}));

TEST(Sdt, ServiceCarriesItsFlagsAndBothTenByteNames) {
  auto cfg = NewConfig();
  cfg->A.TransportStreamId = 0x1234;
  SetNetworkName(*cfg, "Net");
  AddProgram(*cfg, 1, 0x100, 0xABCD, "News");
  cfg->A.Services[0].EitSchedule = 1;
  const std::vector<uint8_t> sdt = BuildSdtBuffer(*cfg);
  EXPECT_TRUE(SameBytes(std::span(sdt).subspan(0, 16),
                        std::vector<uint8_t>{0x47, 0x40, 0x11, 0x10, 0x00, 0x42, 0xF0, 0x2A, 0x12, 0x34, 0xC1, 0x00,
                                             0x00, 0x12, 0x34, 0xFF}));
  EXPECT_TRUE(SameBytes(std::span(sdt).subspan(16, 30),
                        std::vector<uint8_t>{0xAB, 0xCD, 0xF2, 0x00, 0x19, 0x48, 0x17, 0x01, 0x0A, 'N',  'e',
                                             't',  0,    0,    0,    0,    0,    0,    0,    0x0A, 'N',  'e',
                                             'w',  's',  0,    0,    0,    0,    0,    0}));
}

// ---- PMT

// The program of the worked example: MPEG-2 video on 0x101 carrying the PCR, PMT on 0x100.
ProgramEntry& VideoOnlyProgram(MuxConfig& cfg) {
  ProgramEntry& p = AddProgram(cfg, 1, 0x100, 0x0203, "Video");
  p.VideoPidIn = p.VideoPidOut = p.PcrPidIn = p.PcrPidOut = 0x101;
  return p;
}

TEST(Pmt, VideoOnlyProgramIsTheWorkedExample) {
  auto cfg = NewConfig();
  VideoOnlyProgram(*cfg);
  const DevicePacket pmt = BuildPmt(*cfg, 0);
  EXPECT_TRUE(SameBytes(Bytes(pmt, 0, 33),
                        std::vector<uint8_t>{0x47, 0x41, 0x00, 0x10, 0x00, 0x02, 0xB0, 0x1E, 0x02, 0x03, 0xC1, 0x00,
                                             0x00, 0xE1, 0x01, 0xF0, 0x0C, 0x0B, 0x02, 0x40, 0x1F, 0x10, 0x06, 0xC0,
                                             0x6B, 0x6C, 0xC0, 0x06, 0x00, 0x02, 0xE1, 0x01, 0xF0, 0x00}));
  EXPECT_EQ(SectionLength(pmt), 30);
  EXPECT_TRUE(SectionChecks(pmt));
  EXPECT_TRUE(AllStuffing(std::span(pmt).subspan(38)));
}

TEST(Pmt, WithoutGeneratePmtTheSameSectionGoesOnTheNullPid) {
  auto cfg = NewConfig();
  VideoOnlyProgram(*cfg);
  const DevicePacket generated = BuildPmt(*cfg, 0);
  cfg->A.Programs[0].GeneratePmt = 0;
  DevicePacket onNull = BuildPmt(*cfg, 0);
  EXPECT_EQ(onNull[1], 0x1F);
  EXPECT_EQ(onNull[2], 0xFF);
  EXPECT_EQ(onNull[186], 0x41);
  EXPECT_EQ(onNull[187], 0x00);
  onNull[1] = generated[1];
  onNull[2] = generated[2];
  onNull[186] = onNull[187] = 0xFF;
  EXPECT_TRUE(SameBytes(onNull, generated));
}

TEST(Pmt, NoPcrIsWrittenAsTheNullPid) {
  auto cfg = NewConfig();
  VideoOnlyProgram(*cfg).PcrPidOut = kNoPid;
  const DevicePacket pmt = BuildPmt(*cfg, 0);
  EXPECT_EQ(pmt[13], 0xFF);
  EXPECT_EQ(pmt[14], 0xFF);
}

struct StreamCase {
  const char* name;
  void (*set)(ProgramEntry&);
  std::vector<uint8_t> entry;  // the elementary stream loop after the video entry
};

void SetAudio(ProgramEntry& p, int j, int16_t type, int16_t pid) {
  p.Audio[j].Type = type;
  p.Audio[j].PidIn = p.Audio[j].PidOut = pid;
}

void SetSubtitles(DataStream& d, int16_t type, int16_t pid) {
  d.Type = type;
  d.PidIn = d.PidOut = pid;
  d.SubtitleEnabled = 1;
  std::memcpy(d.LanguageCode, "por", 4);
  d.SubtitlingType = 0x110;  // only the low byte is announced
}

class PmtStreams : public ::testing::TestWithParam<StreamCase> {};

TEST_P(PmtStreams, EntryFollowsTheVideoEntry) {
  auto cfg = NewConfig();
  GetParam().set(VideoOnlyProgram(*cfg));
  const DevicePacket pmt = BuildPmt(*cfg, 0);
  const std::vector<uint8_t>& entry = GetParam().entry;
  EXPECT_EQ(SectionLength(pmt), 30 + static_cast<int>(entry.size()));
  EXPECT_TRUE(SameBytes(std::span(pmt).subspan(34, entry.size()), entry));
  EXPECT_TRUE(SectionChecks(pmt));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PmtStreams,
    ::testing::Values(
        StreamCase{"Mpeg1Audio", [](ProgramEntry& p) { SetAudio(p, 0, 0, 0x102); }, {0x03, 0xE1, 0x02, 0xF0, 0x00}},
        StreamCase{"UnknownAudioCode", [](ProgramEntry& p) { SetAudio(p, 0, 9, 0x102); }, {0x04, 0xE1, 0x02, 0xF0, 0x00}},
        // AC-3 adds 10: five for the entry, five for its descriptor.
        StreamCase{"Ac3Audio",
                   [](ProgramEntry& p) { SetAudio(p, 0, 4, 0x102); },
                   {0x81, 0xE1, 0x02, 0xF0, 0x05, 0x6A, 0x03, 0x80, 0x52, 0x00}},
        StreamCase{"SecondAudioSlotOnly", [](ProgramEntry& p) { SetAudio(p, 1, 3, 0x1FFE); }, {0x0F, 0xFF, 0xFE, 0xF0, 0x00}},
        StreamCase{"DataWithoutSubtitles",
                   [](ProgramEntry& p) {
                     SetSubtitles(p.Data[0], 0, 0x103);
                     p.Data[0].SubtitleEnabled = 0;
                   },
                   {0x06, 0xE1, 0x03, 0xF0, 0x00}},
        StreamCase{"PrivateSectionSubtitles",
                   [](ProgramEntry& p) { SetSubtitles(p.Data[1], 1, 0x104); },
                   {0x82, 0xE1, 0x04, 0xF0, 0x06, 0x0A, 0x04, 'p', 'o', 'r', 0x10}},
        StreamCase{"DvbSubtitles",
                   [](ProgramEntry& p) { SetSubtitles(p.Data[0], 0, 0x103); },
                   {0x06, 0xE1, 0x03, 0xF0, 0x13, 0x52, 0x01, 0x06, 0x0A, 0x04, 'p', 'o', 'r', 0x00, 0x59, 0x08,
                    'p', 'o', 'r', 0x10, 0x00, 0x04, 0x00, 0x05}},
        StreamCase{"DataCodeOtherThanOneIsPrivateData",
                   [](ProgramEntry& p) { SetSubtitles(p.Data[0], 7, 0x103); p.Data[0].SubtitleEnabled = 0; },
                   {0x06, 0xE1, 0x03, 0xF0, 0x00}}),
    [](const ::testing::TestParamInfo<StreamCase>& c) { return std::string(c.param.name); });

TEST(Pmt, VideoTypesAndTheLargestProgramStillFitOnePacket) {
  auto cfg = NewConfig();
  ProgramEntry& p = VideoOnlyProgram(*cfg);
  for (auto [code, type] : {std::pair{0, 0x02}, {1, 0x1B}, {2, 0x1A}, {3, 0x02}, {-1, 0x02}}) {
    p.VideoType = static_cast<int16_t>(code);
    EXPECT_EQ(BuildPmt(*cfg, 0)[29], type) << "VideoType " << code;
  }
  for (int j = 0; j < 4; ++j) SetAudio(p, j, 4, static_cast<int16_t>(0x110 + j));
  SetSubtitles(p.Data[0], 0, 0x120);
  SetSubtitles(p.Data[1], 0, 0x121);
  const DevicePacket largest = BuildPmt(*cfg, 0);
  EXPECT_EQ(SectionLength(largest), 118);
  EXPECT_TRUE(SectionChecks(largest));

  for (AudioStream& a : p.Audio) a.Type = 0;
  for (DataStream& d : p.Data) d.SubtitleEnabled = 0;
  EXPECT_EQ(SectionLength(BuildPmt(*cfg, 0)), 60) << "all seven streams without descriptors";
}

}  // namespace
