#include "image/Capacity.h"

#include "image/ControlPackets.h"
#include "image/ImageLayout.h"

std::optional<std::string> ImageCapacityProblem(const MuxConfig& cfg) {
  for (int i = 0; i < kInputMapPackets; ++i) {
    const std::size_t entries = InputMapEntries(cfg, i).size();
    if (entries > kMapEntriesPerPacket)
      return "Input " + std::to_string(i + 1) + " needs " + std::to_string(entries) +
             " PID entries; the device holds " + std::to_string(kMapEntriesPerPacket) + " per input.";
  }
  const std::size_t adjusted = AdjustedPcrPids(cfg).size();
  if (adjusted > kPcrListACapacity)
    return "List A needs " + std::to_string(adjusted) + " PCR-adjusted programs; the device holds " +
           std::to_string(kPcrListACapacity) + ".";
  const std::size_t withPcr = ProgramsWithPcr(cfg).size();
  if (withPcr > kPcrListBCapacity)
    return "List B needs " + std::to_string(withPcr) + " programs with a PCR; the device holds " +
           std::to_string(kPcrListBCapacity) + ".";
  return std::nullopt;
}
