// Any record (the bytes of a .MUX, counts included) built into an image and parsed back: the writer
// must cope with whatever a record holds, and the parser with whatever the writer made of it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "image/Capacity.h"
#include "image/ImageParser.h"
#include "image/ImageWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  auto cfg = std::make_unique<MuxConfig>();
  std::memcpy(cfg.get(), data, size < sizeof(MuxConfig) ? size : sizeof(MuxConfig));
  const int version = size > 0 ? data[0] : 0;
  (void)ImageCapacityProblem(*cfg);
  const std::vector<DevicePacket> image = BuildImagePackets(*cfg, version);
  for (const DevicePacket& packet : image)
    if (packet[0] != kTsSync && packet[0] != kControlSync) __builtin_trap();

  auto back = std::make_unique<MuxConfig>();
  int psiVersion = 0;
  const ParsedImage parsed = ParsePlayedBackImage(
      std::span(reinterpret_cast<const uint8_t*>(image.data()), image.size() * kPacketSize), *back, psiVersion);
  const int programs = cfg->A.ProgramCount < 0 ? 0 : cfg->A.ProgramCount > kMaxPrograms ? kMaxPrograms : cfg->A.ProgramCount;
  if (parsed.badMapPackets != 0 || (programs > 0 && (parsed.programCount != programs || psiVersion != (version & 31))))
    __builtin_trap();
  return 0;
}
