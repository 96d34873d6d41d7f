// Any file opened as a .MUX: loaded whole or refused, and a loaded record's counts are in range.
// The loader reads files, so each input goes through one temporary file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "config/MuxFile.h"

namespace {

// The temporary file, removed when the fuzzer ends.
struct TemporaryFile {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("qr-mux-fuzz-" + std::to_string(::getpid()) + ".MUX");
  ~TemporaryFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

const std::filesystem::path& InputFile() {
  static const TemporaryFile file;
  return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(InputFile().c_str(), "wb"), &std::fclose);
    if (!file || std::fwrite(data, 1, size, file.get()) != size) return 0;
  }
  auto cfg = std::make_unique<MuxConfig>();
  const MuxConfig before = *cfg;
  const MuxLoadResult result = LoadMuxFile(InputFile(), *cfg);
  if (result == MuxLoadResult::Loaded) {
    if (size != kMuxFileSize || cfg->A.ProgramCount < 0 || cfg->A.ProgramCount > kMaxPrograms ||
        cfg->B.GhostTable.Count < 0 || cfg->B.GhostTable.Count > kMaxGhostEntries)
      __builtin_trap();
  } else if (std::memcmp(&before, cfg.get(), sizeof before) != 0) {
    __builtin_trap();  // a refused file leaves the record as it was
  }
  return 0;
}
