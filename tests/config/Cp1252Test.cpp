#include <gtest/gtest.h>

#include <cstring>

#include "config/Cp1252.h"

namespace {

TEST(Cp1252, RoundTripsEveryDefinedCharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"TV Globo", "TV Globo"},
      {"S\xE3o Jo\xE3o", "São João"},
      {"\x80 \x9F \xFF", "€ Ÿ ÿ"},
      {"Ol\xE1", "Olá"},
  };
  for (const auto& [bytes, utf8] : cases) {
    EXPECT_EQ(Cp1252ToUtf8(bytes), utf8);
    EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
  }
}

TEST(Cp1252, RefusesWhatItCannotHoldOrMalformedText) {
  for (const char* text : {"日本", "Ωmega", "\xC3", "\xE2\x82", "\x80", "\xFF\xFE"})
    EXPECT_FALSE(Utf8ToCp1252(text).has_value()) << text;
}

TEST(Cp1252, NameFieldsAreZeroFilledAndBounded) {
  char field[11];
  std::memset(field, 'x', sizeof field);
  StoreName(field, 10, 10, "ABC");
  EXPECT_EQ(std::string(field, 11), std::string("ABC\0\0\0\0\0\0\0x", 11));
  StoreName(field, 10, 10, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(FieldText(field, 11), "ABCDEFGHIJ");
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(FieldText(unterminated, 4), "abcd");
  EXPECT_EQ(TrimBlanks("\t  name \x01"), "name");
  EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
