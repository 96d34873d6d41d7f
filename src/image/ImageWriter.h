#pragma once
// The configuration image: header, eight input maps and a spare, the PCR packet, then PAT(s), NIT,
// SDT and one PMT per program, in that file order.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "config/MuxConfig.h"
#include "image/DevicePacket.h"

// Every packet of the image of `cfg`, the PAT carrying `psiVersion`.
std::vector<DevicePacket> BuildImagePackets(const MuxConfig& cfg, int psiVersion);

// Creates or truncates `path` and writes the image. False when the file cannot be created or written.
bool WriteImageFile(const std::filesystem::path& path, const MuxConfig& cfg, int psiVersion);
