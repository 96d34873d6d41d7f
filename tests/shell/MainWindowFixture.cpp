#include "MainWindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <cstring>

#include "config/SharedRecord.h"
#include "link/Ser350.h"
#include "shell/LinkMessages.h"
#include "ui/BusyDialog.h"
#include "ui/Edit.h"

void MainWindowTest::SetUp() {
  ASSERT_TRUE(dir.isValid());
  paths = PathsBeside(dir.path().toStdString());
  ASSERT_TRUE(EnsureConfigDir(paths));
  SetLinkConfigDir(paths.configDir);
  InstallLinkMessageBoxes();
  SharedMuxConfig() = MuxConfig{};
  SharedPsiVersion() = 0;
}

void MainWindowTest::TearDown() {
  LinkClose();
  window.reset();
  if (device) device->stop();
  QApplication::processEvents();
}

void MainWindowTest::OpenWindow() {
  window = std::make_unique<Tfrm_CfgMux>(paths);
  window->EndProcess = [this] { processEnded = true; };
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

DeviceEmulator& MainWindowTest::StartDevice(EmulatorFault fault, int port) {
  EmulatorOptions options;
  options.paced = pacedDevice;
  options.fault = fault;
  options.linkPath = paths.configDir / ("COM" + std::to_string(port));
  device = std::make_unique<DeviceEmulator>(options);
  const std::optional<std::string> error = device->start();
  EXPECT_FALSE(error.has_value()) << *error;
  return *device;
}

void MainWindowTest::ConnectToDevice(EmulatorFault fault) {
  StartDevice(fault);
  window->mn_PortItems[kDevicePort - 1]->trigger();
  window->bt_Connect->click();
  ASSERT_EQ(window->lbl_Status->text(), "Connected!");
}

void MainWindowTest::TypeAndLeave(QWidget* edit, const QString& text) {
  edit->setFocus();
  TypeText(edit, text);
  Leave();
}

void MainWindowTest::Leave() {
  // The list takes the focus, as a click into it would.
  window->lst_Prog->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
}

QStringList MainWindowTest::ListLines() const {
  QStringList lines;
  for (int i = 0; i < window->lst_Prog->count(); ++i) lines << window->lst_Prog->item(i)->text();
  return lines;
}

void MainWindowTest::ConfigureTwoPrograms(const QString& tsidText) {
  MuxConfig& cfg = SharedMuxConfig();
  std::strcpy(cfg.A.NetworkName, "Rede");
  for (const char* name : {"One", "Two"}) {
    AddSimpleProgram(cfg, name);
    window->lst_Prog->addItem(name);
  }
  AddGhostEntry(cfg, 2, 500, 600);
  TypeAndLeave(window->txt_BitRate, "38000000");
  window->txt_TSID->setText(tsidText);
}

QByteArray FileBytes(const std::filesystem::path& path) {
  QFile file(QString::fromStdString(path.string()));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTimer* WatchProgress(Tfrm_CfgMux& window, ProgressWatch& watch) {
  auto* timer = new QTimer(&window);
  QObject::connect(timer, &QTimer::timeout, &window, [&window, &watch] {
    if (!watch.typedWhileBusy) {
      watch.typedWhileBusy = true;
      QTest::keyClick(window.windowHandle(), Qt::Key_Z, {});
      QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                        window.bt_Clear->mapTo(&window, window.bt_Clear->rect().center()));
    }
    auto* busy = qobject_cast<ui::BusyDialog*>(QApplication::activeModalWidget());
    if (busy == nullptr) return;
    watch.sawBusyModal = true;
    if (watch.values.empty() || watch.values.back() != busy->progressValue())
      watch.values.push_back(busy->progressValue());
  });
  timer->start(5);
  return timer;
}

void SetServiceName(MuxConfig& cfg, int slot, const char* name) {
  char* field = cfg.A.Services[slot].ServiceName;
  std::memset(field, 0, sizeof cfg.A.Services[slot].ServiceName);
  std::strncpy(field, name, kNameBytes);
}

void AddSimpleProgram(MuxConfig& cfg, const char* name) {
  const int k = cfg.A.ProgramCount++;
  const auto base = static_cast<int16_t>(0x100 + 0x10 * k);
  cfg.A.InputOfProgram[k] = 1;
  cfg.A.PmtPidOfProgram[k] = base;
  ServiceEntry& service = cfg.A.Services[k];
  service = ServiceEntry{};
  service.ServiceId = static_cast<uint16_t>(k + 1);
  SetServiceName(cfg, k, name);
  std::strncpy(service.ProviderName, "Corvane", kNameBytes);
  ProgramEntry& p = cfg.A.Programs[k];
  p = ProgramEntry{};
  p.PmtPid = base;
  p.ServiceId = static_cast<uint16_t>(k + 1);
  p.PcrPidIn = p.VideoPidIn = static_cast<int16_t>(base + 1);
  p.PcrPidOut = p.VideoPidOut = static_cast<int16_t>(base + 0x801);
  for (AudioStream& a : p.Audio) a.PidIn = a.PidOut = kNoPid;
  for (DataStream& d : p.Data) d.PidIn = d.PidOut = kNoPid;
  p.Audio[0].PidIn = static_cast<int16_t>(base + 2);
  p.Audio[0].PidOut = static_cast<int16_t>(base + 0x802);
  p.GeneratePmt = 1;
}

void AddGhostEntry(MuxConfig& cfg, int16_t input, int16_t pidIn, int16_t pidOut) {
  GhostPidTable& ghosts = cfg.B.GhostTable;
  ghosts.Input[ghosts.Count] = input;
  ghosts.PidIn[ghosts.Count] = pidIn;
  ghosts.PidOut[ghosts.Count] = pidOut;
  ++ghosts.Count;
}
