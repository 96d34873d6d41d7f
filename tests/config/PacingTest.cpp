#include <gtest/gtest.h>

#include "config/Pacing.h"

namespace {

using Gaps = std::array<uint16_t, kPacingCycle>;

struct PacingCase {
  const char* text;
  bool byteMode;
  Gaps gaps;
  int16_t byteGap;
};

void PrintTo(const PacingCase& c, std::ostream* os) { *os << c.text << (c.byteMode ? " Byte" : " Pack"); }

class PacingExamples : public testing::TestWithParam<PacingCase> {};

TEST_P(PacingExamples, GapsAndByteGapMatchTheWorkedExample) {
  const PacingCase& c = GetParam();
  const Pacing p = ComputePacing(c.text, c.byteMode);
  EXPECT_EQ(p.PacketGap, c.gaps);
  EXPECT_EQ(p.ByteGap, c.byteGap);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, PacingExamples,
    testing::Values(
        PacingCase{"38001122", true, {133, 132, 133, 133, 132, 133, 132, 133, 133, 132}, 4},
        PacingCase{"38001122", false, {881, 880, 881, 881, 880, 881, 880, 881, 881, 880}, 0},
        PacingCase{"27000000", true, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, 7},
        PacingCase{"27000000", false, {1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316}, 0},
        PacingCase{"216000000", true, {}, 0},
        PacingCase{"216000000", false, {}, 0},
        PacingCase{"50003694", true, {63, 64, 63, 63, 63, 63, 63, 63, 63, 63}, 3},
        // The conversion stops at the first character that is not a digit.
        PacingCase{"27000000.5 bit/s", false, {1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316}, 0},
        // A negative rate leaves a negative remainder of tenths, which no entry of the cycle takes;
        // the gaps are the 32-bit base cut to 16 bits and the byte gap the 255 clamp.
        PacingCase{"-7", true, {55990, 55990, 55990, 55990, 55990, 55990, 55990, 55990, 55990, 55990}, 255},
        PacingCase{"-7", false, {38139, 38139, 38139, 38139, 38139, 38139, 38139, 38139, 38139, 38139}, 0}),
    [](const testing::TestParamInfo<PacingCase>& param) {
      return std::string(param.param.byteMode ? "Byte_" : "Pack_") + std::to_string(param.index);
    });

TEST(Pacing, EffectiveRateIsWhatThePacingReallyProduces) {
  EXPECT_EQ(EffectiveBitRate(38000000), 38001122);
  EXPECT_EQ(EffectiveBitRate(27000000), 27000000);
  EXPECT_EQ(EffectiveBitRate(50000000), 50003694);
  EXPECT_EQ(EffectiveBitRate(216000000), 216000000);
  EXPECT_EQ(BitRateFromPacing(ComputePacing("38001122", true)), 38001122);
  EXPECT_EQ(BitRateFromPacing(ComputePacing("38001122", false)), 38001122);
}

TEST(Pacing, TwentySevenAndAHalfIsReadAsTwentySeven) {
  // 27 bit/s is far below what fits: the pacing wraps in 16 bits, which is why such rates are refused.
  EXPECT_FALSE(BitRateAccepted(LeadingDecimal("27.5"), true));
  EXPECT_EQ(LeadingDecimal("27.5"), 27);
  EXPECT_EQ(LeadingDecimal(""), 0);
  EXPECT_EQ(LeadingDecimal("0100"), 100);
  EXPECT_EQ(LeadingDecimal("  -12abc"), -12);
  EXPECT_EQ(LeadingDecimal("99999999999999999999999"), INT64_MAX);
}

TEST(Pacing, AcceptedRangeEndsWhereTheGapsStopFitting) {
  for (bool byteMode : {true, false}) {
    SCOPED_TRACE(byteMode ? "Byte" : "Pack");
    const BitRateRange range = AcceptedBitRateRange(byteMode);
    EXPECT_EQ(range.highest, 216000000);
    EXPECT_TRUE(BitRateAccepted(range.lowest, byteMode));
    EXPECT_FALSE(BitRateAccepted(range.lowest - 1, byteMode));
    EXPECT_FALSE(BitRateAccepted(216000001, byteMode));
    EXPECT_FALSE(BitRateAccepted(0, byteMode));
    EXPECT_FALSE(BitRateAccepted(-5, byteMode));
    // Every accepted rate's stored pacing gives back a rate close to the effective one.
    const int32_t effective = EffectiveBitRate(static_cast<int32_t>(range.lowest));
    const Pacing p = ComputePacing(std::to_string(effective), byteMode);
    EXPECT_NEAR(static_cast<double>(BitRateFromPacing(p)), effective, effective * 0.01);
  }
  // Byte mode spreads idle slots inside the packet, so it reaches lower rates than Pack mode.
  EXPECT_LT(AcceptedBitRateRange(true).lowest, AcceptedBitRateRange(false).lowest);
  EXPECT_NEAR(static_cast<double>(AcceptedBitRateRange(false).lowest), 618000, 2000);
}

}  // namespace
