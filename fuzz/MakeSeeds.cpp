// Writes the seed corpus of the fuzz targets: images of a few configurations and .MUX files.
// Usage: make_fuzz_seeds CORPUS_DIR (creates CORPUS_DIR/<target>/...).

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "image/ImageWriter.h"

namespace {

void Write(const std::filesystem::path& path, const void* bytes, std::size_t size) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

void EmptySlot(ProgramEntry& p) {
  p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = kNoPid;
  for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
  for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
}

// `programs` programs on inputs 1..4 with video carrying the PCR, one audio, DVB subtitles on every
// third, and one ghost entry.
std::unique_ptr<MuxConfig> Sample(int programs) {
  auto cfg = std::make_unique<MuxConfig>();
  std::strcpy(cfg->A.NetworkName, "Seed");
  cfg->A.TransportStreamId = 1;
  cfg->A.ProgramCount = static_cast<int16_t>(programs);
  for (int k = 0; k < programs; ++k) {
    const auto pid = static_cast<int16_t>(0x100 + 4 * k);
    cfg->A.InputOfProgram[k] = static_cast<int16_t>(1 + k % 4);
    cfg->A.PmtPidOfProgram[k] = pid;
    cfg->A.Services[k].ServiceId = static_cast<uint16_t>(k + 1);
    std::snprintf(cfg->A.Services[k].ServiceName, sizeof cfg->A.Services[k].ServiceName, "Prog %d", k);
    std::strcpy(cfg->A.Services[k].ProviderName, "Seed");
    ProgramEntry& p = cfg->A.Programs[k];
    EmptySlot(p);
    p.PmtPid = pid;
    p.ServiceId = static_cast<uint16_t>(k + 1);
    p.GeneratePmt = 1;
    p.PcrAdjust = k % 2;
    p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = static_cast<int16_t>(pid + 1);
    p.Audio[0].PidIn = p.Audio[0].PidOut = static_cast<int16_t>(pid + 2);
    p.Audio[0].Type = static_cast<int16_t>(k % 5);
    if (k % 3 == 0) {
      p.Data[0].PidIn = p.Data[0].PidOut = static_cast<int16_t>(pid + 3);
      p.Data[0].SubtitleEnabled = 1;
      std::strcpy(p.Data[0].LanguageCode, "por");
      p.Data[0].SubtitlingType = 0x10;
    }
  }
  cfg->B.GhostTable.Count = 1;
  cfg->B.GhostTable.Input[0] = 3;
  cfg->B.GhostTable.PidIn[0] = 0x1800;
  cfg->B.GhostTable.PidOut[0] = 0x1801;
  return cfg;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path corpus = argv[1];
  for (int programs : {0, 1, 12, 45}) {
    const auto cfg = Sample(programs);
    const std::vector<DevicePacket> image = BuildImagePackets(*cfg, 1);
    const std::string name = std::to_string(programs) + "-programs";
    Write(corpus / "image_parser" / (name + ".img"), image.data(), image.size() * kPacketSize);
    Write(corpus / "mux_file" / (name + ".MUX"), cfg.get(), sizeof *cfg);
    Write(corpus / "image_roundtrip" / (name + ".MUX"), cfg.get(), sizeof *cfg);
  }
  return 0;
}
