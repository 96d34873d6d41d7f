// Wall times of Send and Get against the emulator paced at the line rate, each beside its floor,
// and a check that the reader keeps up with a long full-rate play-back.
//
// The floor of an operation is what the protocol itself costs: the one-second pause after the load
// packet, the image's bytes at 150,000 bytes/s in each direction it travels, one 10 ms poll per
// drain (four in a Send, two in a Get) and one 5 ms poll while the play-back starts.
// The protocol floor adds what the play-back cannot avoid: the device plays on until the stop that
// follows the closing header, and the packets that arrived during the read-back's last 5 ms poll
// (four at the line rate) each cost the drain one 10 ms poll.
//
// Usage: link_timing [--runs N] [--playback-packets N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>
#include <tuple>
#include <string>
#include <vector>

#include "config/MuxConfig.h"
#include "device/DeviceEmulator.h"
#include "image/DevicePacket.h"
#include "image/ImageWriter.h"
#include "link/DeviceCommands.h"
#include "link/Ser350.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kLineBytesPerMs = 150.0;  // 1,500,000 baud, ten bits a byte
constexpr double kLoadPauseMs = 1000.0;
constexpr double kDrainPollMs = 10.0;
constexpr double kReadBackPollMs = 5.0;
constexpr int kDrainsPerSend = 4;
constexpr int kDrainsPerGet = 2;
constexpr double kGoal = 1.15;
constexpr int kPlaybackImagePackets = 100;
// Packets the line brings during one read-back poll: drained one per 10 ms after the closing header.
constexpr double kPacketsPerReadBackPoll = 4;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// `programs` programs spread over the four inputs, each with video and one audio stream, the PCR
// on the video PID for as many as the PCR list holds.
std::unique_ptr<MuxConfig> BenchConfig(int programs) {
  constexpr int kProgramsWithPcr = 54;
  constexpr int kAdjusted = 32;
  auto cfg = std::make_unique<MuxConfig>();
  cfg->A.ProgramCount = static_cast<int16_t>(programs);
  cfg->A.TransportStreamId = 1;
  std::strncpy(cfg->A.NetworkName, "Bench", sizeof cfg->A.NetworkName - 1);
  for (int i = 0; i < kPacingCycle; ++i) cfg->A.NetworkParams.PacketGap[i] = 500;
  for (int k = 0; k < programs; ++k) {
    cfg->A.InputOfProgram[k] = static_cast<int16_t>(k % kAsiInputs + 1);
    cfg->A.PmtPidOfProgram[k] = static_cast<int16_t>(0x20 + k);
    ServiceEntry& service = cfg->A.Services[k];
    service.ServiceId = static_cast<uint16_t>(k + 1);
    std::snprintf(service.ServiceName, sizeof service.ServiceName, "Svc%d", k % 1000);
    ProgramEntry& p = cfg->A.Programs[k];
    p.PmtPid = cfg->A.PmtPidOfProgram[k];
    p.ServiceId = service.ServiceId;
    p.GeneratePmt = 1;
    p.VideoPidIn = p.VideoPidOut = static_cast<int16_t>(0x100 + k);
    p.PcrPidIn = p.PcrPidOut = k < kProgramsWithPcr ? p.VideoPidOut : kNoPid;
    p.PcrAdjust = k < kAdjusted;
    for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
    for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
    p.Audio[0].PidIn = p.Audio[0].PidOut = static_cast<int16_t>(0x200 + k);
  }
  return cfg;
}

