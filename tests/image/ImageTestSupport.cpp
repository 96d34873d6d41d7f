#include "ImageTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "image/Capacity.h"

std::unique_ptr<MuxConfig> NewConfig() { return std::make_unique<MuxConfig>(); }

namespace {

// At most the 10 name bytes; the field's last byte stays the terminator.
void CopyName(char (&field)[kNameBytes + 1], const char* name) {
  std::memcpy(field, name, strnlen(name, kNameBytes));
}

}  // namespace

ProgramEntry& AddProgram(MuxConfig& cfg, int16_t input, int16_t pmtPid, uint16_t serviceId, const char* name) {
  const int k = cfg.A.ProgramCount++;
  cfg.A.InputOfProgram[k] = input;
  cfg.A.PmtPidOfProgram[k] = pmtPid;
  ServiceEntry& service = cfg.A.Services[k];
  service = ServiceEntry{};
  service.ServiceId = serviceId;
  CopyName(service.ServiceName, name);
  CopyName(service.ProviderName, cfg.A.NetworkName);
  ProgramEntry& p = cfg.A.Programs[k];
  p = ProgramEntry{};
  p.PmtPid = pmtPid;
  p.ServiceId = serviceId;
  p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = kNoPid;
  for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
  for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
  p.GeneratePmt = 1;
  return p;
}

void AddGhost(MuxConfig& cfg, int16_t input, int16_t pidIn, int16_t pidOut) {
  GhostPidTable& g = cfg.B.GhostTable;
  g.Input[g.Count] = input;
  g.PidIn[g.Count] = pidIn;
  g.PidOut[g.Count] = pidOut;
  ++g.Count;
}

void SetNetworkName(MuxConfig& cfg, const char* name) {
  std::memset(cfg.A.NetworkName, 0, sizeof cfg.A.NetworkName);
  std::memcpy(cfg.A.NetworkName, name, strnlen(name, sizeof cfg.A.NetworkName - 1));
}

void SetPacing(MuxConfig& cfg, const Pacing& pacing) {
  StorePacing(cfg.A.NetworkParams, pacing);
  StorePacing(cfg.B.NetworkParamsCopy, pacing);
}

namespace {

// Hands out unique PIDs and keeps each input's map and the PCR lists within what the device holds.
class PidBudget {
 public:
  int16_t NextOut() { return nextOut_++; }
  int16_t NextIn() { return nextIn_++; }
  // `later` programs still to come on the input need at least one entry each.
  bool Fits(int input, int entries, int later, bool pcr, bool adjust) const {
    return mapEntries_[input - 1] + entries + later <= 44 - kGhostsPerInput && (!pcr || withPcr_ < 54) &&
           (!adjust || adjusted_ < 32);
  }
  void Take(int input, int entries, bool pcr, bool adjust) {
    mapEntries_[input - 1] += entries;
    withPcr_ += pcr;
    adjusted_ += adjust;
  }
  static constexpr int kGhostsPerInput = 2;

