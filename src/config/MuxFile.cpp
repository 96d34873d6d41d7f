#include "config/MuxFile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenFile(const std::filesystem::path& path, const char* mode) {
  return File(std::fopen(path.c_str(), mode));
}

// Closes the file and reports whether everything buffered reached it.
bool CloseChecked(File file) { return std::fclose(file.release()) == 0; }

}  // namespace

MuxLoadResult LoadMuxFile(const std::filesystem::path& path, MuxConfig& cfg) {
  File file = OpenFile(path, "rb");
  if (!file) return MuxLoadResult::CannotOpen;
  // Read one byte past the record so a longer file is recognised as foreign.
  MuxConfig incoming;
  char extra;
  const size_t got = std::fread(&incoming, 1, sizeof incoming, file.get());
  const bool exact = got == kMuxFileSize && std::fread(&extra, 1, 1, file.get()) == 0 && !std::ferror(file.get());
  if (!exact || incoming.A.ProgramCount < 0 || incoming.A.ProgramCount > kMaxPrograms ||
      incoming.B.GhostTable.Count < 0 || incoming.B.GhostTable.Count > kMaxGhostEntries)
    return MuxLoadResult::Corrupted;
  cfg = incoming;
  return MuxLoadResult::Loaded;
}

bool SaveMuxFile(const std::filesystem::path& path, const MuxConfig& cfg) {
  std::filesystem::path temporary = path;
  temporary += ".saving";
  File file = OpenFile(temporary, "wb");
  if (!file) return false;
  const bool written = std::fwrite(&cfg.A, 1, kBlockASize, file.get()) == kBlockASize &&
                       std::fwrite(&cfg.B, 1, kBlockBSize, file.get()) == kBlockBSize &&
                       std::fflush(file.get()) == 0 && ::fsync(fileno(file.get())) == 0;
  if (!CloseChecked(std::move(file)) || !written) {
    std::filesystem::remove(temporary);
    return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

std::optional<int16_t> ReadPortFile(const std::filesystem::path& path) {
  File file = OpenFile(path, "r+b");
  if (!file) return std::nullopt;
  uint8_t bytes[2] = {0, 0};
  // A file shorter than two bytes gives what it holds, the rest zero.
  const size_t got = std::fread(bytes, 1, sizeof bytes, file.get());
  (void)got;
  return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
}

bool WritePortFile(const std::filesystem::path& path, int16_t port) {
  File file = OpenFile(path, "w+b");
  if (!file) return false;
  const uint8_t bytes[2] = {static_cast<uint8_t>(port & 0xFF), static_cast<uint8_t>((port >> 8) & 0xFF)};
  const bool written = std::fwrite(bytes, 1, sizeof bytes, file.get()) == sizeof bytes;
  return CloseChecked(std::move(file)) && written;
}
