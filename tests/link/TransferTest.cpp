// The transfer protocol and the Send and Get flows end to end, against the device emulator on a
// pseudo-terminal reached through Config/COM3, with every fault mode and the code it must give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "LinkTestSupport.h"
#include "image/ImageWriter.h"
#include "link/DeviceCommands.h"
#include "link/Ser350.h"
#include "link/Utiltrp.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPsiVersion = 5;
constexpr bool kPaced = true;
constexpr bool kUnpaced = false;

EmulatorOptions Device(bool paced, EmulatorFault fault = EmulatorFault::None, std::vector<uint8_t> stored = {}) {
  EmulatorOptions options;
  options.paced = paced;
  options.fault = fault;
  options.storedImage = std::move(stored);
  return options;
}

TEST(CompareImageFilesTest, CodesFollowTheFirstProblemFound) {
  const TempDir dir;
  const auto file = [&](const char* name, const std::vector<uint8_t>& bytes) {
    WriteBytes(dir.path() / name, bytes);
    return dir.path() / name;
  };
  std::vector<uint8_t> changed = TestImage(3);
  changed.back() ^= 1;
  struct Case {
    const char* what;
    fs::path a;
    fs::path b;
    int code;
  };
  const Case cases[] = {
      {"equal", file("a", TestImage(3)), file("b", TestImage(3)), 0},
      {"first missing", dir.path() / "none", file("c", TestImage(3)), 1},
      {"second missing", file("d", TestImage(3)), dir.path() / "none", 2},
      {"sizes differ", file("e", TestImage(3)), file("f", TestImage(2)), 3},
      {"170 packets are compared", file("g", TestImage(170)), file("h", TestImage(170)), 0},
      {"171 packets are too many", file("i", TestImage(171)), file("j", TestImage(171)), 4},
      {"last byte differs", file("k", TestImage(3)), file("l", changed), 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CompareImageFiles(c.a, c.b), c.code);
  }
}

// A link to an emulator through Config/COM3, connected.
class EmulatedDeviceTest : public ::testing::Test {
 protected:
  void Connect(EmulatorOptions options) {
    device = StartEmulator(folder, std::move(options));
    ASSERT_EQ(LinkOpen(kTestPort), 1);
    DiscardReceivedPackets();
  }
  void TearDown() override { LinkClose(); }  // before the device goes

  ConfigFolder folder;
  CapturedMessages messages;
  AppPaths paths = folder.paths();
  std::unique_ptr<DeviceEmulator> device;
};

TEST_F(EmulatedDeviceTest, SendLoadsTheImageAndVerifiesIt) {
  Connect(Device(kPaced));
  for (const int programs : {1, 12, 41, 100}) {
    SCOPED_TRACE(std::to_string(programs) + " programs");
    const auto cfg = TestConfig(programs);
    ASSERT_FALSE(SendRefusal(*cfg));
    EXPECT_EQ(BuildImage(*cfg, kPsiVersion, paths), 0);
    EXPECT_EQ(device->storedImage(), ReadBytes(paths.imageToSend));
    EXPECT_EQ(ReadBytes(paths.imageReadBack), ReadBytes(paths.imageToSend));
  }
  EXPECT_TRUE(messages.texts().empty());
}

TEST_F(EmulatedDeviceTest, GetBringsTheRecordBack) {
  const auto sent = TestConfig(12, 5);
  Connect(Device(kUnpaced));
  ASSERT_EQ(BuildImage(*sent, kPsiVersion, paths), 0);

  auto received = std::make_unique<MuxConfig>();
  int psiVersion = 0;
  const GetOutcome outcome = GetFromDevice(*received, psiVersion, paths);
  EXPECT_EQ(outcome.receiveResult, 0);
  EXPECT_TRUE(outcome.fileRead);
  EXPECT_EQ(outcome.parsed.programCount, 12);
  EXPECT_EQ(outcome.parsed.networkNameText, "LinkNet");
  EXPECT_EQ(psiVersion, kPsiVersion);
  EXPECT_EQ(received->B.GhostTable.Count, 5);
  // What came back builds the very image that was sent.
  EXPECT_EQ(BuildImagePackets(*received, psiVersion), BuildImagePackets(*sent, kPsiVersion));
}

TEST_F(EmulatedDeviceTest, TheTransferReportsItsProgress) {
  Connect(Device(kUnpaced));
  WriteBytes(paths.imageToSend, TestImage(6));
  std::vector<TransferProgress> reports;
  const auto record = [&](const TransferProgress& p) { reports.push_back(p); };
  ASSERT_EQ(TransferImage(paths.imageToSend, paths.imageReadBack, record), 0);

  const auto last = [&](TransferPhase phase) {
    const auto it = std::find_if(reports.rbegin(), reports.rend(), [&](const auto& p) { return p.phase == phase; });
    return it == reports.rend() ? TransferProgress{phase, -1, -1} : *it;
  };
  EXPECT_EQ(last(TransferPhase::Loading).packetsDone, 6);
  EXPECT_EQ(last(TransferPhase::Loading).packetsTotal, 6);
  EXPECT_EQ(last(TransferPhase::PlayingBack).packetsDone, 6);
  EXPECT_EQ(reports.back().phase, TransferPhase::Verifying);
  // The one-second pause alone is reported many times over, so a window can repaint.
  EXPECT_GT(reports.size(), 50u);
}

