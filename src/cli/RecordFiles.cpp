#include "cli/RecordFiles.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "config/MuxFile.h"

bool LoadRecord(const std::filesystem::path& path, MuxConfig& cfg) {
  switch (LoadMuxFile(path, cfg)) {
    case MuxLoadResult::Loaded: return true;
    case MuxLoadResult::CannotOpen: std::cerr << path.string() << ": Cannot open input file.\n"; break;
    case MuxLoadResult::Corrupted: std::cerr << path.string() << ": File corrupted!\n"; break;
  }
  return false;
}

bool SaveRecord(const std::filesystem::path& path, const MuxConfig& cfg) {
  if (SaveMuxFile(path, cfg)) return true;
  std::cerr << path.string() << ": Error at Save.\n";
  return false;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in || std::filesystem::is_directory(path)) {
    std::cerr << path.string() << ": Cannot open input file.\n";
    return std::nullopt;
  }
  return std::vector<uint8_t>{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
