// Opening and closing the port: the COMn rule, ports that are not there, reconnects with the saved
// port, and nothing left behind by many connects.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "LinkTestSupport.h"
#include "device/PseudoTerminal.h"
#include "link/SerialPort.h"
#include "link/Ser350.h"
#include "sys/OwnedFd.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

TEST(ComPortDevicePathTest, TheConfigEntryWinsEvenWhenItLeadsNowhere) {
  const TempDir dir;
  fs::create_symlink(dir.path() / "no-such-device", dir.path() / "COM4");
  EXPECT_EQ(ComPortDevicePath(dir.path(), 4), dir.path() / "COM4");
  // Without an entry the name maps onto the serial devices (never opened by a test).
  EXPECT_EQ(ComPortDevicePath(dir.path(), 1), fs::path("/dev/ttyS0"));
  EXPECT_EQ(ComPortDevicePath(dir.path(), 9), fs::path("/dev/ttyS8"));
}

class PortTest : public ::testing::Test {
 protected:
  ConfigFolder folder;
  CapturedMessages messages;
};

TEST_F(PortTest, APortThatIsNoTerminalIsNotAvailable) {
  WriteBytes(folder.dir() / "plain-file", TestImage(1));
  fs::create_directory(folder.dir() / "a-folder");
  struct Case {
    const char* what;
    fs::path target;
  };
  const Case cases[] = {
      {"a missing device", folder.dir() / "missing"},
      {"a regular file", folder.dir() / "plain-file"},
      {"a folder", folder.dir() / "a-folder"},
      {"a device that is no terminal", "/dev/null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(folder.comEntry());
    fs::create_symlink(c.target, folder.comEntry());
    const std::size_t before = messages.texts().size();
    EXPECT_EQ(LinkOpen(kTestPort), 0);
    EXPECT_EQ(LinkIsConnected(), 0);
    const auto texts = messages.texts();
    ASSERT_EQ(texts.size(), before + 1);
    EXPECT_EQ(texts.back(), "COM3 não disponivel");
  }
  // The regular file is left as it was.
  EXPECT_EQ(ReadBytes(folder.dir() / "plain-file"), TestImage(1));
}

TEST_F(PortTest, AnExplicitDeviceIsNamedAsTheCallerSays) {
  WriteBytes(folder.dir() / "plain-file", TestImage(1));
  EXPECT_EQ(LinkOpenDevice(folder.dir() / "plain-file", "COM7"), 0);
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_EQ(messages.texts()[0], "COM7 não disponivel");
}

TEST_F(PortTest, APortInUseIsNotAvailable) {
  std::string error;
  const auto pty = PseudoTerminal::Open(error);
  ASSERT_TRUE(pty) << error;
  fs::create_symlink(pty->slavePath(), folder.comEntry());
  PortOpenError why{};
  auto otherProgram = SerialPort::Open(pty->slavePath(), why);
  ASSERT_TRUE(otherProgram);

  EXPECT_EQ(LinkOpen(kTestPort), 0);
  EXPECT_EQ(LinkIsConnected(), 0);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"COM3 não disponivel"});

  otherProgram.reset();  // the other program lets go
  EXPECT_EQ(LinkOpen(kTestPort), 1);
  EXPECT_EQ(messages.texts().size(), 1u);
}

