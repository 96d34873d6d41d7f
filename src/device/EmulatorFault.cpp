#include "device/EmulatorFault.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<EmulatorFault, std::string_view>, 7> kFaultNames = {{
    {EmulatorFault::None, "none"},
    {EmulatorFault::Silent, "silent"},
    {EmulatorFault::CorruptPlayback, "corrupt"},
    {EmulatorFault::NoiseBeforeCycle, "noise"},
    {EmulatorFault::DoubledHeader, "double-header"},
    {EmulatorFault::HangUpAfterLoad, "hangup"},
    {EmulatorFault::LinkLostMidLoad, "link-lost"},
}};

}  // namespace

std::optional<EmulatorFault> EmulatorFaultFromName(std::string_view name) {
  for (const auto& [fault, faultName] : kFaultNames) {
    if (faultName == name) return fault;
  }
  return std::nullopt;
}

std::string_view EmulatorFaultName(EmulatorFault fault) {
  for (const auto& [known, name] : kFaultNames) {
    if (known == fault) return name;
  }
  return {};
}

std::string EmulatorFaultNameList() {
  std::string list;
  for (const auto& entry : kFaultNames) {
    if (!list.empty()) list += '|';
    list += entry.second;
  }
  return list;
}
