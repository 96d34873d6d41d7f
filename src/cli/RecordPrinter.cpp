#include "cli/RecordPrinter.h"

#include <cstdio>
#include <string>

#include "cli/JsonWriter.h"
#include "config/Cp1252.h"
#include "config/Pacing.h"

namespace {

template <std::size_t N>
std::string NameOf(const char (&field)[N]) {
  return Cp1252ToUtf8(FieldText(field, N));
}

int Clamp(int count, int most) { return count < 0 ? 0 : count > most ? most : count; }

template <class Params>
void PacingJson(JsonWriter& json, const char* key, const Params& params) {
  json.BeginObject(key);
  json.BeginArray("PacketGap");
  for (uint16_t gap : params.PacketGap) json.Number(gap);
  json.EndArray();
  json.Number("ByteGap", params.ByteGap);
  json.Number("BitRate", params.BitRate);
  json.EndObject();
}

void ProgramJson(JsonWriter& json, const ProgramEntry& p) {
  json.BeginObject();
  json.Number("PmtPid", p.PmtPid);
  json.Number("ServiceId", p.ServiceId);
  json.Number("PcrPidIn", p.PcrPidIn);
  json.Number("PcrPidOut", p.PcrPidOut);
  json.BeginArray("Audio");
  for (const AudioStream& a : p.Audio) {
    json.BeginObject();
    json.Number("Type", a.Type);
    json.Number("PidIn", a.PidIn);
    json.Number("PidOut", a.PidOut);
    json.Number("Claimed", a.Claimed);
    json.EndObject();
  }
  json.EndArray();
  json.Number("VideoPidIn", p.VideoPidIn);
  json.Number("VideoPidOut", p.VideoPidOut);
  json.Number("VideoType", p.VideoType);
  json.BeginArray("Data");
  for (const DataStream& d : p.Data) {
    json.BeginObject();
    json.Number("Type", d.Type);
    json.Number("PidIn", d.PidIn);
    json.Number("PidOut", d.PidOut);
    json.Number("Claimed", d.Claimed);
    json.Number("SubtitleEnabled", d.SubtitleEnabled);
    json.String("LanguageCode", NameOf(d.LanguageCode));
    json.Number("SubtitlingType", d.SubtitlingType);
    json.EndObject();
  }
  json.EndArray();
  json.Number("PcrAdjust", p.PcrAdjust);
  json.Number("GeneratePmt", p.GeneratePmt);
  json.EndObject();
}

// A PID for people: "-" where the field holds no PID.
std::string PidText(int16_t pid) { return pid == kNoPid ? "-" : std::to_string(pid); }

}  // namespace

void PrintRecordJson(std::ostream& out, const MuxConfig& cfg) {
  const int n = Clamp(cfg.A.ProgramCount, kMaxPrograms);
  const int ghosts = Clamp(cfg.B.GhostTable.Count, kMaxGhostEntries);
  JsonWriter json(out);
  json.BeginObject();
  json.Number("ProgramCount", cfg.A.ProgramCount);
  json.Number("TransportStreamId", cfg.A.TransportStreamId);
  json.String("NetworkName", NameOf(cfg.A.NetworkName));
  PacingJson(json, "NetworkParams", cfg.A.NetworkParams);
  PacingJson(json, "NetworkParamsCopy", cfg.B.NetworkParamsCopy);
  json.BeginArray("InputOfProgram");
  for (int k = 0; k < n; ++k) json.Number(cfg.A.InputOfProgram[k]);
  json.EndArray();
  json.BeginArray("PmtPidOfProgram");
  for (int k = 0; k < n; ++k) json.Number(cfg.A.PmtPidOfProgram[k]);
  json.EndArray();
  json.BeginArray("Services");
  for (int k = 0; k < n; ++k) {
    const ServiceEntry& s = cfg.A.Services[k];
    json.BeginObject();
    json.Number("ServiceId", s.ServiceId);
    json.Number("EitPresentFollowing", s.EitPresentFollowing);
    json.Number("EitSchedule", s.EitSchedule);
    json.String("ServiceName", NameOf(s.ServiceName));
    json.String("ProviderName", NameOf(s.ProviderName));
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray("Programs");
  for (int k = 0; k < n; ++k) ProgramJson(json, cfg.A.Programs[k]);
  json.EndArray();
  json.BeginObject("GhostTable");
  json.Number("Count", cfg.B.GhostTable.Count);
  const std::pair<const char*, const int16_t*> columns[] = {
      {"PidIn", cfg.B.GhostTable.PidIn}, {"PidOut", cfg.B.GhostTable.PidOut}, {"Input", cfg.B.GhostTable.Input}};
  for (const auto& [key, values] : columns) {
    json.BeginArray(key);
    for (int i = 0; i < ghosts; ++i) json.Number(values[i]);
    json.EndArray();
  }
  json.EndObject();
  json.EndObject();
}

void PrintRecordText(std::ostream& out, const MuxConfig& cfg) {
  const int n = Clamp(cfg.A.ProgramCount, kMaxPrograms);
  const int ghosts = Clamp(cfg.B.GhostTable.Count, kMaxGhostEntries);
  const Pacing pacing = ActivePacing(cfg);
  const int64_t bitRate = n > 0 ? cfg.A.NetworkParams.BitRate : cfg.B.NetworkParamsCopy.BitRate;
  out << "Network name:        " << NameOf(cfg.A.NetworkName) << '\n'
      << "Transport stream id: " << cfg.A.TransportStreamId << '\n'
      << "Bit rate:            " << bitRate << " bit/s (pacing gives " << BitRateFromPacing(pacing)
      << ", " << (pacing.ByteGap != 0 ? "Byte" : "Pack") << " mode)\n"
      << "Programs:            " << n << '\n';
  char line[160];
  if (n > 0) {
    out << "  #  name        in  sid    pmt   pcr   video  audio 1..4              data 1..2\n";
    for (int k = 0; k < n; ++k) {
      const ProgramEntry& p = cfg.A.Programs[k];
      std::snprintf(line, sizeof line, "%3d  %-10s  %2d  %5u  %-5s %-5s %-6s %-5s %-5s %-5s %-5s %-5s %-5s\n", k + 1,
                    NameOf(cfg.A.Services[k].ServiceName).c_str(), cfg.A.InputOfProgram[k], p.ServiceId,
                    PidText(cfg.A.PmtPidOfProgram[k]).c_str(), PidText(p.PcrPidOut).c_str(),
                    PidText(p.VideoPidOut).c_str(), PidText(p.Audio[0].PidOut).c_str(),
                    PidText(p.Audio[1].PidOut).c_str(), PidText(p.Audio[2].PidOut).c_str(),
                    PidText(p.Audio[3].PidOut).c_str(), PidText(p.Data[0].PidOut).c_str(),
                    PidText(p.Data[1].PidOut).c_str());
      out << line;
    }
  }
  out << "Ghost PIDs:          " << ghosts << '\n';
  for (int i = 0; i < ghosts; ++i)
    out << "  input " << cfg.B.GhostTable.Input[i] << ": " << cfg.B.GhostTable.PidIn[i] << " -> "
        << cfg.B.GhostTable.PidOut[i] << '\n';
}
