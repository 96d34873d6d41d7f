#pragma once
// The device's own packets in the image: the header with the image size and output pacing, the
// per-input PID maps, the spare map and the PCR list.

#include <cstdint>
#include <vector>

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

inline constexpr int kMapEntriesPerPacket = 44;
inline constexpr int kPcrListACapacity = 32;
inline constexpr int kPcrListBCapacity = 54;

inline constexpr std::size_t kHeaderSizeOffset = 7;
inline constexpr std::size_t kHeaderPacingOffset = 10;
inline constexpr std::size_t kHeaderByteGapOffset = 12;
inline constexpr uint8_t kHeaderFormat = 0x07;  // byte 9, a constant of the device's format
inline constexpr std::size_t kMapInputIndexOffset = 9;
inline constexpr std::size_t kMapEntriesOffset = 12;
inline constexpr std::size_t kMapEntrySize = 4;
inline constexpr uint8_t kSpareMapInputIndex = 0x0F;  // byte 9 of the spare map, a constant of the format
inline constexpr std::size_t kPcrListAOffset = 12;
inline constexpr std::size_t kPcrListBOffset = 80;
inline constexpr std::size_t kPcrEntrySize = 2;
inline constexpr uint8_t kPcrAdjustFlag = 0x80;  // bit 7 of a list B entry's second byte

struct MapEntry {
  int16_t pidIn;
  int16_t pidOut;
  bool operator==(const MapEntry&) const = default;
};

struct PcrListEntry {
  int16_t pid;
  bool adjust;
  bool operator==(const PcrListEntry&) const = default;
};

// Every pair the map of input index `inputIndex` (0..7) must carry, in map order, however many.
std::vector<MapEntry> InputMapEntries(const MuxConfig& cfg, int inputIndex);
// The programs with a PCR (list B), and those of them whose PCR is adjusted (list A), in program order.
std::vector<PcrListEntry> ProgramsWithPcr(const MuxConfig& cfg);
std::vector<int16_t> AdjustedPcrPids(const MuxConfig& cfg);

DevicePacket BuildHeaderPacket(uint16_t imageSize, const Pacing& pacing);
// Lists at most the packet's 44 entries.
DevicePacket BuildInputMapPacket(const MuxConfig& cfg, int inputIndex);
DevicePacket BuildSpareMapPacket();
// Lists at most 32 programs in list A and 54 in list B.
DevicePacket BuildPcrPacket(const MuxConfig& cfg);
