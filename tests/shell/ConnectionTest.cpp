// Start-up, the port choice and its file, Connect and Disconnect with the window's state table,
// Exit and About.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>

#include "MainWindowFixture.h"
#include "config/MuxFile.h"
#include "config/SharedRecord.h"
#include "link/Ser350.h"
#include "shell/QR7714_About.h"
#include "ui/Edit.h"
#include "ui/Led.h"
#include "ui/PictureButton.h"
#include "ui/RadioGroup.h"

namespace {

enum Column { kAtStart, kAfterConnect, kAfterDisconnect };

struct ControlRow {
  const char* name;
  std::function<bool(Tfrm_CfgMux&)> enabled;
  std::array<bool, 3> expected;
};

template <class Control>
std::function<bool(Tfrm_CfgMux&)> Enabled(Control* Tfrm_CfgMux::*member) {
  return [member](Tfrm_CfgMux& w) { return (w.*member)->isEnabled(); };
}

// The window's state table, control by control. bt_Save is enabled by the Add done before
// Connect's column is read back, so the table's "unchanged" column holds for the others only.
const std::vector<ControlRow>& StateTable() {
  static const std::vector<ControlRow> rows = {
      {"bt_Connect", Enabled(&Tfrm_CfgMux::bt_Connect), {true, false, true}},
      {"mn_Connect", Enabled(&Tfrm_CfgMux::mn_Connect), {true, false, true}},
      {"bt_Disconnect", Enabled(&Tfrm_CfgMux::bt_Disconnect), {false, true, false}},
      {"mn_Disconnect", Enabled(&Tfrm_CfgMux::mn_Disconnect), {false, true, false}},
      {"mn_Port", [](Tfrm_CfgMux& w) { return w.mn_Port->menuAction()->isEnabled(); }, {true, false, true}},
      {"bt_Add", Enabled(&Tfrm_CfgMux::bt_Add), {false, true, false}},
      {"bt_Get", Enabled(&Tfrm_CfgMux::bt_Get), {false, true, false}},
      {"bt_Open", Enabled(&Tfrm_CfgMux::bt_Open), {false, true, false}},
      {"bt_Ghost", Enabled(&Tfrm_CfgMux::bt_Ghost), {false, true, false}},
      {"txt_NameProg", Enabled(&Tfrm_CfgMux::txt_NameProg), {false, true, false}},
      {"txt_NetName", Enabled(&Tfrm_CfgMux::txt_NetName), {false, true, false}},
      {"txt_TSID", Enabled(&Tfrm_CfgMux::txt_TSID), {false, true, false}},
      {"txt_BitRate", Enabled(&Tfrm_CfgMux::txt_BitRate), {false, true, false}},
      {"bt_Edit", Enabled(&Tfrm_CfgMux::bt_Edit), {false, false, false}},
      {"bt_Delete", Enabled(&Tfrm_CfgMux::bt_Delete), {false, false, false}},
      {"bt_Clear", Enabled(&Tfrm_CfgMux::bt_Clear), {false, false, false}},
      {"bt_Save", Enabled(&Tfrm_CfgMux::bt_Save), {false, false, false}},
      {"bt_Send", Enabled(&Tfrm_CfgMux::bt_Send), {false, false, false}},
      {"RedLed visible", [](Tfrm_CfgMux& w) { return w.RedLed->isVisible(); }, {true, false, true}},
      {"rdg_Mode", Enabled(&Tfrm_CfgMux::rdg_Mode), {true, true, true}},
      {"bt_About", Enabled(&Tfrm_CfgMux::bt_About), {true, true, true}},
      {"bt_Exit", Enabled(&Tfrm_CfgMux::bt_Exit), {true, true, true}},
  };
  return rows;
}

void ExpectColumn(Tfrm_CfgMux& window, Column column) {
  for (const ControlRow& row : StateTable())
    EXPECT_EQ(row.enabled(window), row.expected[column]) << row.name << " in column " << column;
}

TEST_F(MainWindowTest, StateTableAtStartAfterConnectAndAfterDisconnect) {
  OpenWindow();
  ExpectColumn(*window, kAtStart);
  EXPECT_EQ(window->lbl_Status->text(), "Disconnected");
  EXPECT_EQ(window->rdg_Mode->itemIndex(), 0);
  EXPECT_EQ(window->windowTitle(), "QR7710-4 Multiplixer 4x1 - Corvane");
  EXPECT_EQ(window->centralWidget()->size(), QSize(652, 463));

  ConnectToDevice();
  ExpectColumn(*window, kAfterConnect);
  EXPECT_TRUE(LinkIsConnected());

  // Disconnect after a loaded configuration: list and fields emptied, ghost table kept.
  MuxConfig& cfg = SharedMuxConfig();
  AddSimpleProgram(cfg, "News");
  cfg.A.TransportStreamId = 9;
  AddGhostEntry(cfg, 2, 300, 400);
  window->lst_Prog->addItem("News");
  for (ui::Edit* edit : {window->txt_NameProg, window->txt_NetName, window->txt_TSID, window->txt_BitRate})
    edit->setText("1");
  window->bt_Disconnect->click();
  ExpectColumn(*window, kAfterDisconnect);
  EXPECT_FALSE(LinkIsConnected());
  EXPECT_EQ(window->lbl_Status->text(), "Disconnected!");
  EXPECT_EQ(window->lst_Prog->count(), 0);
  for (ui::Edit* edit : {window->txt_NameProg, window->txt_NetName, window->txt_TSID, window->txt_BitRate})
    EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_EQ(cfg.A.ProgramCount, 0);
  EXPECT_EQ(cfg.A.TransportStreamId, 0);
  EXPECT_EQ(cfg.B.GhostTable.Count, 1);
}

TEST_F(MainWindowTest, ConnectToAPortThatIsNotThereShowsTheLinkMessageAndStaysDisconnected) {
  // No port file: port 0. Then a port whose Config link leads nowhere.
  OpenWindow();
  EXPECT_EQ(window->lbl_PortSerial->text(), " 0 ");
  dialogs.expectMessage(QString::fromUtf8("COM0 n\u00e3o disponivel"), ui::kMbStop, ui::kIdOk, kLinkCaption);
  window->bt_Connect->click();
  ExpectColumn(*window, kAtStart);

  std::filesystem::create_symlink(paths.configDir / "no-such-device", paths.configDir / "COM5");
  window->mn_PortItems[4]->trigger();
  dialogs.expectMessage(QString::fromUtf8("COM5 n\u00e3o disponivel"), ui::kMbStop, ui::kIdOk, kLinkCaption);
  window->mn_Connect->trigger();
  ExpectColumn(*window, kAtStart);
  EXPECT_EQ(window->lbl_Status->text(), "Disconnected");
}

TEST_F(MainWindowTest, LostDeviceIsReportedFromTheReaderThreadOnTheUiThread) {
  OpenWindow();
  ConnectToDevice();
  // The cable is pulled and the port has gone: the reader fails to reconnect and reports it.
  device->stop();
  dialogs.expectMessage(QString::fromUtf8("COM3 n\u00e3o disponivel"), ui::kMbStop, ui::kIdOk, kLinkCaption);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.allConsumed(); }, 5000));
  EXPECT_FALSE(LinkIsConnected());
}

