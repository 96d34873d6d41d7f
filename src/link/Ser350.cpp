#include "link/Ser350.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "config/AppPaths.h"
#include "image/DevicePacket.h"
#include "link/ReceiveRing.h"
#include "link/SerialPort.h"
#include "link/WakeEvent.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kReaderStartDelay = 1000ms;  // bytes that arrive meanwhile wait in the driver
constexpr auto kReaderPause = 1ms;          // per packet and per empty read
constexpr auto kReadTimeoutConstant = 50ms;
constexpr auto kTimeoutPerByte = 1ms;  // reads and writes alike

// What LinkOpen was asked to open; every reconnect opens it again.
struct LinkTarget {
  std::optional<int> port;         // "COM<port>" through the Config folder rule
  std::filesystem::path device;    // or this device path
  std::string name;                // the name messages use
};

struct LinkState {
  std::atomic<bool> stopping{true};  // closed until the first LinkOpen
  std::atomic<int> connected{0};

  std::mutex lock;  // every read, write, close-on-error and reconnect on the port
  // Shared so that a read waiting outside the lock keeps its descriptor open even when a writer
  // closes the port on an error meanwhile; the descriptor closes when the last user lets go.
  std::shared_ptr<SerialPort> port;  // guarded by `lock`
  LinkTarget target;                 // guarded by `lock`
  std::filesystem::path configDir;   // guarded by `lock`; empty until set or first needed

  std::thread reader;  // started and joined on the user-interface thread only
  WakeEvent wake;      // signalled when the link stops, so the reader's waits end at once
  ReceiveRing ring;

  std::mutex sinkLock;
  LinkMessageSink sink;  // guarded by `sinkLock`
};

// Never destroyed: a reader still running at process exit must not find its state gone.
LinkState& Link() {
  static LinkState& state = *new LinkState;
  return state;
}

thread_local bool tOnReaderThread = false;

std::string NotAvailableText(const std::string& name) { return name + " não disponivel"; }
std::string SettingsRefusedText(const std::string& name) { return "Erro de configuracao de " + name; }

