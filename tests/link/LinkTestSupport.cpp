#include "LinkTestSupport.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "link/Ser350.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kHighestPort = 9;

fs::path MakeTempDir() {
  std::random_device random;
  for (;;) {
    const fs::path candidate = fs::temp_directory_path() / ("qr-link-test-" + std::to_string(random()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) return candidate;
  }
}

// Where the link looks for COMn while no test folder is set: every COMn there is a symlink to a
// path that does not exist, so a stray open or reconnect reports "not available" and never falls
// back to a real serial device of this machine.
const fs::path& SafeConfigDir() {
  static const TempDir dir;
  static const bool filled = [] {
    for (int port = 1; port <= kHighestPort; ++port) {
      fs::create_symlink(dir.path() / "absent", dir.path() / ("COM" + std::to_string(port)));
    }
    return true;
  }();
  (void)filled;
  return dir.path();
}

const bool kSafeFromTheStart = [] {
  SetLinkConfigDir(SafeConfigDir());
  return true;
}();

}  // namespace

TempDir::TempDir() : path_(MakeTempDir()) {}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

CapturedMessages::CapturedMessages() {
  SetLinkMessageSink([this](const std::string& text) {
    std::lock_guard guard(lock_);
    texts_.push_back(text);
  });
}

CapturedMessages::~CapturedMessages() {
  SetLinkMessageSink([](const std::string&) {});
}

std::vector<std::string> CapturedMessages::texts() const {
  std::lock_guard guard(lock_);
  return texts_;
}

ConfigFolder::ConfigFolder() : config_(root_.path() / "Config") {
  (void)kSafeFromTheStart;
  fs::create_directory(config_);
  SetLinkConfigDir(config_);
}

ConfigFolder::~ConfigFolder() {
  LinkClose();
  SetLinkConfigDir(SafeConfigDir());
}

fs::path ConfigFolder::comEntry(int port) const { return config_ / ("COM" + std::to_string(port)); }

AppPaths ConfigFolder::paths() const {
  AppPaths paths;
  paths.exeDir = root_.path();
  paths.configDir = config_;
  paths.imageToSend = config_ / "CONF_QR7710-4.A$B";
  paths.imageReadBack = config_ / "CONF_QR7710-4.C$D";
  paths.portFile = config_ / "QR7710-4_CONFPORT.qr7";
  return paths;
}

std::unique_ptr<DeviceEmulator> StartEmulator(const ConfigFolder& folder, EmulatorOptions options) {
  auto emulator = std::make_unique<DeviceEmulator>(std::move(options));
  const auto error = emulator->start();
  EXPECT_FALSE(error) << *error;
  // The test places the link itself and keeps it until the folder goes, so the port never
  // disappears from the folder while the link may still reconnect.
  std::error_code ec;
  fs::remove(folder.comEntry(), ec);
  fs::create_symlink(emulator->ptyPath(), folder.comEntry());
  return emulator;
}

void WriteAll(int fd, std::span<const uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put > 0) {
      done += static_cast<std::size_t>(put);
      continue;
    }
    ASSERT_TRUE(put < 0 && (errno == EAGAIN || errno == EINTR)) << std::strerror(errno);
    pollfd room{fd, POLLOUT, 0};
    poll(&room, 1, 100);
  }
}

bool TakePacketWithin(DevicePacket& packet, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  do {
    if (LinkTakePacket(packet.data())) return true;
    std::this_thread::sleep_for(2ms);
  } while (std::chrono::steady_clock::now() < end);
  return false;
}

void DiscardReceivedPackets() {
  DevicePacket packet;
  while (LinkTakePacket(packet.data())) {
  }
}

DevicePacket TestPacket(uint8_t sync, int seed) {
  DevicePacket packet;
  packet[0] = sync;
  for (std::size_t i = 1; i < kPacketSize; ++i) {
    auto value = static_cast<uint8_t>((seed * 31 + static_cast<int>(i)) & 0x3F);  // never 0x47 or 0xB8
    packet[i] = value;
  }
  return packet;
}

std::vector<uint8_t> TestImage(int packets) {
  std::vector<uint8_t> image;
  DevicePacket header{};
  header[0] = kControlSync;
  header[1] = static_cast<uint8_t>(ControlType::Header);
  const auto size = static_cast<uint16_t>(packets * static_cast<int>(kPacketSize));
  header[7] = static_cast<uint8_t>(size & 0xFF);
  header[8] = static_cast<uint8_t>(size >> 8);
  image.insert(image.end(), header.begin(), header.end());
  for (int k = 1; k < packets; ++k) {
    const DevicePacket table = TestPacket(kTsSync, k);
    image.insert(image.end(), table.begin(), table.end());
  }
  return image;
}

void WriteBytes(const fs::path& path, std::span<const uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::unique_ptr<MuxConfig> TestConfig(int programs, int ghosts) {
  constexpr int kProgramsWithPcr = 54;
  constexpr int kAdjustedPrograms = 32;
  auto cfg = std::make_unique<MuxConfig>();
  MuxBlockA& a = cfg->A;
  std::strncpy(a.NetworkName, "LinkNet", sizeof a.NetworkName - 1);
  a.TransportStreamId = 77;
  for (int i = 0; i < kPacingCycle; ++i) {
    a.NetworkParams.PacketGap[i] = cfg->B.NetworkParamsCopy.PacketGap[i] = static_cast<uint16_t>(300 + i);
  }
  a.NetworkParams.ByteGap = cfg->B.NetworkParamsCopy.ByteGap = 2;
  a.ProgramCount = static_cast<int16_t>(programs);
  for (int k = 0; k < programs; ++k) {
    const auto pmtPid = static_cast<int16_t>(0x100 + k);
    const auto serviceId = static_cast<uint16_t>(k + 1);
    const auto videoOut = static_cast<int16_t>(0x400 + k);
    a.InputOfProgram[k] = static_cast<int16_t>(k % kAsiInputs + 1);
    a.PmtPidOfProgram[k] = pmtPid;
    ServiceEntry& service = a.Services[k];
    service.ServiceId = serviceId;
    std::snprintf(service.ServiceName, sizeof service.ServiceName, "Prog%03d", k % 1000);
    std::snprintf(service.ProviderName, sizeof service.ProviderName, "Link");
    ProgramEntry& p = a.Programs[k];
    p.PmtPid = pmtPid;
    p.ServiceId = serviceId;
    p.GeneratePmt = 1;
    p.VideoPidIn = static_cast<int16_t>(0x800 + k);
    p.VideoPidOut = videoOut;
    const bool pcr = k < kProgramsWithPcr;
    p.PcrPidIn = pcr ? p.VideoPidIn : kNoPid;
    p.PcrPidOut = pcr ? videoOut : kNoPid;
    p.PcrAdjust = k < kAdjustedPrograms ? 1 : 0;
    for (AudioStream& audio : p.Audio) audio.PidIn = audio.PidOut = kNoPid;
    for (DataStream& data : p.Data) data.PidIn = data.PidOut = kNoPid;
  }
  GhostPidTable& g = cfg->B.GhostTable;
  g.Count = static_cast<int16_t>(ghosts);
  for (int i = 0; i < ghosts; ++i) {
    g.Input[i] = static_cast<int16_t>(i % kAsiInputs + 1);
    g.PidIn[i] = static_cast<int16_t>(0x1000 + i);
    g.PidOut[i] = static_cast<int16_t>(0x1800 + i);
  }
  return cfg;
}

int OpenDescriptorCount() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

int ThreadCount() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}
