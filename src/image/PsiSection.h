#pragma once
// What every table packet shares: the transport-stream header with its pointer_field, the section
// header up to section_length, and the CRC at the end of the section.

#include <cstddef>
#include <cstdint>
#include <span>

#include "image/ByteWriter.h"
#include "image/DevicePacket.h"

inline constexpr int16_t kPatPid = 0x0000;
inline constexpr int16_t kNitPid = 0x0010;
inline constexpr int16_t kSdtPid = 0x0011;
inline constexpr int16_t kNullPid = 0x1FFF;

inline constexpr uint8_t kPatTableId = 0x00;
inline constexpr uint8_t kPmtTableId = 0x02;
inline constexpr uint8_t kNitActualTableId = 0x40;
inline constexpr uint8_t kSdtActualTableId = 0x42;

// section_syntax_indicator 1, then '0' (PSI) or reserved_future_use '1' (DVB SI), reserved '11'.
inline constexpr uint8_t kPsiLengthFlags = 0xB0;
inline constexpr uint8_t kSiLengthFlags = 0xF0;
// reserved '11', version_number, current_next_indicator 1.
inline constexpr uint8_t kVersionByteBase = 0xC1;
inline constexpr int kMaxVersion = 31;

inline constexpr std::size_t kTsHeaderSize = 4;
inline constexpr std::size_t kTsPayloadSize = kPacketSize - kTsHeaderSize;
inline constexpr std::size_t kSectionOffset = kTsHeaderSize + 1;  // after the pointer_field
inline constexpr std::size_t kSectionHeaderSize = 3;              // table_id and section_length
inline constexpr std::size_t kCrcSize = 4;
inline constexpr std::size_t kMaxSectionLength = 0x0FFF;  // section_length is 12 bits
// The most a section may announce and still end inside one packet.
inline constexpr int kMaxSectionLengthInPacket = static_cast<int>(kPacketSize - kSectionOffset - kSectionHeaderSize);

inline constexpr uint8_t kPayloadOnlyCc0 = 0x10;  // not scrambled, payload only, continuity_counter 0
inline constexpr uint8_t kUnitStart = 0x40;

inline int SectionLength(std::span<const uint8_t> buffer) {
  return ((buffer[kSectionOffset + 1] & 0x0F) << 8) | buffer[kSectionOffset + 2];
}

// Where the CRC of the section in `buffer` starts: its last four bytes.
inline std::size_t SectionCrcOffset(std::span<const uint8_t> buffer) {
  return kSectionOffset + kSectionHeaderSize + static_cast<std::size_t>(SectionLength(buffer)) - kCrcSize;
}

// Fills `packet` with stuffing and writes the header of a packet on `pid`; with `unitStart` the
// packet also starts a section, so it gets the flag and a zero pointer_field.
void StartTablePacket(std::span<uint8_t> packet, int16_t pid, bool unitStart = true);

// Writes table_id and a section_length placeholder at kSectionOffset and returns the writer placed
// at the first byte that section_length counts.
ByteWriter BeginSection(std::span<uint8_t> buffer, uint8_t tableId, uint8_t lengthFlags);

// Sets section_length from where `body` stopped (leaving room for the CRC), then the CRC.
void FinishSection(std::span<uint8_t> buffer, const ByteWriter& body);
