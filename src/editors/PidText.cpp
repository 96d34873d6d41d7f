#include "editors/PidText.h"

#include <cstdio>

#include "config/Cp1252.h"
#include "config/MuxConfig.h"

namespace {

constexpr int64_t kSaturation = int64_t{1} << 40;  // far beyond any field's four or five characters

std::optional<int> DigitValue(char c, PidRadix radix) {
  if (c >= '0' && c <= '9') return c - '0';
  if (radix == PidRadix::Hexadecimal) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  }
  return std::nullopt;
}

}  // namespace

std::string_view SkipLeadingBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  return text;
}

std::optional<int64_t> LeadingDigits(std::string_view text, PidRadix radix) {
  if (text.empty() || !DigitValue(text.front(), radix)) return std::nullopt;
  const int base = radix == PidRadix::Hexadecimal ? 16 : 10;
  int64_t value = 0;
  for (char c : text) {
    const auto digit = DigitValue(c, radix);
    if (!digit) break;
    value = value < kSaturation ? value * base + *digit : kSaturation;
  }
  return value;
}

std::optional<int64_t> LeadingNumber(std::string_view text, PidRadix radix) {
  text = SkipLeadingBlanks(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // "0x" counts as a prefix only when a hexadecimal digit follows; otherwise the "0" is the number.
  if (radix == PidRadix::Hexadecimal && i + 2 < text.size() && text[i] == '0' &&
      (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2], radix))
    i += 2;
  const auto value = LeadingDigits(text.substr(i), radix);
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

int16_t AsInt16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }

int16_t PidFromText(std::string_view text, PidRadix radix) {
  const auto number = LeadingNumber(text, radix);
  if (!number) return kNoPid;
  const int16_t pid = AsInt16(*number);
  const int lowest = radix == PidRadix::Hexadecimal ? kLowestStoredPidHex : kLowestStoredPidDecimal;
  return pid >= lowest && pid <= kNoPid ? pid : kNoPid;
}

bool PidTextNeedsRangeWarning(std::string_view text, PidRadix radix) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return false;
  const auto number = LeadingNumber(trimmed, radix);
  if (!number) return true;
  const int16_t pid = AsInt16(*number);
  return pid < kLowestPidWithoutWarning || pid > kHighestPidWithoutWarning;
}

bool PidKeyAccepted(char32_t key, PidRadix radix) {
  if ((key >= U'0' && key <= U'9') || key == U'.' || key == U',' || key == kBackspaceKey) return true;
  return radix == PidRadix::Hexadecimal && ((key >= U'A' && key <= U'F') || (key >= U'a' && key <= U'f'));
}

std::string PidCellText(int value, PidRadix radix) {
  char text[16];
  if (radix == PidRadix::Hexadecimal)
    std::snprintf(text, sizeof text, "%4.4X", static_cast<unsigned>(value) & 0xFFFFu);
  else
    std::snprintf(text, sizeof text, "%4d", value);
  return text;
}

std::string PidFieldText(int16_t pid, PidRadix radix) {
  if (radix == PidRadix::Hexadecimal) return PidCellText(pid, radix);
  return std::to_string(pid);
}

std::string BlankNullPid(std::string text) {
  if (text == "8191" || text == "1FFF") return {};
  return text;
}
