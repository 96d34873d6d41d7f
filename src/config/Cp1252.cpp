#include "config/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Code points of bytes 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0) {
    const char32_t cp = kHighControls[byte - 0x80];
    return cp != 0 ? cp : byte;  // undefined bytes pass through as the C1 control of that value
  }
  return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::optional<uint8_t> ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<uint8_t>(0x80 + i);
  return std::nullopt;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) AppendUtf8(out, CodePointOf(static_cast<uint8_t>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    const size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
    if ((lead & 0xC0) == 0x80 || lead >= 0xF8 || i + extra >= utf8.size() + (extra == 0)) return std::nullopt;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
      const auto cont = static_cast<uint8_t>(utf8[i + k]);
      if ((cont & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (cont & 0x3F);
    }
    const auto byte = ByteOf(cp);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    i += extra + 1;
  }
  return out;
}

std::string_view FieldText(const char* field, std::size_t capacity) {
  const void* nul = std::memchr(field, 0, capacity);
  return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : capacity};
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<uint8_t>(c) <= 32; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

void StoreName(char* field, std::size_t zeroed, std::size_t maxLen, std::string_view text) {
  std::memset(field, 0, zeroed);
  const std::size_t n = std::min(text.size(), maxLen);
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}
