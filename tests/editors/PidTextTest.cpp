#include "editors/PidText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

struct PidCase {
  const char* text;
  PidRadix radix;
  int16_t stored;       // what a commit stores
  bool exitWarns;       // whether leaving the field warns
};

void PrintTo(const PidCase& c, std::ostream* out) {
  *out << '"' << c.text << '"' << (c.radix == PidRadix::Decimal ? " decimal" : " hexadecimal");
}

class PidTextCases : public ::testing::TestWithParam<PidCase> {};

TEST_P(PidTextCases, StoredValueAndExitWarning) {
  const PidCase& c = GetParam();
  EXPECT_EQ(PidFromText(c.text, c.radix), c.stored) << c.text;
  EXPECT_EQ(PidTextNeedsRangeWarning(c.text, c.radix), c.exitWarns) << c.text;
}

constexpr auto D = PidRadix::Decimal;
constexpr auto H = PidRadix::Hexadecimal;

INSTANTIATE_TEST_SUITE_P(
    Examples, PidTextCases,
    ::testing::Values(PidCase{"", D, 8191, false}, PidCase{"   ", D, 8191, false},
                      PidCase{"32", D, 32, false}, PidCase{"8190", D, 8190, false},
                      PidCase{"31", D, 31, true}, PidCase{"30", D, 30, true}, PidCase{"29", D, 8191, true},
                      PidCase{"8191", D, 8191, true}, PidCase{"9999", D, 8191, true},
                      PidCase{"12.5", D, 8191, true}, PidCase{"300,1", D, 300, false},
                      PidCase{".", D, 8191, true}, PidCase{" 100", D, 100, false},
                      PidCase{"18", H, 24, true}, PidCase{"17", H, 8191, true}, PidCase{"20", H, 32, false},
                      PidCase{"1FFE", H, 8190, false}, PidCase{"1FFF", H, 8191, true},
                      PidCase{"1fff", H, 8191, true}, PidCase{"FFFF", H, 8191, true},
                      PidCase{"8000", H, 8191, true}, PidCase{"abc", H, 0xABC, false},
                      PidCase{"abc", D, 8191, true}),
    [](const ::testing::TestParamInfo<PidCase>& param) {
      std::string name = std::to_string(param.index) + (param.param.radix == D ? "_dec_" : "_hex_");
      for (const char* c = param.param.text; *c != '\0'; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      return name;
    });

TEST(PidKeyFilter, DecimalAndHexadecimalSets) {
  for (char32_t key : {U'0', U'9', U'.', U',', kBackspaceKey}) {
    EXPECT_TRUE(PidKeyAccepted(key, D));
    EXPECT_TRUE(PidKeyAccepted(key, H));
  }
  for (char32_t key : {U'A', U'F', U'a', U'f'}) {
    EXPECT_FALSE(PidKeyAccepted(key, D));
    EXPECT_TRUE(PidKeyAccepted(key, H));
  }
  for (char32_t key : {U'G', U'g', U'x', U'-', U' ', kEnterKey, char32_t{27}, U'é'}) {
    EXPECT_FALSE(PidKeyAccepted(key, D));
    EXPECT_FALSE(PidKeyAccepted(key, H));
  }
}

TEST(PidCells, TableAndFieldFormats) {
  EXPECT_EQ(PidCellText(32, D), "  32");
  EXPECT_EQ(PidCellText(32, H), "0020");
  EXPECT_EQ(PidCellText(8191, D), "8191");
  EXPECT_EQ(PidCellText(8191, H), "1FFF");
  EXPECT_EQ(PidCellText(65535, D), "65535");
  EXPECT_EQ(PidCellText(65535, H), "FFFF");
  EXPECT_EQ(PidCellText(-1, H), "FFFF");  // a negative PID of a foreign record shows its 16 bits
  EXPECT_EQ(PidFieldText(32, D), "32");
  EXPECT_EQ(PidFieldText(32, H), "0020");
}

TEST(PidCells, BlankNullPidTakesBothSpellings) {
  EXPECT_EQ(BlankNullPid("8191"), "");
  EXPECT_EQ(BlankNullPid("1FFF"), "");
  EXPECT_EQ(BlankNullPid("8190"), "8190");
  EXPECT_EQ(BlankNullPid(" 8191"), " 8191");
}

TEST(LeadingNumber, FollowsScanfRules) {
  EXPECT_EQ(LeadingNumber("  -12x", D), -12);
  EXPECT_EQ(LeadingNumber("0x10", H), 16);
  EXPECT_EQ(LeadingNumber("0x", H), 0);
  EXPECT_EQ(LeadingNumber("+", D), std::nullopt);
  EXPECT_EQ(LeadingNumber("99999999999999999999999", D).has_value(), true);
}

}  // namespace
