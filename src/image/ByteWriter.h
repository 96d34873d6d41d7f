#pragma once
// Writes fields in wire order into a fixed buffer. Sections are big-endian; control packets carry
// little-endian values and PIDs. Every table is laid out so that it fits its buffer, so running past
// the end is a fault in a builder: it stops the program instead of cutting a table short.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

class ByteWriter {
 public:
  explicit ByteWriter(std::span<uint8_t> out, std::size_t position = 0) : out_(out), pos_(position) {}

  void U8(uint8_t value) {
    Require(1);
    out_[pos_++] = value;
  }
  void U16(uint16_t value) {
    U8(static_cast<uint8_t>(value >> 8));
    U8(static_cast<uint8_t>(value & 0xFF));
  }
  // A PID inside a section: three reserved bits set, then the 13 bits.
  void SectionPid(int16_t pid) { U16(static_cast<uint16_t>(0xE000 | (pid & 0x1FFF))); }
  void U16Le(uint16_t value) {
    U8(static_cast<uint8_t>(value & 0xFF));
    U8(static_cast<uint8_t>(value >> 8));
  }
  // A PID inside a control packet: low byte, then the high five bits with room for a flag in bit 7.
  void ControlPid(int16_t pid, uint8_t highFlags = 0) {
    U8(static_cast<uint8_t>(pid & 0xFF));
    U8(static_cast<uint8_t>(((pid >> 8) & 0x1F) | highFlags));
  }
  void Bytes(std::span<const uint8_t> bytes) {
    Require(bytes.size());
    for (uint8_t b : bytes) out_[pos_++] = b;
  }
  void Text(const char* text, std::size_t count) {
    Bytes({reinterpret_cast<const uint8_t*>(text), count});
  }

  std::size_t Position() const { return pos_; }
  void Seek(std::size_t position) { pos_ = position; }

 private:
  void Require(std::size_t count) const {
    if (pos_ > out_.size() || count > out_.size() - pos_) std::abort();
  }

  std::span<uint8_t> out_;
  std::size_t pos_;
};
