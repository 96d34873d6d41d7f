#pragma once
// The main window built in a temporary folder that stands in for the executable's, with the
// dialog hook scripted and, when a test needs one, the device emulator behind Config/COMn.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

#include "ScriptedDialogs.h"
#include "UserInput.h"
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
  // Starts an emulator behind Config/COM<port>, unpaced unless `pacedDevice` is set.
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

  bool pacedDevice = false;  // the emulator keeps the line rate, as the device does
  ui::testing::ScriptedDialogs dialogs;
  QTemporaryDir dir;
  AppPaths paths;
  std::unique_ptr<DeviceEmulator> device;
  std::unique_ptr<Tfrm_CfgMux> window;
  bool processEnded = false;
};

QByteArray FileBytes(const std::filesystem::path& path);

// What a test sees of the progress window while a transfer runs on the UI thread.
struct ProgressWatch {
  std::vector<int> values;  // the progress values seen, each change once
  bool sawBusyModal = false;
  bool typedWhileBusy = false;
};

// Samples the progress window every 5 ms while it is up. The first tick comes inside the transfer
// (no event loop runs between starting the timer and the click on Send); it types into the main
// window and clicks Clear through the window system, as a user would. Delete the timer afterwards.
QTimer* WatchProgress(Tfrm_CfgMux& window, ProgressWatch& watch);

using ui::testing::TypeText;

// Record builders for the tests.
void SetServiceName(MuxConfig& cfg, int slot, const char* name);
// A program on input 1 with PCR and video on one PID and one audio stream, numbered from `slot`.
void AddSimpleProgram(MuxConfig& cfg, const char* name);
void AddGhostEntry(MuxConfig& cfg, int16_t input, int16_t pidIn, int16_t pidOut);