 private:
  int16_t nextOut_ = 0x200;
  int16_t nextIn_ = 0x1000;
  int mapEntries_[kAsiInputs] = {};
  int withPcr_ = 0;
  int adjusted_ = 0;
};

void AddStreams(ProgramEntry& p, int input, int later, int variant, PidBudget& pids) {
  auto audio = [&](int j, int16_t type) {
    p.Audio[j].Type = type;
    p.Audio[j].PidIn = pids.NextIn();
    p.Audio[j].PidOut = pids.NextOut();
  };
  auto subtitledData = [&](int j, int16_t type, const char* language, int32_t subtitlingType) {
    DataStream& d = p.Data[j];
    d.Type = type;
    d.PidIn = pids.NextIn();
    d.PidOut = pids.NextOut();
    d.SubtitleEnabled = language != nullptr;
    if (language) std::memcpy(d.LanguageCode, language, 4);
    d.SubtitlingType = language ? subtitlingType : 0;
  };
  auto video = [&](int16_t type) {
    p.VideoType = type;
    p.VideoPidIn = pids.NextIn();
    p.VideoPidOut = pids.NextOut();
  };

  // Map entries, PCR and PCR adjust of each variant, so a variant that does not fit falls back to
  // the cheapest one (one audio stream, no PCR).
  struct Cost {
    int entries;
    bool pcr;
    bool adjust;
  };
  constexpr Cost kCosts[] = {{3, true, true}, {4, true, false}, {3, true, true},
                             {8, true, false}, {1, false, false}, {4, true, false}};
  if (!pids.Fits(input, kCosts[variant].entries, later, kCosts[variant].pcr, kCosts[variant].adjust)) variant = 4;
  pids.Take(input, kCosts[variant].entries, kCosts[variant].pcr, kCosts[variant].adjust);

  switch (variant) {
    case 0:  // MPEG-2 video carrying the PCR, adjusted; MPEG-1 audio
      video(0);
      p.PcrPidIn = p.VideoPidIn;
      p.PcrPidOut = p.VideoPidOut;
      p.PcrAdjust = 1;
      audio(0, 0);
      break;
    case 1:  // H.264 with the PCR on its own PID, AC-3 audio, DVB subtitles
      video(1);
      p.PcrPidIn = pids.NextIn();
      p.PcrPidOut = pids.NextOut();
      audio(0, 4);
      subtitledData(0, 0, "por", 0x10);
      break;
    case 2:  // radio: PCR on the AAC audio, teletext-style 0x82 subtitles, PMT on the null PID
      audio(0, 3);
      p.PcrPidIn = p.Audio[0].PidIn;
      p.PcrPidOut = p.Audio[0].PidOut;
      p.PcrAdjust = 1;
      subtitledData(0, 1, "eng", 0x20);
      p.GeneratePmt = 0;
      break;
    case 3:  // MPEG-4 video carrying the PCR, four audio types, two data streams without subtitles
      video(2);
      p.PcrPidIn = p.VideoPidIn;
      p.PcrPidOut = p.VideoPidOut;
      audio(0, 0);
      audio(1, 1);
      audio(2, 2);
      audio(3, 4);
      subtitledData(0, 0, nullptr, 0);
      subtitledData(1, 1, nullptr, 0);
      break;
    case 4:  // one HE-AAC audio, no PCR
      audio(0, 2);
      break;
    default:  // MPEG-2 audio carrying the PCR, both subtitle kinds
      audio(0, 1);
      p.PcrPidIn = p.Audio[0].PidIn;
      p.PcrPidOut = p.Audio[0].PidOut;
      subtitledData(0, 1, "spa", 0x01);
      subtitledData(1, 0, "deu", 0x14);
      break;
  }
}

}  // namespace

std::unique_ptr<MuxConfig> VariedConfig(int programs) {
  auto cfg = NewConfig();
  SetNetworkName(*cfg, "Example TV");
  cfg->A.TransportStreamId = static_cast<int16_t>(0x7000 + programs);
  Pacing pacing;
  for (int i = 0; i < kPacingCycle; ++i) pacing.PacketGap[i] = static_cast<uint16_t>(300 + 7 * i + programs);
  pacing.ByteGap = static_cast<int16_t>(programs % 3);
  SetPacing(*cfg, pacing);

  PidBudget pids;
  for (int k = 0; k < programs; ++k) {
    const auto input = static_cast<int16_t>(1 + k % kAsiInputs);
    char name[16];
    std::snprintf(name, sizeof name, k % 2 ? "Prog %03d" : "Channel%03d", k);
    ProgramEntry& p = AddProgram(*cfg, input, static_cast<int16_t>(0x100 + k), static_cast<uint16_t>(1000 + 3 * k), name);
    cfg->A.Services[k].EitPresentFollowing = static_cast<uint8_t>(k % 2);
    cfg->A.Services[k].EitSchedule = static_cast<uint8_t>((k / 2) % 2);
    AddStreams(p, input, (programs - 1 - k) / kAsiInputs, k % 6, pids);
  }
  for (int16_t input : {int16_t{1}, int16_t{3}, int16_t{4}})
    for (int g = 0; g < PidBudget::kGhostsPerInput; ++g) AddGhost(*cfg, input, pids.NextIn(), pids.NextOut());
  if (auto problem = ImageCapacityProblem(*cfg)) ADD_FAILURE() << "fixture exceeds the device: " << *problem;
  return cfg;
}

