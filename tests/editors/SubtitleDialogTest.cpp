#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cstring>
#include <memory>

#include "EditorTestSupport.h"
#include "editors/QR7714_Prog.h"
#include "editors/Subtitle.h"
#include "ui/ListCombo.h"
#include "ui/PictureButton.h"
#include "ui/ReportView.h"

namespace {

class SubtitleDialog : public editors_test::EditorFormTest {
 protected:
  void SetUp() override {
    EditorFormTest::SetUp();
    mainWindow.names = {QStringLiteral("ONE"), QStringLiteral("TWO")};
    editor = std::make_unique<Tfrm_CfgProg>(nullptr, mainWindow.Access());
    ShowActive(*editor);
  }

  // Opens the dialog with a "..." button and runs `drive` while it is shown; `drive` closes it.
  void RunDialog(ui::PictureButton* button, std::function<void(Tfrm_Subtitle&)> drive) {
    dialogs.expectModal([drive = std::move(drive)](QDialog& dialog) { drive(dynamic_cast<Tfrm_Subtitle&>(dialog)); });
    Click(button);
  }

  DataStream& Stream(int slot, int j) { return Record().A.Programs[slot].Data[j]; }

  std::unique_ptr<Tfrm_CfgProg> editor;
};

TEST_F(SubtitleDialog, NeverEditedStreamOpensInTheInitialStateAndCancelStoresOnlyTheFlag) {
  DataStream& d = Stream(0, 0);
  d.Type = 1;
  std::strcpy(d.LanguageCode, "eng");
  d.SubtitlingType = 0x21;
  d.SubtitleEnabled = 0;
  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    EXPECT_FALSE(dialog.chk_SubtitleEnable->isChecked());
    EXPECT_EQ(dialog.cb_LanguageCode->count(), 504);
    EXPECT_EQ(dialog.cb_LanguageCode->currentIndex(), 362);
    EXPECT_EQ(dialog.cb_LanguageCode->currentText(), QStringLiteral("por Portuguese"));
    EXPECT_EQ(dialog.cb_SubtitleType->count(), 13);
    EXPECT_EQ(dialog.cb_SubtitleType->currentIndex(), 3);
    EXPECT_EQ(dialog.lbl_Language->text(), QStringLiteral("por"));
    EXPECT_EQ(dialog.lbl_Subtitle->text(), QStringLiteral("0x10"));
    EXPECT_FALSE(dialog.cb_LanguageCode->isEnabled());
    EXPECT_FALSE(dialog.cb_SubtitleType->isEnabled());
    EXPECT_FALSE(dialog.rdg_DataType->isEnabled());
    EXPECT_FALSE(dialog.bt_Ok->isEnabled());
    EXPECT_TRUE(dialog.rdg_DataTypeSubtitling->isChecked());
    Click(dialog.bt_Cancel);
  });
  EXPECT_EQ(d.SubtitleEnabled, 0);
  EXPECT_EQ(d.Type, 1);
  EXPECT_STREQ(d.LanguageCode, "eng");
  EXPECT_EQ(d.SubtitlingType, 0x21);
}

// The three ways out store the same state.
enum class Leave { Ok, Cancel, CloseBox };
void PrintTo(Leave leave, std::ostream* out) { *out << static_cast<int>(leave); }

class SubtitleChoiceStored : public SubtitleDialog, public ::testing::WithParamInterface<Leave> {};

TEST_P(SubtitleChoiceStored, TickedChoicesAreStoredAndShownAgain) {
  const Leave leave = GetParam();
  RunDialog(editor->bt_Sub1, [leave](Tfrm_Subtitle& dialog) {
    Click(dialog.chk_SubtitleEnable);
    EXPECT_TRUE(dialog.bt_Ok->isEnabled());
    EXPECT_TRUE(dialog.cb_LanguageCode->isEnabled());
    PickItem(dialog.cb_LanguageCode, 127);
    PickItem(dialog.cb_SubtitleType, 7);
    EXPECT_EQ(dialog.lbl_Language->text(), QStringLiteral("eng"));
    EXPECT_EQ(dialog.lbl_Subtitle->text(), QStringLiteral("0x20"));
    switch (leave) {
      case Leave::Ok: Click(dialog.bt_Ok); break;
      case Leave::Cancel: Click(dialog.bt_Cancel); break;
      case Leave::CloseBox: dialog.close(); break;
    }
  });
  const DataStream& d = Stream(0, 0);
  EXPECT_EQ(d.SubtitleEnabled, 1);
  EXPECT_EQ(d.Type, 0);
  EXPECT_STREQ(d.LanguageCode, "eng");
  EXPECT_EQ(d.SubtitlingType, 0x20);

  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    EXPECT_TRUE(dialog.chk_SubtitleEnable->isChecked());
    EXPECT_EQ(dialog.cb_LanguageCode->currentText(), QStringLiteral("eng English"));
    EXPECT_EQ(dialog.cb_SubtitleType->currentIndex(), 7);
    EXPECT_TRUE(dialog.rdg_DataTypeSubtitling->isChecked());
    EXPECT_TRUE(dialog.cb_SubtitleType->isEnabled());
    Click(dialog.bt_Ok);
  });
}

