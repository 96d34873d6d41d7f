#pragma once
// The device side of the serial link, for tests, benchmarks and users without hardware. Free of Qt.
//
// It opens a pseudo-terminal (optionally reachable through a symlink such as Config/COM3), frames
// the packets it receives on their first byte (0x47 or 0xB8) as the device does, and obeys the
// transfer protocol:
//   - stop command (0xB8 0x00, bytes 7..9 = FF 1F 00): ends a play-back; the line falls silent.
//   - load packet (0xB8 0x03): the packets that follow become the stored image. An image that
//     starts with a header packet (0xB8 0x02) is complete once the header's size (bytes 7, 8,
//     little-endian, in bytes) has arrived. An image without a header (neither programs nor ghost
//     PIDs) takes every packet up to the next command. A command that comes before a load is
//     complete ends it, and what arrived is stored.
//   - play-back command (bytes 7..9 = FF 1F 20): replays the stored image cyclically from its
//     first packet (the header) until a stop. Nothing is played while nothing is stored; a
//     play-back command during a play-back changes nothing.
// Other packets outside a load are ignored. Output is paced at the line rate (1,500,000 baud 8N1,
// 150,000 bytes/s) and so is the consumption of input, unless `paced` is false.
//
// Usage: EmulatorOptions options; options.paced = false; DeviceEmulator device(options);
// if (const auto error = device.start()) { ...report *error... } then open device.ptyPath() (or the
// symlink) as the port. The device keeps its stored image across stop() and start().

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/EmulatorFault.h"

struct EmulatorOptions {
  bool paced = true;
  EmulatorFault fault = EmulatorFault::None;
  std::filesystem::path linkPath;   // when set: a symlink to the pseudo-terminal, removed by stop()
  std::filesystem::path storePath;  // when set: every completed load is written to this file
  std::vector<uint8_t> storedImage; // what the device holds at power-on (whole packets)
};

class DeviceEmulator {
 public:
  explicit DeviceEmulator(EmulatorOptions options = {});
  ~DeviceEmulator();  // stops
  DeviceEmulator(const DeviceEmulator&) = delete;
  DeviceEmulator& operator=(const DeviceEmulator&) = delete;

  // Opens the pseudo-terminal, places the symlink and starts the device's thread; the reason
  // when it cannot.
  std::optional<std::string> start();
  // Ends the thread, closes the pseudo-terminal and removes the symlink. Safe to repeat.
  void stop();

  std::filesystem::path ptyPath() const;   // the slave end: what the tool opens
  std::vector<uint8_t> storedImage() const;
  int completedLoads() const;
  bool lineDropped() const;  // a fault mode has hung up; the device is gone until restarted

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
};
