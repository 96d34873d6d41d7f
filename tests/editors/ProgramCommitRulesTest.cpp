#include "editors/ProgramCommitRules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>

namespace {

// A program that every check accepts: service id 100, PMT 256, PCR In 300, Audio 1 301/301.
ProgramEntryTexts ValidTexts() {
  ProgramEntryTexts t;
  t.serviceId = "100";
  t.pmt = "256";
  t.pcr.in = "300";
  t.audio[0] = {"301", "301"};
  return t;
}

ProgramEntryChoices Choices(const char* name, int16_t input = 1) {
  ProgramEntryChoices c;
  c.name = name;
  c.networkName = " NET ";
  c.input = input;
  return c;
}

class CommitRules : public ::testing::Test {
 protected:
  // Stores programs named `names` in slots 0.. with service ids 1000, 1001, ...
  void Store(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      ProgramEntryTexts t = ValidTexts();
      t.serviceId = std::to_string(1000 + cfg.A.ProgramCount);
      const int16_t n = cfg.A.ProgramCount;
      WriteProgram(cfg, ProgramToWrite{{n, static_cast<int16_t>(n + 1), false}, t, Choices(name), PidRadix::Decimal});
    }
  }
  ProgramTableState Table(int selected = -1) const { return {cfg.A.ProgramCount, selected}; }

  CommitDecision Decide(const ProgramEntryTexts& t, const ProgramEntryChoices& c, int selected = -1,
                        bool answerYes = true, PidRadix radix = PidRadix::Decimal) {
    asked = false;
    return DecideCommit(cfg, Table(selected), t, c, radix, [&] {
      asked = true;
      return answerYes;
    });
  }

  std::unique_ptr<MuxConfig> record = std::make_unique<MuxConfig>();
  MuxConfig& cfg = *record;
  bool asked = false;
};

std::string_view RefusalOf(const CommitDecision& d) {
  const auto* refusal = std::get_if<CommitRefusal>(&d);
  return refusal ? refusal->message : std::string_view{};
}

struct CheckCase {
  const char* what;  // also the test's name: letters, digits and blanks
  void (*edit)(ProgramEntryTexts&);
  std::string_view message;  // empty: accepted
};

void PrintTo(const CheckCase& c, std::ostream* out) { *out << c.what; }

