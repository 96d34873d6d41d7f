// The application driven as a user drives it, against the device emulator at the line rate behind
// Config/COM1: a configuration typed into the main window and the editors, sent to the device,
// and read back after a new connection.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <cstring>

#include "MainWindowFixture.h"
#include "UserInput.h"
#include "config/SharedRecord.h"
#include "editors/QR7714_Ghost.h"
#include "editors/QR7714_Prog.h"
#include "editors/Subtitle.h"
#include "ui/BusyDialog.h"
#include "ui/Edit.h"
#include "ui/ListCombo.h"
#include "ui/ReportView.h"

namespace {

using ui::testing::Click;
using ui::testing::FocusTo;
using ui::testing::PickItem;
using ui::testing::RowTexts;
using ui::testing::TypeInto;

constexpr int kUserPort = 1;
constexpr int kAc3Item = 4;             // "AC3" in the audio type lists
constexpr int kEnglishItem = 127;       // "eng English" in the subtitle dialog's language list
constexpr int kSubtitlingTypeItem = 7;  // subtitling type 0x20
constexpr uint8_t kSubtitlingType = 0x20;
constexpr int kH264Item = 1;

const QStringList kNames{"News", "Sport", "Movies"};
constexpr int16_t kTsid = 4660;

// What the user enters for one program; empty texts are fields left empty.
struct ProgramInput {
  int inputItem;  // item of "In (ASI):", input inputItem + 1
  const char* serviceId;
  const char* pmt;
  bool generatePmt;
  const char* pcr[2];
  const char* video[2];
  int videoTypeItem;
  const char* audio[2];
  int audioTypeItem;
  const char* data[2];
  bool subtitled;  // data stream 1 gets English subtitles through "..."
};

constexpr std::array<ProgramInput, 3> kPrograms{{
    {1, "101", "256", true, {"300", "1300"}, {"300", "1300"}, 0, {"301", "1301"}, kAc3Item, {"302", "1302"}, true},
    {0, "102", "512", false, {"400", "1400"}, {"400", "1400"}, 0, {"401", "1401"}, 0, {"", ""}, false},
    {2, "103", "768", true, {"500", "1500"}, {"500", "1500"}, kH264Item, {"501", "1501"}, 1, {"", ""}, false},
}};

// The editor's table as it must show the three programs (output PIDs, "%4d", 8191 for none).
const std::array<QStringList, 3> kTableRows{{
    {"1", "Rede Sul", "News", "2", " 101", " 256", "1300", "1300", "1301", "8191", "8191", "8191", "1302", "8191"},
    {"2", "Rede Sul", "Sport", "1", " 102", " 512", "1400", "1400", "1401", "8191", "8191", "8191", "8191", "8191"},
    {"3", "Rede Sul", "Movies", "3", " 103", " 768", "1500", "1500", "1501", "8191", "8191", "8191", "8191", "8191"},
}};

// Counts the paint events that reach the progress window while it exists.
class ProgressPaints : public QObject {
 public:
  ProgressPaints() { qApp->installEventFilter(this); }
  ~ProgressPaints() override { qApp->removeEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      if (auto* widget = qobject_cast<QWidget*>(target); widget && qobject_cast<ui::BusyDialog*>(widget->window()))
        ++count;
    return false;
  }
};

class UserSession : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    pacedDevice = true;
    OpenWindow();
    StartDevice(EmulatorFault::None, kUserPort);
    window->mn_PortItems[kUserPort - 1]->trigger();
  }

  void Connect() {
    Click(window->bt_Connect);
    ASSERT_EQ(window->lbl_Status->text(), "Connected!") << "no connection through Config/COM1";
  }

  // Types a name and presses Enter in the name field.
  void AddName(const QString& name) {
    window->txt_NameProg->setFocus(Qt::MouseFocusReason);
    TypeText(window->txt_NameProg, name);
    QTest::keyClick(window->txt_NameProg, Qt::Key_Return);
  }

  // Clicks a button that opens `Form` modally; `drive` runs while it is shown and must close it.
  template <typename Form>
  void WithForm(QAbstractButton* button, std::function<void(Form&)> drive) {
    dialogs.expectModal([drive = std::move(drive)](QDialog& dialog) {
      auto* form = dynamic_cast<Form*>(&dialog);
      ASSERT_NE(form, nullptr) << "another dialog opened: " << dialog.metaObject()->className();
      drive(*form);
    });
    Click(button);
    ASSERT_TRUE(dialogs.allConsumed()) << Form::staticMetaObject.className() << " did not open";
  }

  void EnterProgram(Tfrm_CfgProg& editor, int nameItem, const ProgramInput& p) {
    PickItem(editor.cb_NameProg, nameItem);  // empties the entry fields for a new name
    PickItem(editor.cb_InAsi, p.inputItem);
    TypeInto(editor.txt_ServiceID, p.serviceId);
    TypeInto(editor.txt_PidPmt, p.pmt);
    if (editor.ckb_genPMT->isChecked() != p.generatePmt) Click(editor.ckb_genPMT);
    const std::array<std::pair<const StreamPidFields&, const char* const*>, 4> pairs{{
        {editor.pcr, p.pcr}, {editor.video, p.video}, {editor.audio[0], p.audio}, {editor.data[0], p.data}}};
    for (const auto& [fields, texts] : pairs) {
      TypeInto(fields.in, texts[0]);
      TypeInto(fields.out, texts[1]);
    }
    FocusTo(editor.txt_ServiceID);  // leaves the last PID field
    PickItem(editor.cb_VidType, p.videoTypeItem);
    PickItem(editor.cb_AudType[0], p.audioTypeItem);
    if (p.subtitled) {
      WithForm<Tfrm_Subtitle>(editor.bt_Sub1, [](Tfrm_Subtitle& subtitle) {
        Click(subtitle.chk_SubtitleEnable);
        EXPECT_TRUE(subtitle.rdg_DataTypeSubtitling->isChecked()) << "a 0x06 stream with a subtitling descriptor";
        PickItem(subtitle.cb_LanguageCode, kEnglishItem);
        PickItem(subtitle.cb_SubtitleType, kSubtitlingTypeItem);
        Click(subtitle.bt_Ok);
      });
    }
    Click(editor.bt_Ok);
  }

  static void ExpectTable(const Tfrm_CfgProg& editor) {
    ASSERT_EQ(editor.lst_Progs->rowCount(), static_cast<int>(kTableRows.size()));
    for (int row = 0; row < editor.lst_Progs->rowCount(); ++row)
      EXPECT_EQ(RowTexts(editor.lst_Progs, row), kTableRows[row]) << "table row " << row;
  }

  // The settings that the table does not show, as the record holds them.
  static void ExpectHiddenSettings() {
    const MuxConfig& cfg = SharedMuxConfig();
    const DataStream& data = cfg.A.Programs[0].Data[0];
    EXPECT_EQ(data.SubtitleEnabled, 1);
    EXPECT_EQ(data.Type, 0) << "subtitling descriptor on a 0x06 stream";
    EXPECT_STREQ(data.LanguageCode, "eng");
    EXPECT_EQ(data.SubtitlingType, kSubtitlingType);
    EXPECT_EQ(cfg.A.Programs[0].Audio[0].Type, kAc3Item);
    EXPECT_EQ(cfg.A.Programs[2].VideoType, kH264Item);
    for (int k = 0; k < static_cast<int>(kPrograms.size()); ++k)
      EXPECT_EQ(cfg.A.Programs[k].GeneratePmt, kPrograms[k].generatePmt ? 1 : 0) << k;
  }

  std::vector<std::array<int16_t, 3>> GhostEntries() const {
    const GhostPidTable& ghosts = SharedMuxConfig().B.GhostTable;
    std::vector<std::array<int16_t, 3>> entries;
    for (int i = 0; i < ghosts.Count; ++i) entries.push_back({ghosts.Input[i], ghosts.PidIn[i], ghosts.PidOut[i]});
    return entries;
  }
};

