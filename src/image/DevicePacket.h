#pragma once
// The 188-byte unit exchanged with the device and stored in image files.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kPacketSize = 188;
inline constexpr uint8_t kTsSync = 0x47;       // MPEG-2 transport-stream packet
inline constexpr uint8_t kControlSync = 0xB8;  // device control packet; byte 1 is its type

using DevicePacket = std::array<uint8_t, kPacketSize>;
static_assert(sizeof(DevicePacket) == kPacketSize, "images are written as arrays of packets");

enum class ControlType : uint8_t { Command = 0, InputMap = 1, Header = 2, Load = 3, PcrList = 4 };

inline bool IsControlPacket(const uint8_t* packet, ControlType type) {
  return packet[0] == kControlSync && packet[1] == static_cast<uint8_t>(type);
}
