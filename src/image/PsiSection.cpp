#include "image/PsiSection.h"

#include <algorithm>
#include <cstdlib>

#include "image/Crc32.h"

void StartTablePacket(std::span<uint8_t> packet, int16_t pid, bool unitStart) {
  std::fill(packet.begin(), packet.end(), uint8_t{0xFF});
  ByteWriter w(packet);
  w.U8(kTsSync);
  w.U8(static_cast<uint8_t>((unitStart ? kUnitStart : 0) | ((pid >> 8) & 0x1F)));
  w.U8(static_cast<uint8_t>(pid & 0xFF));
  w.U8(kPayloadOnlyCc0);
  if (unitStart) w.U8(0x00);
}

ByteWriter BeginSection(std::span<uint8_t> buffer, uint8_t tableId, uint8_t lengthFlags) {
  ByteWriter w(buffer, kSectionOffset);
  w.U8(tableId);
  w.U16(static_cast<uint16_t>(lengthFlags << 8));
  return w;
}

void FinishSection(std::span<uint8_t> buffer, const ByteWriter& body) {
  const std::size_t length = body.Position() + kCrcSize - (kSectionOffset + kSectionHeaderSize);
  if (length > kMaxSectionLength) std::abort();  // no table of the image comes near the 12-bit limit
  buffer[kSectionOffset + 1] = static_cast<uint8_t>((buffer[kSectionOffset + 1] & 0xF0) | ((length >> 8) & 0x0F));
  buffer[kSectionOffset + 2] = static_cast<uint8_t>(length & 0xFF);
  SetSectionCrc(buffer);
}
