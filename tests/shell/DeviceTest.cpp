// Send and Get against the emulated device. Every transfer costs over a second, so the cases are
// few and each checks several things.
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "MainWindowFixture.h"
#include "config/Pacing.h"
#include "config/SharedRecord.h"
#include "image/ImageWriter.h"
#include "link/DeviceCommands.h"
#include "link/Ser350.h"
#include "ui/BusyDialog.h"
#include "ui/Edit.h"
#include "ui/PictureButton.h"
#include "ui/RadioGroup.h"

namespace {

const QString kNotConnected = QString::fromUtf8("Sem comunica\u00e7\u00e3o serial.");

class DeviceTransfer : public MainWindowTest {};

TEST_F(DeviceTransfer, SendLoadsTheDeviceAndGetReadsTheConfigurationBack) {
  OpenWindow();
  ConnectToDevice();
  ConfigureTwoPrograms("5");
  window->bt_Clear->setEnabled(true);
  window->txt_NameProg->setFocus();

  ProgressWatch watch;
  QTimer* watcher = WatchProgress(*window, watch);
  dialogs.expectMessage("Process successful!", ui::kMbInformation);
  window->bt_Send->setEnabled(true);
  window->bt_Send->click();
  delete watcher;

  const MuxConfig& cfg = SharedMuxConfig();
  EXPECT_EQ(SharedPsiVersion(), 1);
  EXPECT_EQ(cfg.A.TransportStreamId, 5);
  EXPECT_EQ(cfg.A.NetworkParams.BitRate, 38001122);
  EXPECT_EQ(device->completedLoads(), 1);
  const QByteArray sent = FileBytes(paths.imageToSend);
  const std::vector<uint8_t> stored = device->storedImage();
  EXPECT_EQ(sent, QByteArray(reinterpret_cast<const char*>(stored.data()), static_cast<qsizetype>(stored.size())));
  // The window repainted and ran timers during the transfer but took no input.
  EXPECT_TRUE(watch.sawBusyModal);
  EXPECT_GE(watch.values.size(), 3u) << "the progress advanced";
  EXPECT_TRUE(window->txt_NameProg->text().isEmpty());
  EXPECT_EQ(ListLines(), (QStringList{"One", "Two"})) << "the click on Clear was not taken";

  // Empty the window and the record's programs, then read the device back.
  SharedMuxConfig().A.ProgramCount = 0;
  window->lst_Prog->clear();
  window->rdg_Mode->setItemIndex(1);
  for (ui::Edit* edit : {window->txt_NetName, window->txt_BitRate, window->txt_TSID}) edit->setText(QString());
  SharedPsiVersion() = 9;
  window->bt_Get->click();

  EXPECT_EQ(ListLines(), (QStringList{"One", "Two"}));
  EXPECT_EQ(window->txt_NetName->text(), "Rede");
  EXPECT_EQ(window->txt_BitRate->text(), "38001122");
  EXPECT_EQ(window->rdg_Mode->itemIndex(), 0);
  EXPECT_EQ(window->txt_TSID->text(), "5");
  EXPECT_EQ(SharedPsiVersion(), 1);
  EXPECT_EQ(cfg.A.ProgramCount, 2);
  EXPECT_EQ(cfg.B.GhostTable.Count, 1);
  for (auto* b : {window->bt_Edit, window->bt_Delete, window->bt_Clear, window->bt_Save, window->bt_Send})
    EXPECT_TRUE(b->isEnabled());
}

TEST_F(DeviceTransfer, SendWithoutTheLinkChangesNothing) {
  OpenWindow();
  MuxConfig& cfg = SharedMuxConfig();
  AddSimpleProgram(cfg, "One");
  window->txt_TSID->setText("5");
  const MuxConfig before = cfg;
  dialogs.expectMessage(kNotConnected, ui::kMbStop);
  window->bt_SendClick();
  EXPECT_EQ(SharedPsiVersion(), 0);
  EXPECT_EQ(std::memcmp(&before, &cfg, sizeof before), 0);
}

TEST_F(DeviceTransfer, SendRefusesWhatTheImageCannotCarryBeforeAnythingChanges) {
  OpenWindow();
  ConnectToDevice();
  MuxConfig& cfg = SharedMuxConfig();
  window->txt_TSID->setText("5");
  const auto refuse = [&](const char* what) {
    const std::optional<std::string> refusal = SendRefusal(cfg);
    ASSERT_TRUE(refusal.has_value()) << what;
    const MuxConfig before = cfg;
    dialogs.expectMessage(QString::fromStdString(*refusal), ui::kMbExclamation);
    window->bt_SendClick();
    EXPECT_EQ(std::memcmp(&before, &cfg, sizeof before), 0) << what;
  };
  refuse("an empty configuration");
  for (int16_t pid = 0; pid < kMaxPidsPerInput + 1; ++pid) AddGhostEntry(cfg, 1, pid, static_cast<int16_t>(pid + 1000));
  refuse("45 map entries on input 1");
  EXPECT_EQ(SharedPsiVersion(), 0);
  EXPECT_EQ(device->completedLoads(), 0);
}

TEST_F(DeviceTransfer, SendWithARefusedRateSendsNothing) {
  OpenWindow();
  ConnectToDevice();
  AddSimpleProgram(SharedMuxConfig(), "One");
  window->txt_BitRate->setText("999999999");
  const BitRateRange range = AcceptedBitRateRange(true);
  dialogs.expectMessage(QString("Bit rate out of range. In Byte mode enter a rate from %1 to %2 bit/s, please.")
                            .arg(range.lowest)
                            .arg(range.highest),
                        ui::kMbExclamation);
  window->bt_SendClick();
  EXPECT_EQ(SharedPsiVersion(), 0);
  EXPECT_EQ(device->completedLoads(), 0);
}

TEST_F(DeviceTransfer, FailedVerificationShowsItsCodeAndKeepsTheNewValues) {
  OpenWindow();
  ConnectToDevice(EmulatorFault::CorruptPlayback);
  ConfigureTwoPrograms("5");
  SharedPsiVersion() = 31;
  dialogs.expectMessage("Error 10", ui::kMbStop);
  window->bt_SendClick();
  EXPECT_EQ(SharedPsiVersion(), 0);
  EXPECT_EQ(SharedMuxConfig().A.TransportStreamId, 5);
}

TEST_F(DeviceTransfer, SilentDeviceHasAnEmptyMemory) {
  OpenWindow();
  ConnectToDevice(EmulatorFault::Silent);
  ConfigureTwoPrograms("5");
  const MuxConfig before = SharedMuxConfig();
  dialogs.expectMessage("Mux memory is empty!", ui::kMbExclamation);
  window->bt_GetClick();
  EXPECT_EQ(std::memcmp(&before, &SharedMuxConfig(), sizeof before), 0);
  EXPECT_EQ(ListLines(), (QStringList{"One", "Two"}));
}

// A device that already holds an image (no load needed): Get alone.
class StoredImage : public DeviceTransfer {
 protected:
  void StartHolding(const MuxConfig& held, const std::function<void(std::vector<uint8_t>&)>& damage = {}) {
    std::vector<uint8_t> image;
    for (const DevicePacket& packet : BuildImagePackets(held, 4)) image.insert(image.end(), packet.begin(), packet.end());
    if (damage) damage(image);
    EmulatorOptions options;
    options.paced = false;
    options.storedImage = image;
    options.linkPath = paths.configDir / ("COM" + std::to_string(kDevicePort));
    device = std::make_unique<DeviceEmulator>(options);
    ASSERT_FALSE(device->start().has_value());
    window->mn_PortItems[kDevicePort - 1]->trigger();
    window->bt_Connect->click();
    ASSERT_TRUE(LinkIsConnected());
  }
};

TEST_F(StoredImage, GhostOnlyDeviceEmptiesTheProgramList) {
  OpenWindow();
  MuxConfig held{};
  AddGhostEntry(held, 4, 700, 800);
  held.B.NetworkParamsCopy.ByteGap = 0;
  StorePacing(held.B.NetworkParamsCopy, ComputePacing("27000000", false));
  StartHolding(held);
  ConfigureTwoPrograms("5");
  window->bt_GetClick();
  EXPECT_TRUE(ListLines().isEmpty());
  EXPECT_EQ(SharedMuxConfig().A.ProgramCount, 0);
  EXPECT_EQ(SharedMuxConfig().B.GhostTable.Count, 1);
  EXPECT_EQ(window->txt_BitRate->text(), "27000000");
  EXPECT_EQ(window->rdg_Mode->itemIndex(), 1);
  EXPECT_FALSE(window->bt_Edit->isEnabled());
  EXPECT_TRUE(window->bt_Save->isEnabled() && window->bt_Send->isEnabled());
}

TEST_F(StoredImage, EachBadMapPacketIsReportedOnce) {
  OpenWindow();
  MuxConfig held{};
  AddSimpleProgram(held, "Held");
  StartHolding(held, [](std::vector<uint8_t>& image) {
    for (int input : {1, 3}) image[kPacketSize * input + 1] = 0x07;  // not a map packet any more
  });
  dialogs.expectMessage("Error in file.", ui::kMbStop).expectMessage("Error in file.", ui::kMbStop);
  window->bt_GetClick();
  EXPECT_EQ(ListLines(), QStringList{"Held"});
}

}  // namespace
