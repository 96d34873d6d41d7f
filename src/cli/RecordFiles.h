#pragma once
// Reading and writing the files qrmux is given, with the tool's own messages on stderr.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "config/MuxConfig.h"

// False, after saying why ("Cannot open input file." / "File corrupted!"), when the record is unchanged.
bool LoadRecord(const std::filesystem::path& path, MuxConfig& cfg);
// False, after "Error at Save.", when the file could not be written; a previous file is kept.
bool SaveRecord(const std::filesystem::path& path, const MuxConfig& cfg);
// The whole file, or nullopt after saying it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);
