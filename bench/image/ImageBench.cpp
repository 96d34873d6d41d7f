// The 100-program image: building it, building and writing it to a file, and parsing it back.
// Run: <build>/bin/image_bench

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "image/ImageParser.h"
#include "image/ImageWriter.h"

namespace {

// 100 programs over the four inputs: 24 with video carrying the PCR and an audio stream, the rest
// one audio stream each, and one DVB subtitle stream on every tenth.
std::unique_ptr<MuxConfig> HundredPrograms() {
  auto cfg = std::make_unique<MuxConfig>();
  std::strcpy(cfg->A.NetworkName, "Bench");
  cfg->A.TransportStreamId = 1;
  cfg->A.ProgramCount = kMaxPrograms;
  for (int k = 0; k < kMaxPrograms; ++k) {
    const auto pid = static_cast<int16_t>(0x100 + 4 * k);
    cfg->A.InputOfProgram[k] = static_cast<int16_t>(1 + k % kAsiInputs);
    cfg->A.PmtPidOfProgram[k] = pid;
    ServiceEntry& service = cfg->A.Services[k];
    service.ServiceId = static_cast<uint16_t>(k + 1);
    std::strcpy(service.ServiceName, "Service");
    std::strcpy(service.ProviderName, "Bench");
    ProgramEntry& p = cfg->A.Programs[k];
    p.PmtPid = pid;
    p.ServiceId = service.ServiceId;
    p.GeneratePmt = 1;
    p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = kNoPid;
    for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
    for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
    p.Audio[0].PidIn = p.Audio[0].PidOut = static_cast<int16_t>(pid + 1);
    if (k < 24) p.PcrPidIn = p.PcrPidOut = p.VideoPidIn = p.VideoPidOut = static_cast<int16_t>(pid + 2);
    if (k % 10 == 0) {
      p.Data[0].PidIn = p.Data[0].PidOut = static_cast<int16_t>(pid + 3);
      p.Data[0].SubtitleEnabled = 1;
      std::strcpy(p.Data[0].LanguageCode, "por");
    }
  }
  return cfg;
}

void BM_BuildImage100(benchmark::State& state) {
  const auto cfg = HundredPrograms();
  for (auto _ : state) benchmark::DoNotOptimize(BuildImagePackets(*cfg, 1));
}
BENCHMARK(BM_BuildImage100);

// Arg 0: the file is created anew. Arg 1: an existing image is emptied and rewritten, as on every
// Send after the first; on ext4 closing such a file waits for its blocks (auto_da_alloc), which
// costs milliseconds of wall time but no CPU time.
void BM_BuildAndWriteImage100(benchmark::State& state) {
  const auto cfg = HundredPrograms();
  const auto path = std::filesystem::temp_directory_path() / ("qr-image-bench-" + std::to_string(::getpid()));
  const bool overwrite = state.range(0) != 0;
  for (auto _ : state) {
    if (!overwrite) {
      state.PauseTiming();
      std::filesystem::remove(path);
      state.ResumeTiming();
    }
    if (!WriteImageFile(path, *cfg, 1)) state.SkipWithError("cannot write the image file");
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_BuildAndWriteImage100)->ArgName("overwrite")->Arg(0)->Arg(1);

void BM_ParseImage100(benchmark::State& state) {
  const auto cfg = HundredPrograms();
  const std::vector<DevicePacket> packets = BuildImagePackets(*cfg, 1);
  const std::span<const uint8_t> image(packets.front().data(), packets.size() * kPacketSize);
  auto record = std::make_unique<MuxConfig>();
  for (auto _ : state) {
    int version = 0;
    benchmark::DoNotOptimize(ParsePlayedBackImage(image, *record, version));
  }
}
BENCHMARK(BM_ParseImage100);

}  // namespace