std::vector<uint8_t> Flatten(const std::vector<DevicePacket>& packets) {
  std::vector<uint8_t> bytes;
  for (const DevicePacket& p : packets) bytes.insert(bytes.end(), p.begin(), p.end());
  return bytes;
}

namespace {

std::string HexLine(std::span<const uint8_t> bytes, std::size_t from, std::size_t to) {
  std::ostringstream out;
  char cell[4];
  for (std::size_t i = from; i < to && i < bytes.size(); ++i) {
    std::snprintf(cell, sizeof cell, "%02X ", bytes[i]);
    out << cell;
  }
  return out.str();
}

std::size_t FirstDifference(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  const std::size_t common = std::min(a.size(), b.size());
  return static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(common), b.begin()).first -
                                  a.begin());
}

::testing::AssertionResult Differ(std::span<const uint8_t> actual, std::span<const uint8_t> expected,
                                  std::size_t at, const std::string& where) {
  const std::size_t from = at < 8 ? 0 : at - 8;
  char header[96];
  std::snprintf(header, sizeof header, "first difference at byte %zu (0x%zX)", at, at);
  return ::testing::AssertionFailure() << header << where << ", sizes " << actual.size() << " and "
                                       << expected.size() << "\n  actual   @" << from << ": "
                                       << HexLine(actual, from, at + 16) << "\n  expected @" << from << ": "
                                       << HexLine(expected, from, at + 16);
}

std::string RecordPlace(std::size_t at) {
  char text[96];
  if (at >= kBlockASize) {
    std::snprintf(text, sizeof text, " (Block B offset %zu)", at - kBlockASize);
  } else if (at >= offsetof(MuxBlockA, Programs)) {
    const std::size_t rel = at - offsetof(MuxBlockA, Programs);
    std::snprintf(text, sizeof text, " (Programs[%zu] offset %zu)", rel / sizeof(ProgramEntry), rel % sizeof(ProgramEntry));
  } else if (at >= offsetof(MuxBlockA, Services) && at < offsetof(MuxBlockA, NetworkName)) {
    const std::size_t rel = at - offsetof(MuxBlockA, Services);
    std::snprintf(text, sizeof text, " (Services[%zu] offset %zu)", rel / sizeof(ServiceEntry), rel % sizeof(ServiceEntry));
  } else {
    std::snprintf(text, sizeof text, " (Block A offset %zu)", at);
  }
  return text;
}

}  // namespace

::testing::AssertionResult SameBytes(std::span<const uint8_t> actual, std::span<const uint8_t> expected) {
  const std::size_t at = FirstDifference(actual, expected);
  if (at == actual.size() && actual.size() == expected.size()) return ::testing::AssertionSuccess();
  char where[48];
  std::snprintf(where, sizeof where, " (packet %zu, byte %zu)", at / kPacketSize, at % kPacketSize);
  return Differ(actual, expected, at, where);
}

::testing::AssertionResult SameRecord(const MuxConfig& actual, const MuxConfig& expected) {
  const std::size_t at = FirstDifference(BytesOf(actual), BytesOf(expected));
  if (at == sizeof(MuxConfig)) return ::testing::AssertionSuccess();
  return Differ(BytesOf(actual), BytesOf(expected), at, RecordPlace(at));
}

std::unique_ptr<MuxConfig> OneProgramExample() {
  auto cfg = NewConfig();
  ProgramEntry& p = AddProgram(*cfg, 2, 0x100, 1, "One");
  p.PcrPidIn = p.VideoPidIn = 101;
  p.PcrPidOut = p.VideoPidOut = 201;
  p.Audio[0].PidIn = 102;
  p.Audio[0].PidOut = 202;
  p.PcrAdjust = 1;
  return cfg;
}
