#include "editors/SubtitleRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SubtitleLists, LanguageListHoldsTheDevicesItems) {
  ASSERT_EQ(kLanguageItems.size(), 504u);
  const std::pair<int, std::string_view> telling[] = {
      {0, "aar Afar"},
      {12, "alb Albanian"},
      {75, "ces Czech"},
      {103, "cze Czech"},
      {136, "fas Persian"},
      {143, "fre French"},
      {290, "mis Uncoded languages"},
      {303, "mul Multiple languages"},
      {327, "nob Bokmål, Norwegian; Norwegian Bokmål"},
      {356, "per Persian"},
      {362, "por Portuguese"},
      {364, "pro Provençal, Old (to 1500);Occitan, Old (to 1500)"},
      {366, "qaa-qtz Reserved for local use"},
      {400, "slo Slovak"},
      {401, "slk Slovak"},
      {471, "und Undetermined"},
      {477, "vol Volapük"},
      {502, "zxx No linguistic content; Not applicable"},
      {503, "zza Zaza; Dimili; Dimli; Kirdki; Kirmanjki; Zazaki"},
  };
  for (const auto& [row, text] : telling) EXPECT_EQ(kLanguageItems[row], text) << row;
  for (std::string_view item : kLanguageItems) {
    EXPECT_NE(item, "fra French");
    if (!item.starts_with("qaa-qtz")) {
      EXPECT_EQ(item.find(' '), 3u) << item;
    }
  }
}

TEST(SubtitleLists, SubtitlingTypesEndWithTwoEmptyItems) {
  ASSERT_EQ(kSubtitleTypeItems.size(), 13u);
  EXPECT_EQ(TextUpToFirstBlank(kSubtitleTypeItems[kInitialSubtitleTypeRow]), "0x10");
  EXPECT_EQ(TextUpToFirstBlank(kSubtitleTypeItems[7]), "0x20");
  EXPECT_EQ(kSubtitleTypeItems[11], "");
  EXPECT_EQ(kSubtitleTypeItems[12], "");
}

TEST(SubtitleLists, FindRows) {
  EXPECT_EQ(FindLanguageRow("por"), kInitialLanguageRow);
  EXPECT_EQ(FindLanguageRow("cze"), 103);
  EXPECT_EQ(FindLanguageRow("qaa"), 366);
  EXPECT_EQ(FindLanguageRow("xyz"), 0);
  EXPECT_EQ(FindLanguageRow(""), 0);
  EXPECT_EQ(FindLanguageRow("ENG"), 0);  // case counts
  EXPECT_EQ(FindSubtitleTypeRow("0x10"), 3);
  EXPECT_EQ(FindSubtitleTypeRow("0x23"), 10);
  EXPECT_EQ(FindSubtitleTypeRow("0x05"), 0);
  EXPECT_EQ(FindSubtitleTypeRow(SubtitleTypeText(0x20)), 7);
  EXPECT_EQ(SubtitleTypeText(0x01), "0x01");
}

TEST(SubtitleLists, LabelIsTheTextUpToTheFirstBlank) {
  EXPECT_EQ(TextUpToFirstBlank("por Portuguese"), "por");
  EXPECT_EQ(TextUpToFirstBlank("qaa-qtz Reserved for local use"), "qaa-qtz");
  EXPECT_EQ(TextUpToFirstBlank(""), "");
  EXPECT_EQ(TextUpToFirstBlank("abc"), "abc");
}

DataStream StreamWith(int16_t type, const char* code, int32_t subtitlingType) {
  DataStream d{};
  d.Type = type;
  std::strcpy(d.LanguageCode, code);
  d.SubtitlingType = subtitlingType;
  return d;
}

TEST(SubtitleStore, StoresTheClosingState) {
  DataStream d = StreamWith(0, "por", 0x10);
  StoreSubtitleChoice(d, {true, 0, "eng", "0x20"});
  EXPECT_EQ(d.SubtitleEnabled, 1);
  EXPECT_EQ(d.Type, 0);
  EXPECT_STREQ(d.LanguageCode, "eng");
  EXPECT_EQ(d.SubtitlingType, 0x20);

  StoreSubtitleChoice(d, {true, 1, "deu", "0x20"});
  EXPECT_EQ(d.Type, 1);
  EXPECT_EQ(d.SubtitlingType, 0);

  StoreSubtitleChoice(d, {true, 0, "qaa-qtz", ""});  // empty type label keeps the stored type
  EXPECT_STREQ(d.LanguageCode, "qaa");
  EXPECT_EQ(d.SubtitlingType, 0);
}

TEST(SubtitleStore, UntickedClearsOnlyTheFlag) {
  DataStream d = StreamWith(1, "eng", 0x21);
  d.SubtitleEnabled = 1;
  StoreSubtitleChoice(d, {false, 0, "por", "0x10"});
  EXPECT_EQ(d.SubtitleEnabled, 0);
  EXPECT_EQ(d.Type, 1);
  EXPECT_STREQ(d.LanguageCode, "eng");
  EXPECT_EQ(d.SubtitlingType, 0x21);
}

}  // namespace
