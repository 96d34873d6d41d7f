#pragma once
// Reads a played-back image (one cycle, header first) back into the record at the image's fixed
// packet offsets. Shows nothing: the caller turns the outcome into messages and window updates.

#include <cstdint>
#include <span>
#include <string>

#include "config/MuxConfig.h"

struct ParsedImage {
  int programCount = 0;         // n: programs read from the PAT(s); 0 without a PAT
  bool patFound = false;
  std::string networkNameText;  // the NIT's name (Windows-1252 bytes), empty without a NIT
  int badMapPackets = 0;        // input maps 1..4 that are not map packets: one "Error in file." each
};

// Each table is read only when its packets are wholly present and pass their checks; a table that
// does not leaves its fields as they were. An image with a header but no PAT (ghost PIDs only) sets
// ProgramCount and TransportStreamId to 0: the caller then empties the name list. `psiVersion`
// follows the PAT. Lengths found in the bytes are never trusted past the packet that holds them.
ParsedImage ParsePlayedBackImage(std::span<const uint8_t> image, MuxConfig& cfg, int& psiVersion);
