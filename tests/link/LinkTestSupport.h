#pragma once
// Helpers for the link tests: temporary folders, a raw pseudo-terminal to play the device by hand,
// the emulator reached through a Config/COMn symlink, records and images to send.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "config/AppPaths.h"
#include "config/MuxConfig.h"
#include "device/DeviceEmulator.h"
#include "image/DevicePacket.h"

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Collects what the link reports through its message sink (from any thread).
class CapturedMessages {
 public:
  CapturedMessages();   // installs itself as the link's sink
  ~CapturedMessages();  // installs a sink that drops messages
  std::vector<std::string> texts() const;

 private:
  mutable std::mutex lock_;
  std::vector<std::string> texts_;
};

// The test's own end of a link: a port opened through a COM<n> entry of a temporary Config folder,
// set as the link's config folder. Closes the link before anything else goes.
inline constexpr int kTestPort = 3;
class ConfigFolder {
 public:
  ConfigFolder();
  ~ConfigFolder();
  std::filesystem::path comEntry(int port = kTestPort) const;
  AppPaths paths() const;  // the image files inside the folder
  const std::filesystem::path& dir() const { return config_; }

 private:
  TempDir root_;
  std::filesystem::path config_;
};

// An emulator whose pseudo-terminal is the folder's COM3, started; fails the test when it cannot.
std::unique_ptr<DeviceEmulator> StartEmulator(const ConfigFolder& folder, EmulatorOptions options = {});

// Writes every byte to a non-blocking descriptor, waiting for room.
void WriteAll(int fd, std::span<const uint8_t> bytes);

// The next packet from the receive ring, waiting up to `timeout`; false when none came.
bool TakePacketWithin(DevicePacket& packet, std::chrono::milliseconds timeout);
// Empties the receive ring.
void DiscardReceivedPackets();

// A packet with sync byte `sync` whose other bytes spell `seed` (no sync byte among them).
DevicePacket TestPacket(uint8_t sync, int seed);
// A header packet announcing `packets` packets, followed by that many minus one table packets.
std::vector<uint8_t> TestImage(int packets);
void WriteBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

// A record the image carries completely: `programs` programs spread over the four inputs, each
// with a video PID (the first 54 with the PCR on it, the first 32 of them adjusted), and `ghosts`
// ghost entries.
std::unique_ptr<MuxConfig> TestConfig(int programs, int ghosts = 0);

// Descriptors and threads of this process, from /proc/self.
int OpenDescriptorCount();
int ThreadCount();
