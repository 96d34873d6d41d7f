#include "editors/SubtitleRules.h"

#include <cstdio>

#include "config/Cp1252.h"
#include "editors/PidText.h"

namespace {

constexpr std::size_t kLanguageCodeChars = 3;
constexpr std::size_t kSubtitleTypeChars = 4;

// Equal in their first n characters, a text ending early counting as a NUL (strncmp's rule).
bool SamePrefix(std::string_view a, std::string_view b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const char ca = i < a.size() ? a[i] : '\0';
    const char cb = i < b.size() ? b[i] : '\0';
    if (ca != cb) return false;
    if (ca == '\0') return true;
  }
  return true;
}

template <std::size_t N>
int FindRow(const std::array<std::string_view, N>& items, std::string_view wanted, std::size_t chars) {
  for (std::size_t row = 0; row < N; ++row)
    if (SamePrefix(items[row], wanted, chars)) return static_cast<int>(row);
  return 0;
}

}  // namespace

int FindLanguageRow(std::string_view code) { return FindRow(kLanguageItems, code, kLanguageCodeChars); }

int FindSubtitleTypeRow(std::string_view text) { return FindRow(kSubtitleTypeItems, text, kSubtitleTypeChars); }

std::string SubtitleTypeText(int32_t subtitlingType) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%2.2X", static_cast<unsigned>(subtitlingType));
  return text;
}

std::string_view TextUpToFirstBlank(std::string_view text) { return text.substr(0, text.find(' ')); }

void StoreSubtitleChoice(DataStream& stream, const SubtitleChoice& choice) {
  if (!choice.enabled) {
    stream.SubtitleEnabled = 0;
    return;
  }
  stream.SubtitleEnabled = 1;
  stream.Type = static_cast<int16_t>(choice.dataType);
  StoreName(stream.LanguageCode, sizeof stream.LanguageCode, kLanguageCodeChars, choice.languageLabel);
  if (choice.dataType != 0) {
    stream.SubtitlingType = 0;
  } else if (const auto type = LeadingNumber(choice.subtitleLabel, PidRadix::Hexadecimal)) {
    stream.SubtitlingType = static_cast<int32_t>(*type);
  }
}
