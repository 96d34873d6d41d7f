// Open and Save of .MUX files through the main window.
#include <QFile>
#include <QListWidget>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

#include "MainWindowFixture.h"
#include "config/MuxFile.h"
#include "config/Pacing.h"
#include "config/SharedRecord.h"
#include "ui/Edit.h"
#include "ui/PictureButton.h"
#include "ui/RadioGroup.h"

namespace {

class MuxFiles : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenWindow();
    ConnectToDevice();
  }

  QString SaveThroughWindow(const QString& name) {
    const QString path = PathInDir(name);
    dialogs.expectFileChoice(ui::FileDialogKind::Save, path);
    dialogs.expectMessage("File save successful!", ui::kMbExclamation);
    window->bt_SaveClick();
    return path;
  }

  // Opens `path` through the chooser; `messages` scripts what Open then shows.
  void Open(const QString& path, const std::function<void()>& messages = {}) {
    dialogs.expectFileChoice(ui::FileDialogKind::Open, path);
    if (messages) messages();
    window->bt_OpenClick();
  }
};

bool ButtonsEnabled(std::initializer_list<ui::PictureButton*> buttons) {
  for (auto* b : buttons)
    if (!b->isEnabled()) return false;
  return true;
}

TEST_F(MuxFiles, SaveThenOpenGivesTheSameRecordAndRefillsTheWindow) {
  ConfigureTwoPrograms("0042");  // the TSID field is never left: Save takes it anyway
  const QString path = SaveThroughWindow("config.mux");
  EXPECT_EQ(QFile(path).size(), static_cast<qint64>(kMuxFileSize));
  MuxConfig saved = SharedMuxConfig();
  EXPECT_EQ(saved.A.TransportStreamId, 42);
  EXPECT_EQ(saved.A.NetworkParams.BitRate, 38001122) << "the field's text is stored";

  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdYes);
  window->bt_ClearClick();
  window->txt_BitRate->setText(QString());
  Open(path);

  EXPECT_EQ(ListLines(), (QStringList{"One", "Two"}));
  EXPECT_EQ(window->txt_NetName->text(), "Rede");
  EXPECT_EQ(window->txt_TSID->text(), "42");
  EXPECT_EQ(window->txt_BitRate->text(), "38001122");
  EXPECT_TRUE(ButtonsEnabled({window->bt_Edit, window->bt_Delete, window->bt_Clear, window->bt_Save,
                              window->bt_Send}));
  // Open copies Block A's rate into Block B and recomputes the (unchanged) pacing.
  saved.B.NetworkParamsCopy.BitRate = saved.A.NetworkParams.BitRate;
  EXPECT_EQ(std::memcmp(&saved, &SharedMuxConfig(), sizeof saved), 0);
}

TEST_F(MuxFiles, OpenRecomputesThePacingInTheModeSelectedNow) {
  ConfigureTwoPrograms("0042");
  const QString path = SaveThroughWindow("mode.mux");
  window->rdg_Mode->setItemIndex(1);
  Open(path);
  EXPECT_EQ(SharedMuxConfig().A.NetworkParams.ByteGap, 0);
  EXPECT_EQ(PacingOf(SharedMuxConfig().A.NetworkParams), ComputePacing("38001122", false));
}

TEST_F(MuxFiles, StoredValueLongerThanItsFieldIsShownWholeAndSavedAgain) {
  ConfigureTwoPrograms("0042");
  MuxConfig stored = SharedMuxConfig();
  stored.A.TransportStreamId = 20000;  // more digits than the field lets anyone type
  const std::string path = PathInDir("tsid.mux").toStdString();
  ASSERT_TRUE(SaveMuxFile(path, stored));
  Open(QString::fromStdString(path));
  EXPECT_EQ(window->txt_TSID->text(), "20000");
  SaveThroughWindow("again.mux");
  EXPECT_EQ(SharedMuxConfig().A.TransportStreamId, 20000);
}

TEST_F(MuxFiles, GhostOnlyFileShowsBlockBAndEnablesSaveAndSend) {
  MuxConfig ghostsOnly{};
  std::strcpy(ghostsOnly.A.NetworkName, "Ghosts");
  AddGhostEntry(ghostsOnly, 2, 100, 200);
  ghostsOnly.B.NetworkParamsCopy.BitRate = 27000000;
  const std::string path = PathInDir("ghosts.mux").toStdString();
  ASSERT_TRUE(SaveMuxFile(path, ghostsOnly));

  Open(QString::fromStdString(path));
  EXPECT_TRUE(ListLines().isEmpty());
  EXPECT_EQ(window->txt_NetName->text(), "Ghosts");
  EXPECT_EQ(window->txt_BitRate->text(), "27000000");
  EXPECT_TRUE(window->txt_TSID->text().isEmpty());
  EXPECT_TRUE(window->bt_Save->isEnabled() && window->bt_Send->isEnabled());
  EXPECT_FALSE(window->bt_Edit->isEnabled() || window->bt_Delete->isEnabled() || window->bt_Clear->isEnabled());
  EXPECT_EQ(PacingOf(SharedMuxConfig().B.NetworkParamsCopy), ComputePacing("27000000", true));
}

