#pragma once
// The main window built in a temporary folder that stands in for the executable's, with the
// dialog hook scripted and, when a test needs one, the device emulator behind Config/COMn.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

#include "ScriptedDialogs.h"
#include "config/AppPaths.h"
#include "config/MuxConfig.h"
#include "device/DeviceEmulator.h"
#include "shell/QR7714_Conf.h"
#include "ui/Edit.h"
#include "ui/Led.h"
#include "ui/PictureButton.h"
#include "ui/RadioGroup.h"

class MainWindowTest : public ::testing::Test {
 protected:
  static constexpr int kDevicePort = 3;

  void SetUp() override;
  void TearDown() override;

  // Creates, shows and activates the window (activation reads the port file).
  void OpenWindow();
  // Starts an unpaced emulator behind Config/COM<port>.
  DeviceEmulator& StartDevice(EmulatorFault fault = EmulatorFault::None, int port = kDevicePort);
  // Starts the device, chooses its port in the menu and connects.
  void ConnectToDevice(EmulatorFault fault = EmulatorFault::None);

  // Types into an edit as a user would and leaves it for another control.
  void TypeAndLeave(QWidget* edit, const QString& text);
  void Leave();

  QString PathInDir(const QString& name) const { return dir.filePath(name); }
  QStringList ListLines() const;  // the lines of lst_Prog
  // Two programs named in record and list, a ghost entry, network name "Rede", the rate 38000000
  // typed in Byte mode and `tsidText` set in its field (not left).
  void ConfigureTwoPrograms(const QString& tsidText);

  ui::testing::ScriptedDialogs dialogs;
  QTemporaryDir dir;
  AppPaths paths;
  std::unique_ptr<DeviceEmulator> device;
  std::unique_ptr<Tfrm_CfgMux> window;
  bool processEnded = false;
};

QByteArray FileBytes(const std::filesystem::path& path);

// Types any text key by key (also characters QTest::keyClicks cannot map to a key).
void TypeText(QWidget* target, const QString& text);

// Record builders for the tests.
void SetServiceName(MuxConfig& cfg, int slot, const char* name);
// A program on input 1 with PCR and video on one PID and one audio stream, numbered from `slot`.
void AddSimpleProgram(MuxConfig& cfg, const char* name);
void AddGhostEntry(MuxConfig& cfg, int16_t input, int16_t pidIn, int16_t pidOut);