TEST_F(PortTest, AHungUpLineReconnectsToTheSameDevice) {
  std::string error;
  const auto pty = PseudoTerminal::Open(error);
  ASSERT_TRUE(pty) << error;
  fs::create_symlink(pty->slavePath(), folder.comEntry());
  ASSERT_EQ(LinkOpen(kTestPort), 1);
  std::this_thread::sleep_for(1100ms);  // the reader is reading

  // Every descriptor of the line is hung up; the device itself stays.
  const OwnedFd line(open(pty->slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
  ASSERT_GE(line.get(), 0);
  ASSERT_EQ(ioctl(line.get(), TIOCVHANGUP), 0) << std::strerror(errno);

  // What the line held at the hang-up is gone, so the device repeats its packet until it is heard.
  DevicePacket got;
  bool heard = false;
  for (int attempt = 0; attempt < 10 && !heard; ++attempt) {
    WriteAll(pty->master(), TestPacket(kTsSync, 11));
    heard = TakePacketWithin(got, 300ms);
  }
  ASSERT_TRUE(heard);
  EXPECT_EQ(got, TestPacket(kTsSync, 11));
  EXPECT_EQ(LinkIsConnected(), 1);
  EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PortTest, ALostLineReconnectsThroughTheSavedPort) {
  std::string error;
  auto first = PseudoTerminal::Open(error);
  auto second = PseudoTerminal::Open(error);
  ASSERT_TRUE(first && second) << error;
  fs::create_symlink(first->slavePath(), folder.comEntry());
  ASSERT_EQ(LinkOpen(kTestPort), 1);
  DiscardReceivedPackets();

  // The adapter comes back under another name, as a USB adapter does, and the old line drops.
  const fs::path staged = folder.dir() / "COM3.new";
  fs::create_symlink(second->slavePath(), staged);
  fs::rename(staged, folder.comEntry());
  first.reset();

  WriteAll(second->master(), TestPacket(kTsSync, 9));
  DevicePacket got;
  ASSERT_TRUE(TakePacketWithin(got, 3000ms));
  EXPECT_EQ(got, TestPacket(kTsSync, 9));
  EXPECT_EQ(LinkIsConnected(), 1);
  EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PortTest, AFailedReconnectClosesTheLinkAndSaysWhy) {
  std::string error;
  auto pty = PseudoTerminal::Open(error);
  ASSERT_TRUE(pty) << error;
  fs::create_symlink(pty->slavePath(), folder.comEntry());
  ASSERT_EQ(LinkOpen(kTestPort), 1);
  std::this_thread::sleep_for(1100ms);  // the reader is reading
  fs::remove(folder.comEntry());
  fs::create_symlink(folder.dir() / "unplugged", folder.comEntry());
  pty.reset();

  const auto end = std::chrono::steady_clock::now() + 3000ms;
  while (messages.texts().empty() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(10ms);
  ASSERT_EQ(messages.texts(), std::vector<std::string>{"COM3 não disponivel"});
  EXPECT_EQ(LinkIsConnected(), 0);
  LinkSendPacket(TestPacket(kControlSync, 1).data());  // dropped: the link is stopped
  EXPECT_EQ(messages.texts().size(), 1u);
}

TEST_F(PortTest, ConnectingAHundredTimesLeavesNoThreadOrDescriptor) {
  std::string error;
  const auto pty = PseudoTerminal::Open(error);
  ASSERT_TRUE(pty) << error;
  fs::create_symlink(pty->slavePath(), folder.comEntry());
  ASSERT_EQ(LinkOpen(kTestPort), 1);  // the link's own lasting resources exist from here on
  LinkClose();
  const int descriptors = OpenDescriptorCount();
  const int threads = ThreadCount();
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(LinkOpen(kTestPort), 1);
    EXPECT_EQ(LinkIsConnected(), 1);
    LinkClose();
  }
  EXPECT_EQ(LinkIsConnected(), 0);
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
  EXPECT_EQ(ThreadCount(), threads);

  // Opening an open link replaces it: still one port and one reader.
  ASSERT_EQ(LinkOpen(kTestPort), 1);
  ASSERT_EQ(LinkOpen(kTestPort), 1);
  EXPECT_EQ(OpenDescriptorCount(), descriptors + 1);
  EXPECT_EQ(ThreadCount(), threads + 1);
  LinkClose();
  EXPECT_EQ(ThreadCount(), threads);
  EXPECT_TRUE(messages.texts().empty());
}

}  // namespace
