// The emulator as the tool meets it: a pseudo-terminal, its symlink, the stored image and its file.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <iterator>
#include <random>
#include <thread>

#include "device/DeviceEmulator.h"
#include "image/DevicePacket.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class Folder {
 public:
  Folder() {
    std::random_device random;
    do {
      path_ = fs::temp_directory_path() / ("qr-device-test-" + std::to_string(random()));
    } while (!fs::create_directory(path_));
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// The tool's end of the line, opened the way the link opens it.
class ToolEnd {
 public:
  explicit ToolEnd(const fs::path& device) : fd_(open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
  ~ToolEnd() {
    if (fd_ >= 0) close(fd_);
  }
  bool opened() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  void Send(std::span<const uint8_t> bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const auto put = write(fd_, bytes.data() + done, bytes.size() - done);
      if (put > 0) done += static_cast<std::size_t>(put);
      else std::this_thread::sleep_for(1ms);
    }
  }
  // Up to `count` bytes, waiting at most `timeout` for them.
  std::vector<uint8_t> Receive(std::size_t count, std::chrono::milliseconds timeout) const {
    std::vector<uint8_t> bytes(count);
    std::size_t have = 0;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (have < count && std::chrono::steady_clock::now() < end) {
      const auto got = read(fd_, bytes.data() + have, count - have);
      if (got > 0) have += static_cast<std::size_t>(got);
      else std::this_thread::sleep_for(1ms);
    }
    bytes.resize(have);
    return bytes;
  }

 private:
  int fd_;
};

std::vector<uint8_t> Packet(uint8_t sync, uint8_t type, uint8_t fill = 0) {
  std::vector<uint8_t> packet(kPacketSize, fill);
  packet[0] = sync;
  packet[1] = type;
  return packet;
}

std::vector<uint8_t> Command(uint8_t action) {
  auto packet = Packet(kControlSync, static_cast<uint8_t>(ControlType::Command));
  packet[7] = 0xFF;
  packet[8] = 0x1F;
  packet[9] = action;
  return packet;
}

std::vector<uint8_t> Image() {
  auto image = Packet(kControlSync, static_cast<uint8_t>(ControlType::Header));
  constexpr std::size_t kSize = 2 * kPacketSize;
  image[7] = static_cast<uint8_t>(kSize & 0xFF);
  image[8] = static_cast<uint8_t>(kSize >> 8);
  const auto table = Packet(kTsSync, 0x00, 0x21);
  image.insert(image.end(), table.begin(), table.end());
  return image;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> bytes;
  for (const auto& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

bool WaitFor(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + 3s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

TEST(DeviceEmulatorTest, LoadsAndPlaysBackThroughItsSymlink) {
  const Folder folder;
  EmulatorOptions options;
  options.paced = false;
  options.linkPath = folder.path() / "COM3";
  options.storePath = folder.path() / "stored.img";
  DeviceEmulator device(options);
  ASSERT_FALSE(device.start());
  ASSERT_TRUE(fs::is_symlink(options.linkPath));
  EXPECT_EQ(fs::read_symlink(options.linkPath), device.ptyPath());

  {
    const ToolEnd tool(options.linkPath);
    ASSERT_TRUE(tool.opened());
    tool.Send(Join({Packet(kControlSync, static_cast<uint8_t>(ControlType::Load)), Image()}));
    ASSERT_TRUE(WaitFor([&] { return device.completedLoads() == 1; }));
  }
  EXPECT_EQ(device.storedImage(), Image());
  std::ifstream stored(options.storePath, std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(stored), {}), Image());

  // The tool may close and reopen its port; the device stays.
  const ToolEnd tool(options.linkPath);
  tool.Send(Command(0x20));
  EXPECT_EQ(tool.Receive(2 * Image().size(), 3000ms), Join({Image(), Image()}));
  tool.Send(Command(0x00));

  device.stop();
  EXPECT_FALSE(fs::exists(fs::symlink_status(options.linkPath)));
}

TEST(DeviceEmulatorTest, AHangUpIsSeenByTheTool) {
  EmulatorOptions options;
  options.paced = false;
  options.fault = EmulatorFault::HangUpAfterLoad;
  DeviceEmulator device(options);
  ASSERT_FALSE(device.start());
  const ToolEnd tool(device.ptyPath());
  tool.Send(Join({Packet(kControlSync, static_cast<uint8_t>(ControlType::Load)), Image()}));
  ASSERT_TRUE(WaitFor([&] { return device.lineDropped(); }));
  EXPECT_EQ(device.storedImage(), Image());
  uint8_t byte = 0;
  const auto got = read(tool.fd(), &byte, 1);  // end of file or EIO: the line is gone
  EXPECT_TRUE(got == 0 || (got < 0 && errno == EIO)) << got;
}

TEST(DeviceEmulatorTest, RefusesToReplaceAFileWithItsSymlink) {
  const Folder folder;
  const fs::path file = folder.path() / "COM3";
  std::ofstream(file) << "keep";
  EmulatorOptions options;
  options.linkPath = file;
  DeviceEmulator device(options);
  const auto error = device.start();
  ASSERT_TRUE(error);
  EXPECT_NE(error->find("not a symbolic link"), std::string::npos);
  EXPECT_FALSE(fs::is_symlink(file));
  EXPECT_EQ(fs::file_size(file), 4u);
}

TEST(DeviceEmulatorTest, FaultNamesRoundTrip) {
  for (const EmulatorFault fault : {EmulatorFault::None, EmulatorFault::Silent, EmulatorFault::CorruptPlayback,
                                    EmulatorFault::NoiseBeforeCycle, EmulatorFault::DoubledHeader,
                                    EmulatorFault::HangUpAfterLoad, EmulatorFault::LinkLostMidLoad}) {
    const auto name = EmulatorFaultName(fault);
    EXPECT_EQ(EmulatorFaultFromName(name), fault) << name;
    EXPECT_NE(EmulatorFaultNameList().find(name), std::string::npos);
  }
  EXPECT_FALSE(EmulatorFaultFromName("bogus"));
}

}  // namespace
