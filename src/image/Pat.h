#pragma once
// The PAT: the network entry and one entry per program. Up to 41 programs it is the single section
// of one packet; beyond that it continues in further sections, one packet each.

#include <vector>

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

// One packet per section, section_number 0 first; the sections carry `psiVersion` (0..31).
std::vector<DevicePacket> BuildPat(const MuxConfig& cfg, int psiVersion);
