#pragma once
// The SDT actual: one service descriptor per program. The section runs on from the first packet into
// continuation packets, so it is built in one contiguous buffer and then cut into packets.

#include <cstdint>
#include <span>
#include <vector>

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

// The first packet followed by the continuation payloads: (e + 1) x 188 bytes, 0xFF after the CRC.
std::vector<uint8_t> BuildSdtBuffer(const MuxConfig& cfg);

// The buffer as packets: its first 188 bytes, then every 184 bytes behind a continuation header.
std::vector<DevicePacket> SdtPackets(std::span<const uint8_t> buffer);

inline std::vector<DevicePacket> BuildSdt(const MuxConfig& cfg) { return SdtPackets(BuildSdtBuffer(cfg)); }
