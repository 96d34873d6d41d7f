#pragma once
// Records to build images from, and byte comparisons that show where two images part.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

// A zero record on the heap (the record is 13,880 bytes).
std::unique_ptr<MuxConfig> NewConfig();

// Appends a program on `input` with no streams (every PID 8191) and a generated PMT; the caller
// adds streams to the returned entry.
ProgramEntry& AddProgram(MuxConfig& cfg, int16_t input, int16_t pmtPid, uint16_t serviceId, const char* name);
void AddGhost(MuxConfig& cfg, int16_t input, int16_t pidIn, int16_t pidOut);
void SetNetworkName(MuxConfig& cfg, const char* name);
void SetPacing(MuxConfig& cfg, const Pacing& pacing);  // both blocks, as the bit-rate field does

// A record of `programs` programs that the image carries completely: streams packed into the first
// slots, stream types from the table, names without padding surprises, output PIDs unique, and
// within the device's capacity. The programs cycle through every kind of stream the PMT knows
// (video of each type or none, AC-3, both subtitle kinds, PCR on video, on audio or on its own PID,
// PMT on the null PID), and ghost entries sit on inputs 1, 3 and 4.
std::unique_ptr<MuxConfig> VariedConfig(int programs);

// One program on input 2: PCR and video 101 -> 201, audio 102 -> 202, PCR adjusted.
std::unique_ptr<MuxConfig> OneProgramExample();

std::vector<uint8_t> Flatten(const std::vector<DevicePacket>& packets);

// Equal bytes, or a failure that shows the first difference with its neighbourhood in hex.
::testing::AssertionResult SameBytes(std::span<const uint8_t> actual, std::span<const uint8_t> expected);
// Equal records, or the first differing byte named by block, slot and offset.
::testing::AssertionResult SameRecord(const MuxConfig& actual, const MuxConfig& expected);

inline std::span<const uint8_t> BytesOf(const MuxConfig& cfg) {
  return {reinterpret_cast<const uint8_t*>(&cfg), sizeof cfg};
}
