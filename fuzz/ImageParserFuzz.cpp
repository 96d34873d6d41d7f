// Any bytes played back by a device, parsed as Get parses them, into a record that already holds a
// configuration: no crash, no read outside the bytes, and the counts stay inside the record.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "image/ImageParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  auto cfg = std::make_unique<MuxConfig>();
  cfg->A.ProgramCount = static_cast<int16_t>(size % (kMaxPrograms + 1));
  int psiVersion = 0;
  const ParsedImage parsed = ParsePlayedBackImage(std::span(data, size), *cfg, psiVersion);
  if (parsed.programCount < 0 || parsed.programCount > kMaxPrograms || cfg->A.ProgramCount < 0 ||
      cfg->A.ProgramCount > kMaxPrograms || cfg->B.GhostTable.Count < 0 ||
      cfg->B.GhostTable.Count > kMaxGhostEntries || psiVersion < 0 || psiVersion > 31 ||
      parsed.badMapPackets < 0 || parsed.badMapPackets > kAsiInputs || parsed.networkNameText.size() > 11)
    __builtin_trap();
  return 0;
}
