#include "image/Nit.h"

#include <cstring>
#include <string_view>

#include "image/PsiSection.h"

namespace {

constexpr uint8_t kNetworkNameDescriptor = 0x40;

// The stored name without leading and trailing bytes 0..32 (blanks and control codes); the field
// need not hold a terminator, so the text never runs past it.
std::string_view TrimmedNetworkName(const MuxConfig& cfg) {
  const char* field = cfg.A.NetworkName;
  std::string_view name(field, strnlen(field, sizeof cfg.A.NetworkName));
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  return name;
}

}  // namespace

DevicePacket BuildNit(const MuxConfig& cfg) {
  const std::string_view name = TrimmedNetworkName(cfg);
  const auto nameLength = static_cast<uint16_t>(name.size());
  DevicePacket packet;
  StartTablePacket(packet, kNitPid);
  ByteWriter w = BeginSection(packet, kNitActualTableId, kSiLengthFlags);
  w.U16(static_cast<uint16_t>(cfg.A.TransportStreamId));  // network_id
  w.U8(kVersionByteBase);
  w.U8(0);
  w.U8(0);
  w.U16(static_cast<uint16_t>(0xF000 | (nameLength + 2)));  // network_descriptors_length
  w.U8(kNetworkNameDescriptor);
  w.U8(static_cast<uint8_t>(nameLength));
  w.Text(name.data(), name.size());
  w.U16(0xF000);  // transport_stream_loop_length 0
  FinishSection(packet, w);
  return packet;
}