// Each fault of the device against a load of a small image, and what the transfer makes of it.
TEST_F(EmulatedDeviceTest, EveryDeviceFaultGivesItsCode) {
  struct Case {
    EmulatorFault fault;
    int code;
  };
  const Case cases[] = {
      {EmulatorFault::None, 0},
      {EmulatorFault::NoiseBeforeCycle, 0},
      {EmulatorFault::Silent, 3},
      {EmulatorFault::DoubledHeader, 6},
      {EmulatorFault::CorruptPlayback, 10},
      {EmulatorFault::HangUpAfterLoad, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(EmulatorFaultName(c.fault)));
    Connect(Device(kUnpaced, c.fault));
    WriteBytes(paths.imageToSend, TestImage(4));
    EXPECT_EQ(TransferImage(paths.imageToSend, paths.imageReadBack), c.code);
    EXPECT_EQ(device->storedImage(), TestImage(4));
    LinkClose();
  }
}

TEST_F(EmulatedDeviceTest, AHangUpSaysThePortIsGone) {
  Connect(Device(kUnpaced, EmulatorFault::HangUpAfterLoad));
  WriteBytes(paths.imageToSend, TestImage(4));
  EXPECT_EQ(TransferImage(paths.imageToSend, paths.imageReadBack), 11);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"COM3 não disponivel"});
  EXPECT_EQ(LinkIsConnected(), 0);
}

TEST_F(EmulatedDeviceTest, ALinkLostMidTransferEndsWithACodeAndAllowsANewConnect) {
  Connect(Device(kPaced, EmulatorFault::LinkLostMidLoad));
  const auto cfg = TestConfig(41);
  EXPECT_EQ(BuildImage(*cfg, kPsiVersion, paths), 11);
  EXPECT_TRUE(device->lineDropped());
  EXPECT_EQ(LinkIsConnected(), 0);

  Connect(Device(kUnpaced));  // the device is back
  EXPECT_EQ(LinkIsConnected(), 1);
  EXPECT_EQ(BuildImage(*cfg, kPsiVersion, paths), 0);
}

TEST_F(EmulatedDeviceTest, ASilentDeviceGivesAFailedPlayBack) {
  Connect(Device(kUnpaced, EmulatorFault::Silent, TestImage(4)));
  auto cfg = TestConfig(2);
  const auto before = *cfg;
  int psiVersion = 9;
  const GetOutcome outcome = GetFromDevice(*cfg, psiVersion, paths);
  EXPECT_EQ(outcome.receiveResult, 2);
  EXPECT_FALSE(outcome.fileRead);
  EXPECT_EQ(psiVersion, 9);
  EXPECT_EQ(std::memcmp(cfg.get(), &before, sizeof before), 0);
}

TEST_F(EmulatedDeviceTest, FilesThatCannotBeUsedGiveTheirCodesAndStopTheDevice) {
  Connect(Device(kUnpaced, EmulatorFault::None, TestImage(3)));
  EXPECT_EQ(TransferImage(folder.dir() / "missing.img", paths.imageReadBack), 1);
  WriteBytes(paths.imageToSend, TestImage(3));
  EXPECT_EQ(TransferImage(paths.imageToSend, folder.dir() / "no-folder" / "back.img"), 2);
  // An image with a trailing partial packet: the part is not sent, so the sizes differ.
  std::vector<uint8_t> ragged = TestImage(3);
  ragged.resize(ragged.size() + 100, 0x11);
  WriteBytes(paths.imageToSend, ragged);
  EXPECT_EQ(TransferImage(paths.imageToSend, paths.imageReadBack), 6);
  // Every operation ends with a stop: nothing more arrives.
  DevicePacket late;
  EXPECT_FALSE(TakePacketWithin(late, std::chrono::milliseconds(300)));
}

TEST_F(EmulatedDeviceTest, APlayBackWithoutAHeaderEndsInsteadOfRunningForever) {
  // A device that keeps playing packets but never a header: the read-back gives up after what
  // the largest image could hold instead of waiting for a header that never comes.
  std::vector<uint8_t> headerless;
  for (int k = 0; k < 10; ++k) {
    const DevicePacket table = TestPacket(kTsSync, k);
    headerless.insert(headerless.end(), table.begin(), table.end());
  }
  Connect(Device(kUnpaced, EmulatorFault::None, headerless));
  EXPECT_EQ(ReceiveImageFile(paths.imageReadBack), 2);
  EXPECT_TRUE(ReadBytes(paths.imageReadBack).empty());
  EXPECT_EQ(LinkIsConnected(), 1);
}

TEST(SendRefusalTest, OnlyWhatTheImageCanCarryIsSent) {
  const auto ghostsOnly = TestConfig(0, 3);
  const auto tooManyPcrs = TestConfig(60);  // 54 programs with a PCR is the most list B holds
  for (int k = 54; k < 60; ++k) {
    tooManyPcrs->A.Programs[k].PcrPidIn = tooManyPcrs->A.Programs[k].VideoPidIn;
    tooManyPcrs->A.Programs[k].PcrPidOut = tooManyPcrs->A.Programs[k].VideoPidOut;
  }
  EXPECT_EQ(SendRefusal(*TestConfig(0)), "Nothing to send: add programs or ghost PIDs first.");
  EXPECT_FALSE(SendRefusal(*TestConfig(100)));
  EXPECT_FALSE(SendRefusal(*ghostsOnly));
  const auto refusal = SendRefusal(*tooManyPcrs);
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("60"), std::string::npos) << *refusal;
}

TEST(BuildImageTest, AnImageFileThatCannotBeCreatedGivesOne) {
  const ConfigFolder folder;
  AppPaths paths = folder.paths();
  paths.imageToSend = folder.dir() / "no-folder" / "image";
  EXPECT_EQ(BuildImage(*TestConfig(1), kPsiVersion, paths), 1);
}

}  // namespace
