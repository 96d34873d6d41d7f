#pragma once
// Reads fields out of one packet (or the SDT's reassembled buffer) and never past its end: a field
// that does not lie wholly inside reads as zero. The parser checks every length it is given before
// it relies on it, so this is the last line of defence, not the validation.

#include <cstddef>
#include <cstdint>
#include <span>

class PacketReader {
 public:
  explicit PacketReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool Holds(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  uint8_t U8(std::size_t at) const { return Holds(at, 1) ? bytes_[at] : 0; }
  uint16_t U16(std::size_t at) const { return static_cast<uint16_t>(U8(at) << 8 | U8(at + 1)); }
  uint16_t U16Le(std::size_t at) const { return static_cast<uint16_t>(U8(at) | U8(at + 1) << 8); }
  // The low 12 bits of a big-endian pair: section_length, descriptor loop lengths.
  int Length12(std::size_t at) const { return U16(at) & 0x0FFF; }
  int16_t SectionPid(std::size_t at) const { return static_cast<int16_t>(U16(at) & 0x1FFF); }
  int16_t ControlPid(std::size_t at) const { return static_cast<int16_t>(U16Le(at) & 0x1FFF); }
  std::span<const uint8_t> Bytes(std::size_t at, std::size_t count) const {
    return Holds(at, count) ? bytes_.subspan(at, count) : std::span<const uint8_t>{};
  }

 private:
  std::span<const uint8_t> bytes_;
};
