#pragma once
// The PMT of one program, one packet. A program whose PMT the device is not to generate gets the
// same section on the null PID, with its PMT PID in the packet's last two bytes.

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

DevicePacket BuildPmt(const MuxConfig& cfg, int k);
