#include "config/RecordOps.h"

#include <cstring>

void RemoveProgram(MuxConfig& cfg, int16_t index, int16_t count) {
  MuxBlockA fresh{};
  // An index at or beyond count skips nothing: every slot is copied and the count still drops by one.
  int16_t d = 0;
  for (int16_t s = 0; s < count && s < kMaxPrograms; ++s) {
    if (s == index) continue;
    fresh.InputOfProgram[d] = cfg.A.InputOfProgram[s];
    fresh.PmtPidOfProgram[d] = cfg.A.PmtPidOfProgram[s];
    fresh.Services[d] = cfg.A.Services[s];
    fresh.Programs[d] = cfg.A.Programs[s];
    ++d;
  }
  fresh.ProgramCount = static_cast<int16_t>(cfg.A.ProgramCount - 1);
  fresh.TransportStreamId = cfg.A.TransportStreamId;
  std::memcpy(fresh.NetworkName, cfg.A.NetworkName, sizeof fresh.NetworkName);
  fresh.NetworkParams = cfg.A.NetworkParams;
  cfg.A = fresh;
}

int OutputPidsOnInput(const MuxConfig& cfg, const GhostPidTable& ghosts, int16_t input) {
  int n = 0;
  for (int i = 0; i < ghosts.Count && i < kMaxGhostEntries; ++i)
    if (ghosts.Input[i] == input) ++n;
  for (int k = 0; k < cfg.A.ProgramCount && k < kMaxPrograms; ++k) {
    if (cfg.A.InputOfProgram[k] != input) continue;
    const ProgramEntry& p = cfg.A.Programs[k];
    for (const AudioStream& a : p.Audio) n += a.PidOut < kNoPid;
    for (const DataStream& d : p.Data) n += d.PidOut < kNoPid;
    n += p.VideoPidOut < kNoPid;
  }
  return n;
}

bool InputPidLimitReached(const MuxConfig& cfg, const GhostPidTable& ghosts, int16_t input) {
  if (ghosts.Count + cfg.A.ProgramCount <= 0) return false;
  return OutputPidsOnInput(cfg, ghosts, input) >= kMaxPidsPerInput;
}

bool InputPidLimitReached(const MuxConfig& cfg, int16_t input) {
  return InputPidLimitReached(cfg, cfg.B.GhostTable, input);
}

void ResetProgramSlots(MuxConfig& cfg, int n) {
  for (int k = 0; k < n && k < kMaxPrograms; ++k) {
    cfg.A.InputOfProgram[k] = 0;
    cfg.A.PmtPidOfProgram[k] = kNoPid;
    std::strcpy(cfg.A.Services[k].ServiceName, " ");
    std::strcpy(cfg.A.Services[k].ProviderName, " ");
    ProgramEntry& p = cfg.A.Programs[k];
    p.PmtPid = p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = kNoPid;
    for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
    for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
  }
}