class CommitCheckOrder : public CommitRules, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CommitCheckOrder, FirstFailingCheckGivesItsMessage) {
  Store({"ONE"});
  ProgramEntryTexts t = ValidTexts();
  GetParam().edit(t);
  EXPECT_EQ(RefusalOf(Decide(t, Choices("NEW"))), GetParam().message) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommitCheckOrder,
    ::testing::Values(
        CheckCase{"all filled", [](ProgramEntryTexts&) {}, ""},
        CheckCase{"service id empty", [](ProgramEntryTexts& e) { e.serviceId = ""; }, kFillPmtAndPcr},
        CheckCase{"service id blank", [](ProgramEntryTexts& e) { e.serviceId = "  "; }, kFillPmtAndPcr},
        CheckCase{"pmt empty", [](ProgramEntryTexts& e) { e.pmt = ""; }, kFillPmtAndPcr},
        CheckCase{"both pcr empty", [](ProgramEntryTexts& e) { e.pcr = {"", " "}; }, kFillPmtAndPcr},
        CheckCase{"pcr out only", [](ProgramEntryTexts& e) { e.pcr = {"", "300"}; }, ""},
        CheckCase{"empty fields before range",
                  [](ProgramEntryTexts& e) { e.serviceId = "65536"; e.pmt = ""; }, kFillPmtAndPcr},
        CheckCase{"service id 65536", [](ProgramEntryTexts& e) { e.serviceId = "65536"; }, kServiceIdRange},
        CheckCase{"service id 65535", [](ProgramEntryTexts& e) { e.serviceId = "65535"; }, ""},
        CheckCase{"service id no number", [](ProgramEntryTexts& e) { e.serviceId = "."; }, kServiceIdRange},
        CheckCase{"service id of stored program", [](ProgramEntryTexts& e) { e.serviceId = "1000"; },
                  kServiceIdInList},
        CheckCase{"range before duplicate",
                  [](ProgramEntryTexts& e) { e.serviceId = "70000"; e.audio[0] = {}; }, kServiceIdRange},
        CheckCase{"no output field",
                  [](ProgramEntryTexts& e) { e.audio[0] = {"301", " "}; }, kFillOneStream},
        CheckCase{"only video", [](ProgramEntryTexts& e) { e.audio[0] = {}; e.video = {"400", "400"}; },
                  kFillOneAudio},
        CheckCase{"audio 2 out without in", [](ProgramEntryTexts& e) { e.audio[0] = {}; e.audio[1] = {"", "302"}; },
                  kFillOneAudio},
        CheckCase{"blank counts as filled for pairs",
                  [](ProgramEntryTexts& e) { e.audio[0] = {" ", "301"}; }, ""},
        CheckCase{"video and data without audio",
                  [](ProgramEntryTexts& e) { e.audio[0] = {}; e.video = {"400", "400"}; e.data[0] = {"500", "500"}; },
                  kFillOneAudioPair},
        CheckCase{"video, data and audio 1 in",
                  [](ProgramEntryTexts& e) {
                    e.audio[0] = {"301", ""}; e.video = {"400", "400"}; e.data[0] = {"500", "500"};
                  },
                  ""},
        CheckCase{"data only", [](ProgramEntryTexts& e) { e.audio[0] = {}; e.data[0] = {"500", "500"}; }, ""},
        CheckCase{"pmt 20 refused after the other checks", [](ProgramEntryTexts& e) { e.pmt = "20"; },
                  kPmtIncorrect}),
    [](const ::testing::TestParamInfo<CheckCase>& param) {
      std::string name;
      for (const char* c = param.param.what; *c != '\0'; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      return name;
    });

TEST_F(CommitRules, FindProgramSlotOutcomes) {
  Store({"ONE", "TWO", "THREE"});
  struct Case {
    int selected;
    const char* name;
    ProgramSlot expected;
  };
  for (const Case& c : {Case{-1, "NEW", {3, 4, false}}, Case{-1, " TWO ", {1, 3, true}},
                        Case{2, "NEW", {2, 3, false}}, Case{2, "ONE", {0, 3, true}}, Case{-1, "two", {3, 4, false}}}) {
    const ProgramSlot s = FindProgramSlot(cfg, Table(c.selected), c.name);
    EXPECT_EQ(s.slot, c.expected.slot) << c.name << c.selected;
    EXPECT_EQ(s.count, c.expected.count) << c.name << c.selected;
    EXPECT_EQ(s.found, c.expected.found) << c.name << c.selected;
  }
  cfg.A.ProgramCount = 0;
  const ProgramSlot first = FindProgramSlot(cfg, Table(), "ONE");
  EXPECT_EQ(first.slot, 0);
  EXPECT_EQ(first.count, 1);
  EXPECT_FALSE(first.found);
}

TEST_F(CommitRules, SelectedRowSkipsTheDuplicateServiceIdTest) {
  Store({"ONE", "TWO"});
  ProgramEntryTexts t = ValidTexts();
  t.serviceId = "1001";
  EXPECT_EQ(RefusalOf(Decide(t, Choices("ONE"))), kServiceIdInList);
  const auto decision = Decide(t, Choices("ONE"), 0);
  ASSERT_TRUE(std::holds_alternative<ProgramToWrite>(decision));
  EXPECT_EQ(std::get<ProgramToWrite>(decision).target.slot, 0);
}

TEST_F(CommitRules, ReplacingANamedProgramAsksFirst) {
  Store({"ONE", "TWO"});
  EXPECT_TRUE(std::holds_alternative<CommitDeclined>(Decide(ValidTexts(), Choices("TWO"), -1, false)));
  EXPECT_TRUE(asked);
  const auto yes = Decide(ValidTexts(), Choices("TWO"), -1, true);
  ASSERT_TRUE(std::holds_alternative<ProgramToWrite>(yes));
  EXPECT_EQ(std::get<ProgramToWrite>(yes).target.slot, 1);
  EXPECT_EQ(std::get<ProgramToWrite>(yes).target.count, 2);
  Decide(ValidTexts(), Choices("NEW"));
  EXPECT_FALSE(asked);
}

TEST_F(CommitRules, PmtCheckComesAfterTheQuestion) {
  Store({"ONE"});
  ProgramEntryTexts t = ValidTexts();
  t.pmt = "20";
  const auto d = Decide(t, Choices("ONE"));
  EXPECT_TRUE(asked);
  ASSERT_EQ(RefusalOf(d), kPmtIncorrect);
  EXPECT_EQ(std::get<CommitRefusal>(d).icon, CommitIcon::Stop);
}

TEST_F(CommitRules, HundredAndFirstProgramIsRefused) {
  for (int i = 0; i < kMaxPrograms; ++i) cfg.A.Services[i].ServiceName[0] = static_cast<char>('A' + i % 26);
  cfg.A.ProgramCount = kMaxPrograms;
  for (int i = 0; i < kMaxPrograms; ++i) cfg.A.Programs[i].ServiceId = static_cast<uint16_t>(2000 + i);
  EXPECT_EQ(RefusalOf(Decide(ValidTexts(), Choices("NEW"))), kLimitedPrograms);
  EXPECT_TRUE(std::holds_alternative<ProgramToWrite>(Decide(ValidTexts(), Choices("NEW"), 99)));
}

TEST_F(CommitRules, FortyFourPidsOnAnInput) {
  // Six programs of seven output PIDs each on input 2, plus two ghost entries: 44.
  for (int k = 0; k < 6; ++k) {
    ProgramEntryTexts t = ValidTexts();
    t.serviceId = std::to_string(10 + k);
    t.video = {"400", "400"};
    for (auto& a : t.audio) a = {"301", "301"};
    for (auto& d : t.data) d = {"500", "500"};
    const std::string name = "P" + std::to_string(k);
    WriteProgram(cfg, ProgramToWrite{{static_cast<int16_t>(k), static_cast<int16_t>(k + 1), false}, t,
                                     Choices(name.c_str(), 2), PidRadix::Decimal});
  }
  cfg.B.GhostTable.Count = 2;
  cfg.B.GhostTable.Input[0] = cfg.B.GhostTable.Input[1] = 2;

  EXPECT_EQ(RefusalOf(Decide(ValidTexts(), Choices("NEW", 2))), kLimitedPidsPerInput);
  EXPECT_EQ(RefusalOf(Decide(ValidTexts(), Choices("NEW", 1))), "");
  EXPECT_EQ(RefusalOf(Decide(ValidTexts(), Choices("NEW", 2), 3)), "");  // editing a selected program
  EXPECT_EQ(RefusalOf(Decide(ValidTexts(), Choices("P1", 2), 3)), kLimitedPidsPerInput);
  cfg.B.GhostTable.Count = 1;  // 43: one more program may still take the input past 44
  EXPECT_EQ(RefusalOf(Decide(ValidTexts(), Choices("NEW", 2))), "");
}

TEST_F(CommitRules, WriteFillsEveryFieldOfTheSlot) {
  std::memset(&cfg, 0x5A, sizeof cfg);  // old bytes that must vanish or survive as stated
  cfg.A.ProgramCount = 0;
  ProgramEntryTexts t = ValidTexts();
  t.serviceId = "65535";
  t.pcr = {"300", ""};
  t.data[1] = {"29", "8191"};
  ProgramEntryChoices c = Choices(" Canal 1 ", 3);
  c.networkName = "  LongNetwork  ";
  c.videoType = 2;
  c.audioTypes = {4, 3, 2, -1};
  c.present = true;
  c.generatePmt = false;
  WriteProgram(cfg, ProgramToWrite{{0, 1, false}, t, c, PidRadix::Decimal});

  EXPECT_EQ(cfg.A.ProgramCount, 1);
  EXPECT_STREQ(cfg.A.NetworkName, "LongNetwor");
  EXPECT_EQ(0, std::memcmp(cfg.A.NetworkName, "LongNetwor\0", 11));
  const ServiceEntry& s = cfg.A.Services[0];
  EXPECT_EQ(0, std::memcmp(s.ServiceName, "Canal 1\0\0\0", 10));  // ten bytes zeroed, as stored files have them
  EXPECT_EQ(0, std::memcmp(s.ProviderName, "LongNetwor\0", 11));
  EXPECT_EQ(s.ServiceId, 65535);
  EXPECT_EQ(s.EitPresentFollowing, 1);
  EXPECT_EQ(s.EitSchedule, 0);
  EXPECT_EQ(cfg.A.InputOfProgram[0], 3);
  const ProgramEntry& p = cfg.A.Programs[0];
  EXPECT_EQ(p.ServiceId, 65535);
  EXPECT_EQ(p.PmtPid, 256);
  EXPECT_EQ(cfg.A.PmtPidOfProgram[0], 256);
  EXPECT_EQ(p.PcrPidIn, 300);
  EXPECT_EQ(p.PcrPidOut, 8191);
  EXPECT_EQ(p.VideoPidIn, 8191);
  EXPECT_EQ(p.VideoType, 2);
  EXPECT_EQ(p.Audio[0].Type, 4);
  EXPECT_EQ(p.Audio[3].Type, -1);
  EXPECT_EQ(p.Audio[0].PidIn, 301);
  EXPECT_EQ(p.Audio[1].PidOut, 8191);
  EXPECT_EQ(p.Data[1].PidIn, 8191);
  EXPECT_EQ(p.Data[1].PidOut, 8191);
  EXPECT_EQ(p.GeneratePmt, 0);
  EXPECT_EQ(p.PcrAdjust, 1);
  // Left for the subtitle dialog and the parser.
  EXPECT_EQ(p.Data[0].Type, 0x5A5A);
  EXPECT_EQ(p.Data[0].SubtitleEnabled, 0x5A);
  EXPECT_EQ(p.Audio[0].Claimed, 0x5A);
  EXPECT_EQ(cfg.A.TransportStreamId, 0x5A5A);
}

}  // namespace
