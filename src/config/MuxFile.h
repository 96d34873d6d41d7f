#pragma once
// .MUX files (the raw record, 13880 bytes) and the port file (the COM number, 2 bytes LE).

#include <cstdint>
#include <filesystem>
#include <optional>

#include "config/MuxConfig.h"

enum class MuxLoadResult {
  Loaded,
  CannotOpen,  // "Cannot open input file."
  Corrupted,   // "File corrupted!": wrong size or counts out of range; the record is untouched
};

MuxLoadResult LoadMuxFile(const std::filesystem::path& path, MuxConfig& cfg);

// Writes both blocks to a temporary file beside the target and renames it over the target, so a
// failed save never destroys the previous file. False on any open, write or close error.
bool SaveMuxFile(const std::filesystem::path& path, const MuxConfig& cfg);

std::optional<int16_t> ReadPortFile(const std::filesystem::path& path);
bool WritePortFile(const std::filesystem::path& path, int16_t port);