TEST_F(UserSession, ConfigurationTypedInIsSentAndReadBackAfterReconnecting) {
  Connect();
  TypeAndLeave(window->txt_NetName, "Rede Sul");
  TypeAndLeave(window->txt_BitRate, "38000000");
  EXPECT_EQ(window->txt_BitRate->text(), "38001122") << "the field shows the rate the pacing gives";
  TypeAndLeave(window->txt_TSID, "46x60");  // a slip of the finger: the key filter drops the letter
  ASSERT_EQ(window->txt_TSID->text(), QString::number(kTsid));
  for (const QString& name : kNames) AddName(name);
  ASSERT_EQ(ListLines(), kNames);

  WithForm<Tfrm_CfgProg>(window->bt_Edit, [this](Tfrm_CfgProg& editor) {
    for (int k = 0; k < static_cast<int>(kPrograms.size()); ++k) EnterProgram(editor, k, kPrograms[k]);
    ExpectTable(editor);
    Click(editor.bt_Exit);
  });
  ExpectHiddenSettings();
  WithForm<Tfrm_CfgGhost>(window->bt_Ghost, [](Tfrm_CfgGhost& editor) {
    PickItem(editor.cb_InASI, 3);
    TypeInto(editor.txt_PidInGhost, "700");
    TypeInto(editor.txt_PidOutGhost, "1700");
    QTest::keyClick(editor.txt_PidOutGhost, Qt::Key_Return);
    PickItem(editor.cb_InASI, 0);
    TypeInto(editor.txt_PidInGhost, "600");
    TypeInto(editor.txt_PidOutGhost, "1600");
    Click(editor.bt_Add);
    EXPECT_EQ(RowTexts(editor.lst_Ghost, 0), (QStringList{"4", " 700", "1700"}));
    EXPECT_EQ(RowTexts(editor.lst_Ghost, 1), (QStringList{"1", " 600", "1600"}));
    Click(editor.bt_Exit);
  });
  const std::vector<std::array<int16_t, 3>> ghosts{{4, 700, 1700}, {1, 600, 1600}};
  ASSERT_EQ(GhostEntries(), ghosts);
  ASSERT_TRUE(window->bt_Send->isEnabled()) << "the editors' Exit enables Send";

  // Send. Meanwhile the progress window advances and the main window takes no key and no click.
  ASSERT_TRUE(window->bt_Clear->isEnabled()) << "a click on Clear would ask to delete all";
  window->txt_NameProg->setFocus(Qt::MouseFocusReason);
  ProgressWatch watch;
  QTimer* watcher = WatchProgress(*window, watch);
  dialogs.expectMessage("Process successful!", ui::kMbInformation);
  {
    ProgressPaints paints;
    Click(window->bt_Send);
    EXPECT_GE(paints.count, 3) << "the progress window was not repainted during the transfer";
  }
  delete watcher;
  ASSERT_TRUE(dialogs.allConsumed()) << "Send showed no result";
  ASSERT_FALSE(HasFailure()) << "no read-back after the failures above";
  EXPECT_EQ(device->completedLoads(), 1);
  const std::vector<uint8_t> stored = device->storedImage();
  const QByteArray imageFile = FileBytes(paths.imageToSend);
  EXPECT_FALSE(imageFile.isEmpty());
  EXPECT_EQ(imageFile, QByteArray(reinterpret_cast<const char*>(stored.data()), static_cast<qsizetype>(stored.size())))
      << "the device stores the image file that Send wrote";
  EXPECT_TRUE(watch.sawBusyModal) << "no progress window during the transfer";
  EXPECT_GE(watch.values.size(), 3u) << "the progress window did not advance";
  EXPECT_TRUE(window->txt_NameProg->text().isEmpty()) << "a key reached the window during the transfer";
  EXPECT_EQ(ListLines(), kNames) << "a click on Clear was taken during the transfer";

  // A new connection starts empty; Get brings the device's configuration back.
  const MuxConfig sentRecord = SharedMuxConfig();
  Click(window->bt_Disconnect);
  ASSERT_TRUE(ListLines().isEmpty());
  for (const ui::Edit* field : {window->txt_NetName, window->txt_BitRate, window->txt_TSID})
    ASSERT_TRUE(field->text().isEmpty()) << field->objectName().toStdString() << " kept its text";
  ASSERT_EQ(SharedMuxConfig().A.ProgramCount, 0);
  Connect();
  Click(window->bt_Get);
  EXPECT_EQ(ListLines(), kNames);
  EXPECT_EQ(window->txt_NetName->text(), "Rede Sul");
  EXPECT_EQ(window->txt_BitRate->text(), "38001122");
  EXPECT_EQ(window->rdg_Mode->itemIndex(), Tfrm_CfgMux::kModeByte);
  EXPECT_EQ(window->txt_TSID->text(), QString::number(kTsid));
  const MuxConfig& got = SharedMuxConfig();
  for (int k = 0; k < static_cast<int>(kPrograms.size()); ++k) {
    EXPECT_EQ(std::memcmp(&sentRecord.A.Programs[k], &got.A.Programs[k], sizeof(ProgramEntry)), 0) << "program " << k;
    EXPECT_EQ(std::memcmp(&sentRecord.A.Services[k], &got.A.Services[k], sizeof(ServiceEntry)), 0) << "service " << k;
    EXPECT_EQ(sentRecord.A.InputOfProgram[k], got.A.InputOfProgram[k]) << "input of program " << k;
    EXPECT_EQ(sentRecord.A.PmtPidOfProgram[k], got.A.PmtPidOfProgram[k]) << "PMT PID of program " << k;
  }
  EXPECT_EQ(std::memcmp(&sentRecord.A.NetworkParams, &got.A.NetworkParams, sizeof got.A.NetworkParams), 0);
  EXPECT_EQ(got.A.TransportStreamId, kTsid);
  EXPECT_STREQ(got.A.NetworkName, "Rede Sul");
  // The device's maps run input by input, so the ghost PIDs come back in input order.
  EXPECT_EQ(GhostEntries(), (std::vector<std::array<int16_t, 3>>{ghosts[1], ghosts[0]}));
  ExpectHiddenSettings();

  WithForm<Tfrm_CfgProg>(window->bt_Edit, [this](Tfrm_CfgProg& editor) {
    ExpectTable(editor);
    // The editor shows the settings back: Generate PMT of the second program, AC-3 and the
    // subtitles of the first.
    ui::testing::ClickRow(editor.lst_Progs, 1);
    EXPECT_FALSE(editor.ckb_genPMT->isChecked());
    ui::testing::ClickRow(editor.lst_Progs, 0);
    EXPECT_TRUE(editor.ckb_genPMT->isChecked());
    EXPECT_EQ(editor.cb_AudType[0]->currentText(), "AC3");
    EXPECT_EQ(editor.data[0].in->text(), "302");
    WithForm<Tfrm_Subtitle>(editor.bt_Sub1, [](Tfrm_Subtitle& subtitle) {
      EXPECT_TRUE(subtitle.chk_SubtitleEnable->isChecked());
      EXPECT_TRUE(subtitle.rdg_DataTypeSubtitling->isChecked());
      EXPECT_EQ(subtitle.cb_LanguageCode->currentIndex(), kEnglishItem);
      EXPECT_EQ(subtitle.cb_SubtitleType->currentIndex(), kSubtitlingTypeItem);
      Click(subtitle.bt_Cancel);
    });
    Click(editor.bt_Exit);
  });
  ExpectHiddenSettings();
}

}  // namespace
