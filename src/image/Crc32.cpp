#include "image/Crc32.h"

#include <array>
#include <cstdlib>

#include "image/PsiSection.h"

namespace {

constexpr uint32_t kPolynomial = 0x04C11DB7;

// Entry b is the register after shifting the eight bits of b through an all-zero register.
constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t b = 0; b < 256; ++b) {
    uint32_t reg = b << 24;
    for (int bit = 0; bit < 8; ++bit) reg = (reg & 0x80000000u) ? (reg << 1) ^ kPolynomial : reg << 1;
    table[b] = reg;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

}  // namespace

uint32_t Crc32Mpeg2(std::span<const uint8_t> bytes) {
  uint32_t reg = 0xFFFFFFFFu;
  for (uint8_t b : bytes) reg = (reg << 8) ^ kTable[((reg >> 24) ^ b) & 0xFF];
  return reg;
}

void SetSectionCrc(std::span<uint8_t> buffer) {
  const std::size_t crcAt = SectionCrcOffset(buffer);
  if (crcAt + kCrcSize > buffer.size()) std::abort();  // a builder wrote a length its buffer cannot hold
  const uint32_t crc = Crc32Mpeg2(buffer.subspan(kSectionOffset, crcAt - kSectionOffset));
  for (std::size_t i = 0; i < kCrcSize; ++i) buffer[crcAt + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}
