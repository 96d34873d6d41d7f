// The output panel driven by typing: the bit rate turned into pacing and the effective rate, the
// refusal of rates whose pacing does not fit, the transport stream id.
#include <QTest>

#include "MainWindowFixture.h"
#include "config/Pacing.h"
#include "config/SharedRecord.h"
#include "ui/Edit.h"
#include "ui/RadioGroup.h"

namespace {

using Gaps = std::array<uint16_t, kPacingCycle>;

struct RateCase {
  const char* typed;
  int mode;  // 0 Byte, 1 Pack
  const char* shown;
  Gaps gaps;
  int16_t byteGap;
  int64_t bitRate;
};

class BitRateTyped : public MainWindowTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(BitRateTyped, FieldShowsTheEffectiveRateAndBothBlocksHoldThePacing) {
  const RateCase c = GetParam();
  OpenWindow();
  ConnectToDevice();
  window->rdg_Mode->setItemIndex(c.mode);
  TypeAndLeave(window->txt_BitRate, c.typed);
  EXPECT_EQ(window->txt_BitRate->text().toStdString(), c.shown);
  const MuxConfig& cfg = SharedMuxConfig();
  const Pacing expected{c.gaps, c.byteGap};
  EXPECT_EQ(PacingOf(cfg.A.NetworkParams), expected);
  EXPECT_EQ(PacingOf(cfg.B.NetworkParamsCopy), expected);
  EXPECT_EQ(cfg.A.NetworkParams.BitRate, c.bitRate);
  EXPECT_EQ(cfg.B.NetworkParamsCopy.BitRate, c.bitRate);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BitRateTyped,
    ::testing::Values(
        RateCase{"38000000", 0, "38001122", {133, 132, 133, 133, 132, 133, 132, 133, 133, 132}, 4, 38000000},
        RateCase{"38000000", 1, "38001122", {881, 880, 881, 881, 880, 881, 880, 881, 881, 880}, 0, 38000000},
        // Letters are discarded by the key filter.
        RateCase{"27x000000", 0, "27000000", {7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, 7, 27000000},
        RateCase{"27000000", 1, "27000000", {1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316, 1316}, 0,
                 27000000},
        RateCase{"216000000", 0, "216000000", {}, 0, 216000000},
        RateCase{"50000000", 0, "50003694", {63, 64, 63, 63, 63, 63, 63, 63, 63, 63}, 3, 50000000},
        // Only the leading digits count.
        RateCase{"27000000.", 0, "27000000", {7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, 7, 27000000}));

TEST_F(MainWindowTest, LeavingTheRateASecondTimeStoresTheEffectiveRate) {
  OpenWindow();
  ConnectToDevice();
  TypeAndLeave(window->txt_BitRate, "38000000");
  window->txt_BitRate->setFocus();
  Leave();
  EXPECT_EQ(SharedMuxConfig().A.NetworkParams.BitRate, 38001122);
  EXPECT_EQ(BitRateFromPacing(PacingOf(SharedMuxConfig().A.NetworkParams)), 38001122);
}

TEST_F(MainWindowTest, EmptyOrZeroRateChangesNothing) {
  OpenWindow();
  ConnectToDevice();
  TypeAndLeave(window->txt_BitRate, "38000000");
  const MuxConfig before = SharedMuxConfig();
  for (const char* typed : {"", "0", "000"}) {
    window->txt_BitRate->setText(QString());
    TypeAndLeave(window->txt_BitRate, typed);
    EXPECT_EQ(window->txt_BitRate->text(), typed);
    EXPECT_EQ(std::memcmp(&before, &SharedMuxConfig(), sizeof before), 0) << "typed \"" << typed << "\"";
  }
}

struct RefusedCase {
  const char* typed;
  int mode;
};

class BitRateRefused : public MainWindowTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(BitRateRefused, NamesTheAcceptedRangeOfTheModeAndLeavesTheRecord) {
  const RefusedCase c = GetParam();
  OpenWindow();
  ConnectToDevice();
  window->rdg_Mode->setItemIndex(c.mode);
  const BitRateRange range = AcceptedBitRateRange(c.mode == 0);
  dialogs.expectMessage(QString("Bit rate out of range. In %1 mode enter a rate from %2 to %3 bit/s, please.")
                            .arg(c.mode == 0 ? "Byte" : "Pack")
                            .arg(range.lowest)
                            .arg(range.highest),
                        ui::kMbExclamation);
  const MuxConfig before = SharedMuxConfig();
  TypeAndLeave(window->txt_BitRate, c.typed);
  EXPECT_EQ(std::memcmp(&before, &SharedMuxConfig(), sizeof before), 0);
  EXPECT_EQ(window->txt_BitRate->text(), c.typed);
}

INSTANTIATE_TEST_SUITE_P(OutOfRange, BitRateRefused,
                         ::testing::Values(RefusedCase{"216000001", 0}, RefusedCase{"300000", 0},
                                           RefusedCase{"500000", 1}, RefusedCase{"999999999", 1}));

TEST_F(MainWindowTest, TransportStreamIdTakesDigitsOnly) {
  OpenWindow();
  ConnectToDevice();
  struct Case {
    const char* typed;
    const char* shown;
    int16_t stored;
  };
  for (const Case& c : {Case{"0100", "0100", 100}, Case{"", "", 0}, Case{"1a2b", "12", 12}, Case{"65535", "6553", 6553}}) {
    window->txt_TSID->setText(QString());
    SharedMuxConfig().A.TransportStreamId = -1;
    TypeAndLeave(window->txt_TSID, c.typed);
    EXPECT_EQ(window->txt_TSID->text(), c.shown);
    EXPECT_EQ(SharedMuxConfig().A.TransportStreamId, c.stored) << c.typed;
  }
}

TEST_F(MainWindowTest, NetworkNameTakesWindows1252TextOfTenBytes) {
  OpenWindow();
  ConnectToDevice();
  window->txt_NetName->setFocus();
  QTest::keyClicks(window->txt_NetName, "Rede Sul Brasil");
  EXPECT_EQ(window->txt_NetName->text(), "Rede Sul B");
  Leave();
  EXPECT_EQ(SharedMuxConfig().A.NetworkName[0], '\0') << "the name is taken at a program commit";
}

}  // namespace