TEST_F(MainWindowTest, PortFileMarksTheMenuAndAMenuChoiceRewritesIt) {
  ASSERT_TRUE(WritePortFile(paths.portFile, 3));
  OpenWindow();
  EXPECT_EQ(window->lbl_PortSerial->text(), " 3 ");
  EXPECT_EQ(window->ComPort(), 3);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(window->mn_PortItems[i]->isChecked(), i == 2) << "item " << i + 1;

  window->mn_PortItems[6]->trigger();
  EXPECT_EQ(window->lbl_PortSerial->text(), " 7");
  EXPECT_EQ(FileBytes(paths.portFile), QByteArray("\x07\x00", 2));
  for (int i = 0; i < 9; ++i) EXPECT_EQ(window->mn_PortItems[i]->isChecked(), i == 6) << "item " << i + 1;

  // Choosing the checked item again keeps it checked.
  window->mn_PortItems[6]->trigger();
  EXPECT_TRUE(window->mn_PortItems[6]->isChecked());
  EXPECT_EQ(window->ComPort(), 7);
}

TEST_F(MainWindowTest, PortOutsideTheMenuIsShownButMarksNothing) {
  ASSERT_TRUE(WritePortFile(paths.portFile, 12));
  OpenWindow();
  EXPECT_EQ(window->lbl_PortSerial->text(), " 12 ");
  for (QAction* item : window->mn_PortItems) EXPECT_FALSE(item->isChecked());
}

TEST_F(MainWindowTest, ActivationRereadsThePortFile) {
  OpenWindow();
  window->mn_PortItems[1]->trigger();
  ASSERT_TRUE(WritePortFile(paths.portFile, 8));  // changed behind the window's back
  window->FormActivate();
  EXPECT_EQ(window->ComPort(), 8);
  EXPECT_EQ(window->lbl_PortSerial->text(), " 8 ");
  // A missing file sets the port to 0 and leaves the label.
  std::filesystem::remove(paths.portFile);
  window->FormActivate();
  EXPECT_EQ(window->ComPort(), 0);
  EXPECT_EQ(window->lbl_PortSerial->text(), " 8 ");
}

TEST_F(MainWindowTest, MissingConfigFolderIsCreatedSoThePortChoiceLasts) {
  std::filesystem::remove_all(paths.configDir);
  OpenWindow();
  window->mn_PortItems[3]->trigger();
  EXPECT_EQ(FileBytes(paths.portFile), QByteArray("\x04\x00", 2));
  window->FormActivate();
  EXPECT_EQ(window->ComPort(), 4);
}

TEST_F(MainWindowTest, ExitClosesTheLinkAndEndsTheProcess) {
  OpenWindow();
  ConnectToDevice();
  window->bt_Exit->click();
  EXPECT_FALSE(LinkIsConnected());
  EXPECT_TRUE(processEnded);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ClockShowsTheTimeOfDay) {
  OpenWindow();
  EXPECT_TRUE(QRegularExpression("^ \\d\\d:\\d\\d:\\d\\d$").match(window->lbl_Timer->text()).hasMatch())
      << window->lbl_Timer->text().toStdString();
}

TEST_F(MainWindowTest, AboutBoxOpensModallyAndOkClosesIt) {
  OpenWindow();
  dialogs.expectModal([](QDialog& dialog) {
    auto& about = dynamic_cast<Tfrm_About&>(dialog);
    EXPECT_EQ(frm_About, &about);
    EXPECT_EQ(about.windowTitle(), "QR7710-4 Multiplixer 4x1 - Corvane");
    EXPECT_EQ(about.lbl_Version->text(), "Version 2.0");
    about.bt_Ok->click();
  });
  window->bt_About->click();
  EXPECT_EQ(frm_About, nullptr);
}

}  // namespace
