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

// A control packet of `type` whose other bytes are all 0 (the load packet is exactly this).
inline DevicePacket ControlPacket(ControlType type) {
  DevicePacket packet{};
  packet[0] = kControlSync;
  packet[1] = static_cast<uint8_t>(type);
  return packet;
}

// Command packets carry 0xFF 0x1F in bytes 7 and 8 and what the device is to do in byte 9.
enum class CommandAction : uint8_t { Stop = 0x00, PlayBack = 0x20 };
inline constexpr std::size_t kCommandMarkerOffset = 7;
inline constexpr std::size_t kCommandActionOffset = 9;
inline constexpr std::array<uint8_t, 2> kCommandMarker{0xFF, 0x1F};

inline DevicePacket CommandPacket(CommandAction action) {
  DevicePacket packet = ControlPacket(ControlType::Command);
  packet[kCommandMarkerOffset] = kCommandMarker[0];
  packet[kCommandMarkerOffset + 1] = kCommandMarker[1];
  packet[kCommandActionOffset] = static_cast<uint8_t>(action);
  return packet;
}

inline bool IsCommandPacket(const DevicePacket& packet, CommandAction action) {
  return IsControlPacket(packet.data(), ControlType::Command) &&
         packet[kCommandMarkerOffset] == kCommandMarker[0] && packet[kCommandMarkerOffset + 1] == kCommandMarker[1] &&
         packet[kCommandActionOffset] == static_cast<uint8_t>(action);
}