INSTANTIATE_TEST_SUITE_P(AllWaysOut, SubtitleChoiceStored, ::testing::Values(Leave::Ok, Leave::Cancel, Leave::CloseBox),
                         [](const ::testing::TestParamInfo<Leave>& param) {
                           switch (param.param) {
                             case Leave::Ok: return "Ok";
                             case Leave::Cancel: return "Cancel";
                             case Leave::CloseBox: break;
                           }
                           return "CloseBox";
                         });

TEST_F(SubtitleDialog, LanguageOnlyTypeStoresNoSubtitlingType) {
  RunDialog(editor->bt_Sub2, [](Tfrm_Subtitle& dialog) {
    Click(dialog.chk_SubtitleEnable);
    Click(dialog.rdg_DataTypeLanguage);
    EXPECT_FALSE(dialog.cb_SubtitleType->isEnabled());
    EXPECT_FALSE(dialog.lbl_Subtitle->isEnabled());
    EXPECT_FALSE(dialog.lbl_SubtitleType->isEnabled());
    Click(dialog.bt_Ok);
  });
  EXPECT_EQ(Stream(0, 1).SubtitleEnabled, 1);
  EXPECT_EQ(Stream(0, 1).Type, 1);
  EXPECT_EQ(Stream(0, 1).SubtitlingType, 0);
  EXPECT_STREQ(Stream(0, 1).LanguageCode, "por");
  EXPECT_EQ(Stream(0, 0).SubtitleEnabled, 0) << "Data2's button edits the second data stream";

  RunDialog(editor->bt_Sub2, [](Tfrm_Subtitle& dialog) {
    EXPECT_TRUE(dialog.rdg_DataTypeLanguage->isChecked());
    EXPECT_FALSE(dialog.cb_SubtitleType->isEnabled());
    EXPECT_FALSE(dialog.lbl_Subtitle->isEnabled());
    Click(dialog.bt_Cancel);
  });
}

TEST_F(SubtitleDialog, ReservedRangeShowsItsNameAndStoresThreeLetters) {
  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    Click(dialog.chk_SubtitleEnable);
    PickItem(dialog.cb_LanguageCode, 366);
    EXPECT_EQ(dialog.lbl_Language->text(), QStringLiteral("qaa-qtz"));
    Click(dialog.bt_Ok);
  });
  EXPECT_STREQ(Stream(0, 0).LanguageCode, "qaa");
  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    EXPECT_EQ(dialog.cb_LanguageCode->currentIndex(), 366);
    Click(dialog.bt_Ok);
  });
}

TEST_F(SubtitleDialog, UnknownStoredValuesReopenOnTheFirstItems) {
  DataStream& d = Stream(0, 0);
  d.SubtitleEnabled = 1;
  std::strcpy(d.LanguageCode, "xyz");
  d.SubtitlingType = 0x05;
  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    EXPECT_EQ(dialog.cb_LanguageCode->currentIndex(), 0);
    EXPECT_EQ(dialog.cb_SubtitleType->currentIndex(), 0);
    Click(dialog.bt_Ok);
  });
  EXPECT_STREQ(d.LanguageCode, "aar");
  EXPECT_EQ(d.SubtitlingType, 0x01);
}

TEST_F(SubtitleDialog, EmptyTypeItemKeepsTheStoredType) {
  DataStream& d = Stream(0, 0);
  d.SubtitleEnabled = 1;
  std::strcpy(d.LanguageCode, "deu");
  d.SubtitlingType = 0x12;
  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    EXPECT_EQ(dialog.cb_SubtitleType->currentIndex(), 5);
    PickItem(dialog.cb_SubtitleType, 11);
    EXPECT_TRUE(dialog.lbl_Subtitle->text().isEmpty());
    Click(dialog.bt_Ok);
  });
  EXPECT_EQ(d.SubtitlingType, 0x12);
}

TEST_F(SubtitleDialog, TypingIntoTheLanguageComboUpdatesItsLabel) {
  RunDialog(editor->bt_Sub1, [](Tfrm_Subtitle& dialog) {
    Click(dialog.chk_SubtitleEnable);
    dialog.cb_LanguageCode->lineEdit()->selectAll();
    TypeInto(dialog.cb_LanguageCode->lineEdit(), QStringLiteral("fin X"));
    EXPECT_EQ(dialog.lbl_Language->text(), QStringLiteral("fin"));
    Click(dialog.bt_Ok);
  });
  EXPECT_STREQ(Stream(0, 0).LanguageCode, "fin");
}

TEST_F(SubtitleDialog, ButtonsEditTheSlotOfTheChosenName) {
  // Two programs committed in list order; the second row is selected, the first name chosen.
  MuxConfig& cfg = Record();
  cfg.A.ProgramCount = 2;
  std::strcpy(cfg.A.Services[0].ServiceName, "ONE");
  std::strcpy(cfg.A.Services[1].ServiceName, "TWO");
  editor = std::make_unique<Tfrm_CfgProg>(nullptr, mainWindow.Access());
  ShowActive(*editor);
  ClickRow(editor->lst_Progs, 1);
  editor->cb_NameProg->setItemIndex(0);
  RunDialog(editor->bt_Sub2, [](Tfrm_Subtitle& dialog) {
    Click(dialog.chk_SubtitleEnable);
    Click(dialog.bt_Ok);
  });
  EXPECT_EQ(Stream(0, 1).SubtitleEnabled, 1);
  EXPECT_EQ(Stream(1, 1).SubtitleEnabled, 0);
}

}  // namespace