TEST_F(MuxFiles, EmptyFileLeavesTheFieldsEmptyAndTheButtonsDisabled) {
  ConfigureTwoPrograms("0042");
  window->bt_Send->setEnabled(true);
  const std::string path = PathInDir("empty.mux").toStdString();
  ASSERT_TRUE(SaveMuxFile(path, MuxConfig{}));
  Open(QString::fromStdString(path));
  for (ui::Edit* edit : {window->txt_NetName, window->txt_BitRate, window->txt_TSID})
    EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_TRUE(ListLines().isEmpty());
  for (auto* b : {window->bt_Edit, window->bt_Delete, window->bt_Clear, window->bt_Save, window->bt_Send})
    EXPECT_FALSE(b->isEnabled());
}

TEST_F(MuxFiles, BadFileIsRefusedAndTheWindowShowsTheRecordAsItWas) {
  ConfigureTwoPrograms("0042");
  const MuxConfig before = SharedMuxConfig();
  struct BadFile {
    const char* name;
    QByteArray bytes;
  };
  QByteArray wrongCount(static_cast<int>(kMuxFileSize), '\0');
  wrongCount[offsetof(MuxBlockA, ProgramCount)] = static_cast<char>(101);
  for (const BadFile& bad : {BadFile{"short.mux", QByteArray(100, 'x')}, BadFile{"count.mux", wrongCount},
                             BadFile{"long.mux", QByteArray(static_cast<int>(kMuxFileSize) + 1, '\0')}}) {
    QFile file(PathInDir(bad.name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bad.bytes);
    file.close();
    Open(file.fileName(), [this] { dialogs.expectSimpleMessage("File corrupted!"); });
    EXPECT_EQ(std::memcmp(&before, &SharedMuxConfig(), sizeof before), 0) << bad.name;
    EXPECT_EQ(ListLines(), (QStringList{"One", "Two"})) << bad.name;
    EXPECT_EQ(window->txt_NetName->text(), "Rede");
  }
}

TEST_F(MuxFiles, MissingFileCannotBeOpened) {
  Open(PathInDir("absent.mux"), [this] { dialogs.expectMessage("Cannot open input file.", ui::kMbStop); });
  EXPECT_TRUE(ListLines().isEmpty());
}

TEST_F(MuxFiles, CancelledChoosersDoNothing) {
  ConfigureTwoPrograms("0042");
  dialogs.expectFileChoice(ui::FileDialogKind::Open, std::nullopt);
  window->bt_OpenClick();
  dialogs.expectFileChoice(ui::FileDialogKind::Save, std::nullopt);
  window->bt_SaveClick();
  EXPECT_EQ(ListLines(), (QStringList{"One", "Two"}));
  EXPECT_EQ(SharedMuxConfig().A.TransportStreamId, 0);
}

// Limits the size of files this process may write, for the lifetime of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

TEST_F(MuxFiles, FailedSaveReportsAnErrorAndKeepsTheOldFileAndTheRecord) {
  ConfigureTwoPrograms("0042");
  const QString path = SaveThroughWindow("keep.mux");
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  const QByteArray oldBytes = old.readAll();
  old.close();

  SharedMuxConfig().A.ProgramCount = 1;
  window->txt_TSID->setText("77");
  const MuxConfig before = SharedMuxConfig();
  {
    const FileSizeLimit limit(4096);  // the write fails part-way
    dialogs.expectFileChoice(ui::FileDialogKind::Save, path);
    dialogs.expectMessage("Error at Save.", ui::kMbStop);
    window->bt_SaveClick();
  }
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), oldBytes);
  EXPECT_EQ(std::memcmp(&before, &SharedMuxConfig(), sizeof before), 0);

  dialogs.expectFileChoice(ui::FileDialogKind::Save, PathInDir("no-such-folder/x.mux"));
  dialogs.expectMessage("Error at Save.", ui::kMbStop);
  window->bt_SaveClick();
}

}  // namespace
