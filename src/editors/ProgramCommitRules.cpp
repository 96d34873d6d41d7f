#include "editors/ProgramCommitRules.h"

#include <algorithm>

#include "config/Cp1252.h"
#include "config/Pacing.h"
#include "config/RecordOps.h"

namespace {

bool BlankAfterTrim(std::string_view text) { return TrimBlanks(text).empty(); }

int StoredRows(ProgramTableState table) { return std::clamp(table.rowCount, 0, kMaxPrograms); }

// Steps that look only at which fields hold text.
std::string_view EntryFieldsProblem(const ProgramEntryTexts& t, const MuxConfig& cfg, ProgramTableState table) {
  if (BlankAfterTrim(t.serviceId) || BlankAfterTrim(t.pmt) || (BlankAfterTrim(t.pcr.in) && BlankAfterTrim(t.pcr.out)))
    return kFillPmtAndPcr;
  if (ServiceIdOutOfRange(t.serviceId)) return kServiceIdRange;
  if (ServiceIdInList(cfg, table, t.serviceId)) return kServiceIdInList;

  const bool anyOutput = !BlankAfterTrim(t.video.out) ||
                         std::any_of(t.audio.begin(), t.audio.end(), [](auto& a) { return !BlankAfterTrim(a.out); }) ||
                         std::any_of(t.data.begin(), t.data.end(), [](auto& d) { return !BlankAfterTrim(d.out); });
  if (!anyOutput) return kFillOneStream;

  auto bothFilled = [](const StreamPidTexts& s) { return !s.in.empty() && !s.out.empty(); };
  if (std::none_of(t.audio.begin(), t.audio.end(), bothFilled) && std::none_of(t.data.begin(), t.data.end(), bothFilled))
    return kFillOneAudio;

  const bool noAudioText = std::all_of(t.audio.begin(), t.audio.end(), [](auto& a) { return a.in.empty() && a.out.empty(); });
  if (!t.video.in.empty() && !t.video.out.empty() && noAudioText) return kFillOneAudioPair;
  return {};
}

}  // namespace

ProgramSlot FindProgramSlot(const MuxConfig& cfg, ProgramTableState table, std::string_view name) {
  const int rows = StoredRows(table);
  ProgramSlot result;
  if (table.selectedRow >= 0) {
    result = {static_cast<int16_t>(table.selectedRow), static_cast<int16_t>(rows), false};
  } else {
    result = {static_cast<int16_t>(rows), static_cast<int16_t>(rows + 1), false};
  }
  const std::string_view wanted = TrimBlanks(name);
  for (int i = 0; i < rows; ++i) {
    const ServiceEntry& service = cfg.A.Services[i];
    if (TrimBlanks(FieldText(service.ServiceName, sizeof service.ServiceName)) == wanted)
      return {static_cast<int16_t>(i), static_cast<int16_t>(rows), true};
  }
  return result;
}

bool ServiceIdOutOfRange(std::string_view text) {
  if (text.empty()) return false;
  const auto number = LeadingNumber(text, PidRadix::Decimal);
  return !number || *number < 0 || *number > kHighestServiceId;
}

bool ServiceIdInList(const MuxConfig& cfg, ProgramTableState table, std::string_view serviceIdText) {
  if (table.selectedRow >= 0) return false;
  const int64_t wanted = LeadingDecimal(serviceIdText);
  for (int i = 0; i < StoredRows(table); ++i)
    if (cfg.A.Programs[i].ServiceId == wanted) return true;
  return false;
}

CommitDecision DecideCommit(const MuxConfig& cfg, ProgramTableState table, const ProgramEntryTexts& texts,
                            const ProgramEntryChoices& choices, PidRadix radix,
                            const std::function<bool()>& confirmReplace) {
  if (const std::string_view problem = EntryFieldsProblem(texts, cfg, table); !problem.empty())
    return CommitRefusal{problem};

  const ProgramSlot target = FindProgramSlot(cfg, table, choices.name);
  // The record holds 100 program slots: an append beyond them would write outside it.
  if (!target.found && target.slot >= kMaxPrograms) return CommitRefusal{kLimitedPrograms};
  if ((table.selectedRow < 0 || target.found) && InputPidLimitReached(cfg, choices.input))
    return CommitRefusal{kLimitedPidsPerInput};
  if (target.found && !confirmReplace()) return CommitDeclined{};
  if (PidFromText(texts.pmt, radix) == kNoPid) return CommitRefusal{kPmtIncorrect, CommitIcon::Stop};
  return ProgramToWrite{target, texts, choices, radix};
}

void WriteProgram(MuxConfig& cfg, const ProgramToWrite& program) {
  const int k = program.target.slot;
  const ProgramEntryTexts& t = program.texts;
  const ProgramEntryChoices& c = program.choices;
  auto pid = [&](const std::string& text) { return PidFromText(text, program.radix); };

  MuxBlockA& a = cfg.A;
  StoreName(a.NetworkName, kNameBytes, kNameBytes, TrimBlanks(c.networkName));
  a.InputOfProgram[k] = c.input;
  a.ProgramCount = program.target.count;

  const auto serviceId = static_cast<uint16_t>(LeadingDecimal(t.serviceId));
  ServiceEntry& service = a.Services[k];
  service.ServiceId = serviceId;
  service.EitPresentFollowing = c.present ? 1 : 0;
  service.EitSchedule = c.schedule ? 1 : 0;
  StoreName(service.ProviderName, kNameBytes, kNameBytes, FieldText(a.NetworkName, sizeof a.NetworkName));
  StoreName(service.ServiceName, kNameBytes, kNameBytes, TrimBlanks(c.name));

  ProgramEntry& p = a.Programs[k];
  p.GeneratePmt = c.generatePmt ? 1 : 0;
  p.ServiceId = serviceId;
  p.VideoType = c.videoType;
  for (int j = 0; j < kAudioStreams; ++j) p.Audio[j].Type = c.audioTypes[j];
  p.PmtPid = a.PmtPidOfProgram[k] = pid(t.pmt);
  p.PcrAdjust = c.pcrAdjust ? 1 : 0;
  p.PcrPidIn = pid(t.pcr.in);
  p.PcrPidOut = pid(t.pcr.out);
  p.VideoPidIn = pid(t.video.in);
  p.VideoPidOut = pid(t.video.out);
  for (int j = 0; j < kAudioStreams; ++j) {
    p.Audio[j].PidIn = pid(t.audio[j].in);
    p.Audio[j].PidOut = pid(t.audio[j].out);
  }
  for (int j = 0; j < kDataStreams; ++j) {
    p.Data[j].PidIn = pid(t.data[j].in);
    p.Data[j].PidOut = pid(t.data[j].out);
  }
}
