#include "editors/GhostRules.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr auto D = PidRadix::Decimal;
constexpr auto H = PidRadix::Hexadecimal;

TEST(GhostRules, ReadAndFormatInTheRadix) {
  struct Case {
    const char* text;
    PidRadix radix;
    std::optional<int64_t> value;
    const char* cell;
  };
  for (const Case& c : {Case{"12,5", D, 12, "  12"}, Case{" 100", D, 100, " 100"}, Case{"9999", D, 9999, "9999"},
                        Case{"1f", H, 31, "001F"}, Case{"FFFF", H, 0xFFFF, "FFFF"}, Case{"0020", H, 32, "0020"},
                        Case{".", D, std::nullopt, ""}, Case{",5", H, std::nullopt, ""},
                        Case{"-5", D, std::nullopt, ""}, Case{"1f", D, 1, "   1"}}) {
    const auto value = ReadGhostPid(c.text, c.radix);
    EXPECT_EQ(value, c.value) << c.text;
    if (value) {
      EXPECT_EQ(GhostPidText(*value, c.radix), c.cell) << c.text;
    }
  }
}

TEST(GhostRules, DiscardedKeysAdd) {
  EXPECT_EQ(GhostKeyFilter(U'5', D), GhostKeyAction::Type);
  EXPECT_EQ(GhostKeyFilter(kBackspaceKey, D), GhostKeyAction::Type);
  EXPECT_EQ(GhostKeyFilter(kEnterKey, D), GhostKeyAction::Add);
  EXPECT_EQ(GhostKeyFilter(U'a', D), GhostKeyAction::Add);
  EXPECT_EQ(GhostKeyFilter(U'a', H), GhostKeyAction::Type);
  EXPECT_EQ(GhostKeyFilter(U'g', H), GhostKeyAction::Add);
}

TEST(GhostRules, EntryExistsComparesTheFormattedTexts) {
  const std::vector<GhostRow> rows{{"1", " 100", " 200"}, {"2", " 100", " 200"}};
  EXPECT_TRUE(GhostEntryExists(rows, "1", " 100", " 200"));
  EXPECT_FALSE(GhostEntryExists(rows, "1", " 100", " 201"));
  EXPECT_FALSE(GhostEntryExists(rows, "3", " 100", " 200"));
  EXPECT_FALSE(GhostEntryExists(rows, "1", "100", " 200"));
}

TEST(GhostRules, StoredTableRoundTrip) {
  auto cfg = std::make_unique<MuxConfig>();
  GhostPidTable& table = cfg->B.GhostTable;
  table.Count = 3;
  for (int16_t i = 0; i < 3; ++i) {
    table.Input[i] = static_cast<int16_t>(i + 1);
    table.PidIn[i] = static_cast<int16_t>(100 * (i + 1));
    table.PidOut[i] = static_cast<int16_t>(200 * (i + 1));
  }
  table.PidIn[5] = 777;  // beyond the count: kept
  const std::vector<GhostRow> rows = GhostRowsOf(table);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].input, "1");
  EXPECT_EQ(rows[0].pidIn, " 100");
  EXPECT_EQ(rows[0].pidOut, " 200");

  const std::vector<GhostRow> hexRows{{"4", "001F", "FFFF"}};
  StoreGhostRows(table, hexRows, H);
  EXPECT_EQ(table.Count, 1);
  EXPECT_EQ(table.Input[0], 4);
  EXPECT_EQ(table.PidIn[0], 31);
  EXPECT_EQ(table.PidOut[0], -1);
  EXPECT_EQ(table.PidIn[1], 200);
  EXPECT_EQ(table.PidIn[5], 777);
}

TEST(GhostRules, NeverStoresMoreThanTheTableHolds) {
  std::vector<GhostRow> rows(kMaxGhostEntries + 5, GhostRow{"1", "  40", "  41"});
  const auto table = std::make_unique<GhostPidTable>(GhostTableOf(rows, D));
  EXPECT_EQ(table->Count, kMaxGhostEntries);
  EXPECT_EQ(table->PidOut[kMaxGhostEntries - 1], 41);
}

}  // namespace