struct Folder {
  Folder() {
    std::random_device random;
    do {
      path = fs::temp_directory_path() / ("qr-link-bench-" + std::to_string(random()));
    } while (!fs::create_directory(path));
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  AppPaths Paths() const {
    AppPaths paths;
    paths.exeDir = paths.configDir = path;
    paths.imageToSend = path / "CONF_QR7710-4.A$B";
    paths.imageReadBack = path / "CONF_QR7710-4.C$D";
    return paths;
  }
  fs::path path;
};

bool TimeTransfers(int runs) {
  Folder folder;
  const AppPaths paths = folder.Paths();
  DeviceEmulator device;  // paced
  if (const auto error = device.start()) {
    std::fprintf(stderr, "emulator: %s\n", error->c_str());
    return false;
  }
  if (!LinkOpenDevice(device.ptyPath(), "COM1")) return false;

  std::printf("%-9s %-5s %6s %9s %7s %15s %7s\n", "programs", "op", "bytes", "median ms", "floor", "protocol floor", "ratio");
  bool allWithinGoal = true;
  for (const int programs : {1, 41, 100}) {
    const auto cfg = BenchConfig(programs);
    std::vector<double> sends;
    std::vector<double> gets;
    for (int run = 0; run < runs; ++run) {
      auto start = Clock::now();
      const int sent = BuildImage(*cfg, 1, paths);
      sends.push_back(MsSince(start));
      auto readBack = std::make_unique<MuxConfig>();
      int version = 0;
      start = Clock::now();
      const GetOutcome got = GetFromDevice(*readBack, version, paths);
      gets.push_back(MsSince(start));
      if (sent != 0 || got.receiveResult != 0) {
        std::fprintf(stderr, "%d programs: Send gave %d, Get gave %d\n", programs, sent, got.receiveResult);
        return false;
      }
    }
    const double bytes = static_cast<double>(fs::file_size(paths.imageToSend));
    const double lineMs = bytes / kLineBytesPerMs;
    const double sendFloor = kLoadPauseMs + 2 * lineMs + kDrainsPerSend * kDrainPollMs + kReadBackPollMs;
    const double getFloor = lineMs + kDrainsPerGet * kDrainPollMs + kReadBackPollMs;
    const double closingDrain = kPacketsPerReadBackPoll * kDrainPollMs;
    for (const auto& [op, floor, times] : {std::tuple{"Send", sendFloor, sends}, std::tuple{"Get", getFloor, gets}}) {
      const double median = Median(times);
      allWithinGoal = allWithinGoal && median <= kGoal * floor;
      std::printf("%-9d %-5s %6.0f %9.1f %7.1f %15.1f %7.2f   %5.2f\n", programs, op, bytes, median, floor,
                  floor + closingDrain, median / floor, median / (floor + closingDrain));
    }
  }
  LinkClose();
  std::printf("(ratios: to the floor, then to the protocol floor)\n");
  std::printf("goal: at most %.2f x the floor: %s\n\n", kGoal, allWithinGoal ? "met" : "not met everywhere");
  return true;
}

// The emulator plays a 100-packet image back at the full line rate; every packet must arrive, in
// order, and the play-back must run at the line rate (a reader that falls behind slows the sender).
bool CheckReaderKeepsUp(int packets) {
  std::vector<uint8_t> image;
  for (int k = 0; k < kPlaybackImagePackets; ++k) {
    DevicePacket p{};
    p[0] = k == 0 ? kControlSync : kTsSync;
    p[1] = k == 0 ? static_cast<uint8_t>(ControlType::Header) : static_cast<uint8_t>(k);
    p[2] = static_cast<uint8_t>(k);
    image.insert(image.end(), p.begin(), p.end());
  }
  EmulatorOptions options;
  options.storedImage = image;
  DeviceEmulator device(options);
  if (const auto error = device.start()) {
    std::fprintf(stderr, "emulator: %s\n", error->c_str());
    return false;
  }
  if (!LinkOpenDevice(device.ptyPath(), "COM1")) return false;
  const uint32_t droppedBefore = LinkDroppedPackets();

  DevicePacket play{};
  play[0] = kControlSync;
  play[7] = 0xFF;
  play[8] = 0x1F;
  play[9] = 0x20;
  LinkSendPacket(play.data());

  int received = 0;
  int outOfOrder = 0;
  Clock::time_point first{};
  const auto giveUp = Clock::now() + std::chrono::seconds(10) +
                      std::chrono::milliseconds(static_cast<int>(packets * kPacketSize / kLineBytesPerMs * 2));
  DevicePacket p;
  while (received < packets && Clock::now() < giveUp) {
    if (!LinkTakePacket(p.data())) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      continue;
    }
    if (received == 0) first = Clock::now();
    outOfOrder += p[2] != static_cast<uint8_t>(received % kPlaybackImagePackets);
    ++received;
  }
  const double elapsed = MsSince(first);
  DevicePacket stop{};
  stop[0] = kControlSync;
  stop[7] = 0xFF;
  stop[8] = 0x1F;
  LinkSendPacket(stop.data());
  LinkClose();

  const double lineMs = (received - 1) * static_cast<double>(kPacketSize) / kLineBytesPerMs;
  std::printf("play-back of %d packets at the line rate: received %d, out of order %d, dropped by the ring %u\n",
              packets, received, outOfOrder, LinkDroppedPackets() - droppedBefore);
  std::printf("  %.0f ms for what the line carries in %.0f ms (%.3f x)\n", elapsed, lineMs, elapsed / lineMs);
  return received == packets && outOfOrder == 0;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  int playbackPackets = 10'000;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--playback-packets") == 0) playbackPackets = std::max(2, std::atoi(argv[i + 1]));
  }
  SetLinkMessageSink([](const std::string& text) { std::fprintf(stderr, "link: %s\n", text.c_str()); });
  const bool timed = TimeTransfers(runs);
  const bool keptUp = CheckReaderKeepsUp(playbackPackets);
  return timed && keptUp ? 0 : 1;
}
