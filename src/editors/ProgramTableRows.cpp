#include "editors/ProgramTableRows.h"

#include "config/Cp1252.h"

namespace {

std::string TrimmedName(const char* field, std::size_t capacity) {
  return Cp1252ToUtf8(TrimBlanks(FieldText(field, capacity)));
}

}  // namespace

std::array<std::string, kProgramTableColumns> ProgramRowTexts(const MuxConfig& cfg, int slot, PidRadix radix) {
  const MuxBlockA& a = cfg.A;
  const ServiceEntry& service = a.Services[slot];
  const ProgramEntry& p = a.Programs[slot];
  auto cell = [radix](int value) { return PidCellText(value, radix); };
  return {
      std::to_string(slot + 1),
      TrimmedName(a.NetworkName, sizeof a.NetworkName),
      TrimmedName(service.ServiceName, sizeof service.ServiceName),
      std::to_string(a.InputOfProgram[slot]),
      cell(p.ServiceId),
      cell(a.PmtPidOfProgram[slot]),
      cell(p.VideoPidOut),
      cell(p.PcrPidOut),
      cell(p.Audio[0].PidOut),
      cell(p.Audio[1].PidOut),
      cell(p.Audio[2].PidOut),
      cell(p.Audio[3].PidOut),
      cell(p.Data[0].PidOut),
      cell(p.Data[1].PidOut),
  };
}