void Deliver(const std::string& text) {
  LinkState& s = Link();
  LinkMessageSink sink;
  {
    std::lock_guard guard(s.sinkLock);
    sink = s.sink;
  }
  if (sink) {
    sink(text);
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

std::filesystem::path DevicePathLocked(LinkState& s) {
  if (!s.target.port) return s.target.device;
  if (s.configDir.empty()) s.configDir = PathsOfRunningExecutable().configDir;
  return ComPortDevicePath(s.configDir, *s.target.port);
}

// Opens the saved target with `lock` held. On failure the link is stopped and closed there and
// then, and the message is returned: the caller hands it to LinkError once the lock is released,
// so the sink never runs under the lock.
std::optional<std::string> ReopenLocked(LinkState& s) {
  s.port.reset();
  s.connected = 0;
  PortOpenError why{};
  std::unique_ptr<SerialPort> port = SerialPort::Open(DevicePathLocked(s), why);
  if (!port) {
    s.stopping = true;
    s.wake.Signal();
    return why == PortOpenError::NotAvailable ? NotAvailableText(s.target.name)
                                              : SettingsRefusedText(s.target.name);
  }
  s.port = std::move(port);
  s.connected = 1;
  return std::nullopt;
}

// Closes after a failed read or write on `failed`, unless a reconnect already replaced it, then
// reconnects when the link is not stopping. Lock held.
std::optional<std::string> RecoverLocked(LinkState& s, const std::shared_ptr<SerialPort>& failed) {
  if (failed) failed->ReleaseExclusiveUse();
  if (failed && s.port == failed) {
    s.port.reset();
    s.connected = 0;
  }
  if (s.connected || s.stopping) return std::nullopt;
  return ReopenLocked(s);
}

// Frames the next packet into `packet`: fills 188 bytes, drops whatever precedes the first 0x47 or
// 0xB8 and reads only the bytes then missing. A packet is accepted on its first byte alone. False
// when the link stops during the fill: a partial packet never reaches the ring.
bool ReadPacket(LinkState& s, DevicePacket& packet) {
  const auto isSync = [](uint8_t b) { return b == kTsSync || b == kControlSync; };
  std::size_t have = 0;
  for (;;) {
    while (have < kPacketSize) {
      if (s.stopping) return false;
      const int got = LinkReadBytes(packet.data() + have, static_cast<int>(kPacketSize - have));
      have += static_cast<std::size_t>(got);
      if (got == 0) s.wake.WaitFor(kReaderPause);
    }
    const auto sync = std::find_if(packet.begin(), packet.end(), isSync);
    if (sync == packet.begin()) return true;
    std::copy(sync, packet.end(), packet.begin());
    have = static_cast<std::size_t>(packet.end() - sync);
  }
}

void ReaderLoop() {
  tOnReaderThread = true;
  LinkState& s = Link();
  s.wake.WaitFor(kReaderStartDelay);
  while (!s.stopping) {
    s.wake.WaitFor(kReaderPause);
    DevicePacket packet;
    if (ReadPacket(s, packet)) s.ring.Push(packet.data());
  }
}

int OpenTarget(LinkTarget target) {
  LinkState& s = Link();
  LinkClose();
  s.wake.Clear();
  std::optional<std::string> failure;
  {
    std::lock_guard guard(s.lock);
    s.target = std::move(target);
    s.stopping = false;
    failure = ReopenLocked(s);
  }
  if (failure) {
    LinkError(*failure);
    return 0;
  }
  s.reader = std::thread(ReaderLoop);
  return 1;
}

}  // namespace

void SetLinkMessageSink(LinkMessageSink sink) {
  LinkState& s = Link();
  std::lock_guard guard(s.sinkLock);
  s.sink = std::move(sink);
}

void SetLinkConfigDir(const std::filesystem::path& configDir) {
  LinkState& s = Link();
  std::lock_guard guard(s.lock);
  s.configDir = configDir;
}

int LinkOpen(int port) {
  return OpenTarget(LinkTarget{port, {}, "COM" + std::to_string(port)});
}

int LinkOpenDevice(const std::filesystem::path& device, const std::string& portName) {
  return OpenTarget(LinkTarget{std::nullopt, device, portName});
}

void LinkClose() {
  LinkState& s = Link();
  s.stopping = true;
  s.wake.Signal();
  if (!tOnReaderThread && s.reader.joinable()) s.reader.join();
  std::lock_guard guard(s.lock);
  s.port.reset();
  s.connected = 0;
}

int LinkIsConnected() { return Link().connected; }

void LinkSendPacket(const uint8_t* packet) {
  if (!Link().stopping) LinkWriteBytes(packet, static_cast<int>(kPacketSize));
}

int LinkTakePacket(uint8_t* destination) { return Link().ring.Take(destination) ? 1 : 0; }

uint32_t LinkDroppedPackets() { return Link().ring.droppedPackets(); }

int LinkReadBytes(uint8_t* buffer, int count) {
  LinkState& s = Link();
  std::shared_ptr<SerialPort> port;
  std::optional<std::string> failure;
  {
    std::lock_guard guard(s.lock);
    if (s.connected) {
      port = s.port;
    } else {
      failure = RecoverLocked(s, nullptr);
    }
  }
  if (failure) LinkError(*failure);
  if (!port) return 0;

  // The wait for bytes runs outside the lock so a writer never waits out a read's time-out; only
  // moving the bytes takes the lock.
  const PollDeadline deadline(kReadTimeoutConstant + count * kTimeoutPerByte);
  int got = 0;
  bool lost = false;
  while (got < count && !lost) {
    const SerialPort::Wait wait = port->WaitReadable(deadline, s.wake.fd());
    if (wait == SerialPort::Wait::TimedOut || wait == SerialPort::Wait::Woken) break;
    if (wait == SerialPort::Wait::Lost) {
      lost = true;
      break;
    }
    std::lock_guard guard(s.lock);
    const SerialPort::Transfer moved = port->ReadAvailable(buffer + got, count - got);
    got += moved.count;
    lost = moved.lost;
  }
  if (!lost) return got;
  {
    std::lock_guard guard(s.lock);
    failure = RecoverLocked(s, port);
  }
  if (failure) LinkError(*failure);
  return 0;
}

int LinkWriteBytes(const uint8_t* buffer, int count) {
  LinkState& s = Link();
  if (s.stopping) return 0;
  int written = 0;
  std::optional<std::string> failure;
  {
    std::lock_guard guard(s.lock);
    std::shared_ptr<SerialPort> port = s.connected && !s.stopping ? s.port : nullptr;
    if (port) {
      const SerialPort::Transfer moved = port->Write(buffer, count, count * kTimeoutPerByte);
      if (moved.lost) {
        failure = RecoverLocked(s, port);
      } else {
        written = moved.count;
      }
    } else {
      failure = RecoverLocked(s, nullptr);
    }
  }
  if (failure) LinkError(*failure);
  return written;
}

void LinkError(const std::string& text) {
  LinkClose();
  Deliver(text);
}
