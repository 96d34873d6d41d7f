#include "device/DeviceEmulator.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>

#include "device/DeviceProtocol.h"
#include "device/PacketFramer.h"
#include "device/PseudoTerminal.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// 1,500,000 baud with 8N1 framing moves ten bits per byte.
constexpr int64_t kLineBytesPerSecond = 150'000;
// A sender held up longer than this (the tool was not reading) restarts its pacing instead of
// bursting to catch up, as a UART does.
constexpr auto kPacingSlack = 5ms;

Clock::duration LineTime(std::size_t bytes) {
  return std::chrono::nanoseconds(static_cast<int64_t>(bytes) * 1'000'000'000 / kLineBytesPerSecond);
}

// How long ppoll may sleep before `due` (never negative).
timespec Until(Clock::time_point due, Clock::time_point now) {
  const auto left = std::max<Clock::duration>(due - now, Clock::duration::zero());
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
  return {static_cast<time_t>(seconds.count()),
          static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count())};
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

struct DeviceEmulator::Engine {
  explicit Engine(EmulatorOptions opts)
      : options(std::move(opts)), protocol(options.fault, options.storedImage),
        stored(protocol.storedImage()) {}
  ~Engine() {
    if (wakeFd >= 0) close(wakeFd);
  }

  void Run();
  // Handles one received packet; false when the line drops.
  bool OnPacket(const DevicePacket& packet);

  EmulatorOptions options;
  std::unique_ptr<PseudoTerminal> pty;  // touched by the device's thread only while it runs
  std::filesystem::path ptyPath;
  int wakeFd = -1;
  std::thread thread;
  DeviceProtocol protocol;  // the device's thread only

  mutable std::mutex lock;
  std::vector<uint8_t> stored;  // guarded by `lock`: a copy of the protocol's image for readers
  int loads = 0;                // guarded by `lock`
  std::atomic<bool> dropped{false};
};

bool DeviceEmulator::Engine::OnPacket(const DevicePacket& packet) {
  const ProtocolEvent event = protocol.OnPacket(packet);
  if (event.loadCompleted) {
    std::vector<uint8_t> image = protocol.storedImage();
    if (!options.storePath.empty()) WriteFile(options.storePath, image);
    std::lock_guard guard(lock);
    stored = std::move(image);
    ++loads;
  }
  if (!event.dropLine) return true;
  pty.reset();  // the tool sees the hang-up
  dropped = true;
  return false;
}

void DeviceEmulator::Engine::Run() {
  const bool paced = options.paced;
  PacketFramer framer;
  std::array<uint8_t, kPacketSize> received{};
  std::vector<uint8_t> out;
  std::size_t outAt = 0;
  Clock::time_point outputDue = Clock::now();
  Clock::time_point inputDue = outputDue;

  for (;;) {
    const int master = pty->master();
    Clock::time_point now = Clock::now();
    if (outAt == out.size() && protocol.playing() && (!paced || now >= outputDue)) {
      out = protocol.NextChunk();
      outAt = 0;
      outputDue = std::max(outputDue, now - kPacingSlack) + LineTime(out.size());
    }
    if (outAt < out.size()) {
      const auto put = write(master, out.data() + outAt, out.size() - outAt);
      if (put > 0) outAt += static_cast<std::size_t>(put);
    }

    const bool inputOpen = !paced || now >= inputDue;
    if (inputOpen) {
      const auto got = read(master, received.data(), received.size());
      if (got > 0) {
        const auto count = static_cast<std::size_t>(got);
        if (!framer.Feed(std::span(received.data(), count), [this](const DevicePacket& p) { return OnPacket(p); })) {
          return;
        }
        inputDue = std::max(inputDue, now) + LineTime(count);
        continue;
      }
    }

    // Sleep until there is input to take, room for output, the next paced step, or a stop.
    now = Clock::now();
    const bool outputPending = outAt < out.size();
    const bool nextChunkWaits = !outputPending && protocol.playing();
    std::optional<Clock::time_point> wakeAt;
    if (!inputOpen) wakeAt = inputDue;
    if (nextChunkWaits) wakeAt = std::min(wakeAt.value_or(outputDue), paced ? outputDue : now);
    pollfd fds[2] = {
        {master, static_cast<short>((inputOpen ? POLLIN : 0) | (outputPending ? POLLOUT : 0)), 0},
        {wakeFd, POLLIN, 0}};
    const timespec timeout = wakeAt ? Until(*wakeAt, now) : timespec{};
    if (ppoll(fds, 2, wakeAt ? &timeout : nullptr, nullptr) < 0 && errno != EINTR) return;
    if (fds[1].revents & POLLIN) return;
  }
}

DeviceEmulator::DeviceEmulator(EmulatorOptions options)
    : engine_(std::make_unique<Engine>(std::move(options))) {}

DeviceEmulator::~DeviceEmulator() { stop(); }

std::optional<std::string> DeviceEmulator::start() {
  Engine& e = *engine_;
  if (e.thread.joinable() || e.pty) return std::string("the emulator is already running");
  std::string error;
  e.pty = PseudoTerminal::Open(error);
  if (!e.pty) return error;
  e.ptyPath = e.pty->slavePath();
  e.dropped = false;

  if (!e.options.linkPath.empty()) {
    std::error_code ec;
    const auto existing = std::filesystem::symlink_status(e.options.linkPath, ec);
    if (std::filesystem::exists(existing) && !std::filesystem::is_symlink(existing)) {
      e.pty.reset();
      return e.options.linkPath.string() + " exists and is not a symbolic link";
    }
    std::filesystem::remove(e.options.linkPath, ec);
    std::filesystem::create_symlink(e.ptyPath, e.options.linkPath, ec);
    if (ec) {
      e.pty.reset();
      return e.options.linkPath.string() + ": " + ec.message();
    }
  }

  e.wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  e.thread = std::thread([&e] { e.Run(); });
  return std::nullopt;
}

void DeviceEmulator::stop() {
  Engine& e = *engine_;
  if (e.thread.joinable()) {
    const uint64_t one = 1;
    [[maybe_unused]] const auto written = write(e.wakeFd, &one, sizeof one);
    e.thread.join();
  }
  if (e.wakeFd >= 0) {
    close(e.wakeFd);
    e.wakeFd = -1;
  }
  e.pty.reset();
  if (!e.options.linkPath.empty()) {
    std::error_code ec;
    if (std::filesystem::read_symlink(e.options.linkPath, ec) == e.ptyPath) {
      std::filesystem::remove(e.options.linkPath, ec);
    }
  }
}

std::filesystem::path DeviceEmulator::ptyPath() const { return engine_->ptyPath; }

std::vector<uint8_t> DeviceEmulator::storedImage() const {
  std::lock_guard guard(engine_->lock);
  return engine_->stored;
}

int DeviceEmulator::completedLoads() const {
  std::lock_guard guard(engine_->lock);
  return engine_->loads;
}

bool DeviceEmulator::lineDropped() const { return engine_->dropped; }
