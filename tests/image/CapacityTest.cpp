#include <gtest/gtest.h>

#include "ImageTestSupport.h"
#include "image/Capacity.h"

namespace {

// A program on `input` with `streams` audio outputs and, optionally, a PCR of its own.
void AddProgramWith(MuxConfig& cfg, int16_t input, int streams, bool pcr, bool adjust) {
  static int16_t nextPid = 0x100;
  ProgramEntry& p = AddProgram(cfg, input, nextPid++, 1, "P");
  for (int j = 0; j < streams; ++j) p.Audio[j].PidIn = p.Audio[j].PidOut = nextPid++;
  if (pcr) p.PcrPidIn = p.PcrPidOut = nextPid++;
  p.PcrAdjust = adjust;
}

struct CapacityCase {
  const char* name;
  void (*fill)(MuxConfig&);
  const char* problem;  // nullptr: the configuration fits
};

class Capacity : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(Capacity, NamesTheInputOrListAndTheCount) {
  auto cfg = NewConfig();
  GetParam().fill(*cfg);
  const std::optional<std::string> problem = ImageCapacityProblem(*cfg);
  if (GetParam().problem)
    EXPECT_EQ(problem.value_or("fits"), GetParam().problem);
  else
    EXPECT_EQ(problem, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, Capacity,
    ::testing::Values(
        CapacityCase{"Empty", [](MuxConfig&) {}, nullptr},
        CapacityCase{"FortyFourEntriesWithPcrAndGhosts",
                     [](MuxConfig& cfg) {
                       for (int k = 0; k < 10; ++k) AddProgramWith(cfg, 2, 3, true, false);  // 40 entries
                       for (int16_t g = 0; g < 4; ++g) AddGhost(cfg, 2, g, g);
                       for (int16_t g = 0; g < 44; ++g) AddGhost(cfg, 1, g, g);
                     },
                     nullptr},
        // PCR entries count, although the editors' own limit leaves them out.
        CapacityCase{"PcrEntriesTakeAnInputPastTheMap",
                     [](MuxConfig& cfg) {
                       for (int k = 0; k < 11; ++k) AddProgramWith(cfg, 2, 3, true, false);
                       AddGhost(cfg, 2, 1, 1);
                       AddGhost(cfg, 2, 2, 2);
                       AddGhost(cfg, 2, 3, 3);
                     },
                     "Input 2 needs 47 PID entries; the device holds 44 per input."},
        CapacityCase{"GhostsAlone",
                     [](MuxConfig& cfg) {
                       for (int16_t g = 0; g < 45; ++g) AddGhost(cfg, 4, g, g);
                     },
                     "Input 4 needs 45 PID entries; the device holds 44 per input."},
        CapacityCase{"ThirtyTwoAdjustedFit",
                     [](MuxConfig& cfg) {
                       for (int k = 0; k < 32; ++k) AddProgramWith(cfg, static_cast<int16_t>(1 + k % 4), 0, true, true);
                       AddProgramWith(cfg, 1, 1, false, true);  // adjusted without a PCR: in no list
                     },
                     nullptr},
        CapacityCase{"ListA",
                     [](MuxConfig& cfg) {
                       for (int k = 0; k < 33; ++k) AddProgramWith(cfg, static_cast<int16_t>(1 + k % 4), 0, true, true);
                     },
                     "List A needs 33 PCR-adjusted programs; the device holds 32."},
        CapacityCase{"ListB",
                     [](MuxConfig& cfg) {
                       for (int k = 0; k < 55; ++k) AddProgramWith(cfg, static_cast<int16_t>(1 + k % 4), 0, true, false);
                     },
                     "List B needs 55 programs with a PCR; the device holds 54."}),
    [](const ::testing::TestParamInfo<CapacityCase>& c) { return std::string(c.param.name); });

TEST(Capacity, VariedHundredProgramConfigurationFits) {
  EXPECT_EQ(ImageCapacityProblem(*VariedConfig(100)), std::nullopt);
}

}  // namespace
