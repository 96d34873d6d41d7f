#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <memory>

#include "config/Cp1252.h"
#include "config/RecordOps.h"

namespace {

std::unique_ptr<MuxConfig> EmptyRecord() { return std::make_unique<MuxConfig>(); }

// A program whose streams are all absent, on `input`, recognisable by its service id.
void PutProgram(MuxConfig& cfg, int k, int16_t input, uint16_t serviceId) {
  cfg.A.InputOfProgram[k] = input;
  cfg.A.PmtPidOfProgram[k] = static_cast<int16_t>(100 + k);
  cfg.A.Services[k].ServiceId = serviceId;
  StoreName(cfg.A.Services[k].ServiceName, 10, 10, "P" + std::to_string(k));
  ProgramEntry& p = cfg.A.Programs[k];
  p.ServiceId = serviceId;
  p.PmtPid = cfg.A.PmtPidOfProgram[k];
  p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = kNoPid;
  for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
  for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
}

TEST(RemoveProgram, MovesLaterProgramsDownAndZeroesWhatIsFreed) {
  auto cfg = EmptyRecord();
  for (int k = 0; k < 3; ++k) PutProgram(*cfg, k, static_cast<int16_t>(k + 1), static_cast<uint16_t>(10 + k));
  cfg->A.ProgramCount = 3;
  cfg->A.TransportStreamId = 7;
  StoreName(cfg->A.NetworkName, 10, 10, "NET");
  cfg->A.NetworkParams.BitRate = 38000000;
  cfg->A.Reserved1[5] = 0xAA;  // reserved bytes do not survive a rebuilt block
  cfg->B.GhostTable.Count = 2;
  cfg->B.GhostTable.PidIn[1] = 500;

  RemoveProgram(*cfg, 0, 3);

  EXPECT_EQ(cfg->A.ProgramCount, 2);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(cfg->A.InputOfProgram[k], k + 2);
    EXPECT_EQ(cfg->A.PmtPidOfProgram[k], 101 + k);
    EXPECT_EQ(cfg->A.Services[k].ServiceId, 11 + k);
    EXPECT_EQ(cfg->A.Programs[k].ServiceId, 11 + k);
  }
  const auto* slot2 = reinterpret_cast<const uint8_t*>(&cfg->A.Programs[2]);
  EXPECT_TRUE(std::all_of(slot2, slot2 + sizeof(ProgramEntry), [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(cfg->A.InputOfProgram[2], 0);
  EXPECT_EQ(cfg->A.Reserved1[5], 0);
  EXPECT_EQ(cfg->A.TransportStreamId, 7);
  EXPECT_STREQ(cfg->A.NetworkName, "NET");
  EXPECT_EQ(cfg->A.NetworkParams.BitRate, 38000000);
  EXPECT_EQ(cfg->B.GhostTable.Count, 2);
  EXPECT_EQ(cfg->B.GhostTable.PidIn[1], 500);
}

TEST(RemoveProgram, OnlyProgramLeavesAnEmptyZeroSlot) {
  auto cfg = EmptyRecord();
  PutProgram(*cfg, 0, 1, 1);
  cfg->A.ProgramCount = 1;
  RemoveProgram(*cfg, 0, 1);
  EXPECT_EQ(cfg->A.ProgramCount, 0);
  EXPECT_EQ(cfg->A.Programs[0].PmtPid, 0);
  EXPECT_EQ(cfg->A.Services[0].ServiceName[0], '\0');
}

TEST(RemoveProgram, IndexBeyondCountDropsTheLastButKeepsItsBytes) {
  auto cfg = EmptyRecord();
  for (int k = 0; k < 2; ++k) PutProgram(*cfg, k, 1, static_cast<uint16_t>(k + 1));
  cfg->A.ProgramCount = 2;
  RemoveProgram(*cfg, 5, 2);
  EXPECT_EQ(cfg->A.ProgramCount, 1);
  EXPECT_EQ(cfg->A.Programs[0].ServiceId, 1);
  EXPECT_EQ(cfg->A.Programs[1].ServiceId, 2);
}

TEST(InputPidLimit, CountsOutputPidsOfProgramsAndGhostsOnThatInputOnly) {
  auto cfg = EmptyRecord();
  // Ten programs on input 2 with four counted outputs each (video, two audios, one data) = 40;
  // PMT and PCR are not counted.
  for (int k = 0; k < 10; ++k) {
    PutProgram(*cfg, k, 2, static_cast<uint16_t>(k));
    ProgramEntry& p = cfg->A.Programs[k];
    p.PcrPidOut = static_cast<int16_t>(1000 + k);
    p.VideoPidOut = static_cast<int16_t>(2000 + k);
    p.Audio[0].PidOut = static_cast<int16_t>(3000 + k);
    p.Audio[3].PidOut = static_cast<int16_t>(4000 + k);
    p.Data[1].PidOut = static_cast<int16_t>(5000 + k);
  }
  PutProgram(*cfg, 10, 3, 99);
  cfg->A.Programs[10].VideoPidOut = 600;
  cfg->A.ProgramCount = 11;
  GhostPidTable& g = cfg->B.GhostTable;
  for (int i = 0; i < 3; ++i) g.Input[i] = 2;
  g.Input[3] = 1;
  g.Count = 4;
  EXPECT_EQ(OutputPidsOnInput(*cfg, g, 2), 43);
  EXPECT_FALSE(InputPidLimitReached(*cfg, 2));
  g.Input[3] = 2;
  EXPECT_TRUE(InputPidLimitReached(*cfg, 2));
  EXPECT_FALSE(InputPidLimitReached(*cfg, 3));

  GhostPidTable working{};  // the ghost editor's own table replaces the record's
  EXPECT_EQ(OutputPidsOnInput(*cfg, working, 2), 40);
  EXPECT_FALSE(InputPidLimitReached(*cfg, working, 2));
}

TEST(InputPidLimit, EmptyConfigurationNeverReachesIt) {
  auto cfg = EmptyRecord();
  cfg->A.InputOfProgram[0] = 1;
  cfg->A.Programs[0].VideoPidOut = 100;  // beyond ProgramCount: ignored
  EXPECT_FALSE(InputPidLimitReached(*cfg, 1));
}

TEST(ResetProgramSlots, EmptiesPidsAndNamesButKeepsTypesFlagsAndSubtitles) {
  auto cfg = EmptyRecord();
  for (int k = 0; k < 4; ++k) {
    PutProgram(*cfg, k, 1, 5);
    ProgramEntry& p = cfg->A.Programs[k];
    p.VideoType = 2;
    p.Audio[1].Type = 4;
    p.Data[0].SubtitleEnabled = 1;
    std::strcpy(p.Data[0].LanguageCode, "por");
    p.VideoPidOut = 300;
  }
  ResetProgramSlots(*cfg, 3);
  for (int k = 0; k < 3; ++k) {
    const ProgramEntry& p = cfg->A.Programs[k];
    EXPECT_EQ(cfg->A.InputOfProgram[k], 0);
    EXPECT_EQ(cfg->A.PmtPidOfProgram[k], kNoPid);
    EXPECT_STREQ(cfg->A.Services[k].ServiceName, " ");
    EXPECT_STREQ(cfg->A.Services[k].ProviderName, " ");
    EXPECT_EQ(p.VideoPidOut, kNoPid);
    EXPECT_EQ(p.PmtPid, kNoPid);
    EXPECT_EQ(p.VideoType, 2);
    EXPECT_EQ(p.Audio[1].Type, 4);
    EXPECT_EQ(p.Data[0].SubtitleEnabled, 1);
    EXPECT_STREQ(p.Data[0].LanguageCode, "por");
    EXPECT_EQ(p.ServiceId, 5);
  }
  EXPECT_EQ(cfg->A.Programs[3].VideoPidOut, 300);
  EXPECT_EQ(cfg->A.InputOfProgram[3], 1);
}

TEST(ActivePacing, BlockBDescribesAGhostOnlyConfiguration) {
  auto cfg = EmptyRecord();
  cfg->A.NetworkParams.ByteGap = 4;
  cfg->B.NetworkParamsCopy.ByteGap = 9;
  cfg->B.GhostTable.Count = 2;
  EXPECT_EQ(ActivePacing(*cfg).ByteGap, 9);
  cfg->A.ProgramCount = 1;
  EXPECT_EQ(ActivePacing(*cfg).ByteGap, 4);
}

}  // namespace
