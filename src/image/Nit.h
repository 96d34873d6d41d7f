#pragma once
// The NIT actual: the network name descriptor, no transport stream loop.

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

DevicePacket BuildNit(const MuxConfig& cfg);
