#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <cstring>
#include <memory>

#include "EditorTestSupport.h"
#include "editors/QR7714_Prog.h"
#include "ui/Edit.h"
#include "ui/ListCombo.h"
#include "ui/PictureButton.h"

namespace {

using editors_test::kPidRangeWarning;

class ProgramEditor : public editors_test::EditorFormTest {
 protected:
  Tfrm_CfgProg& Open(QStringList names = {QStringLiteral("ONE"), QStringLiteral("TWO"), QStringLiteral("THREE")}) {
    mainWindow.names = std::move(names);
    form = std::make_unique<Tfrm_CfgProg>(nullptr, mainWindow.Access());
    ShowActive(*form);
    return *form;
  }

  // The fields every commit needs, set directly: service id, PMT, PCR In and an audio pair.
  void FillRequired(const QString& serviceId = QStringLiteral("100")) {
    form->txt_ServiceID->setText(serviceId);
    form->txt_PidPmt->setText(QStringLiteral("256"));
    form->pcr.in->setText(QStringLiteral("300"));
    form->audio[0].in->setText(QStringLiteral("301"));
    if (form->audio[0].out->text().isEmpty()) form->audio[0].out->setText(QStringLiteral("301"));
  }

  // Commits the fields as they stand for the name at `nameIndex`.
  void Commit(int nameIndex) {
    form->cb_NameProg->setItemIndex(nameIndex);
    Click(form->bt_Ok);
  }

  void CommitProgram(int nameIndex, const QString& serviceId) {
    FillRequired(serviceId);
    Commit(nameIndex);
  }

  std::unique_ptr<Tfrm_CfgProg> form;
};

// A PID typed into Audio 1 Out, leaving the field, and what the commit stores.
struct TypedPidCase {
  const char* name;
  bool hexadecimal;
  const char* typed;
  const char* shown;  // the field's text after the key filter
  bool warns;
  int16_t stored;
};

void PrintTo(const TypedPidCase& c, std::ostream* out) { *out << c.name; }

class TypedPid : public ProgramEditor, public ::testing::WithParamInterface<TypedPidCase> {};

TEST_P(TypedPid, KeyFilterExitCheckAndStoredValue) {
  const TypedPidCase& c = GetParam();
  Open();
  if (c.hexadecimal) Click(form->rdg_PidEditHexa);
  TypeInto(form->audio[0].out, QString::fromUtf8(c.typed));
  EXPECT_EQ(form->audio[0].out->text().toStdString(), c.shown);
  if (c.warns) dialogs.expectMessage(kPidRangeWarning, ui::kMbExclamation);
  FocusTo(form->audio[0].in);
  EXPECT_EQ(form->audio[0].out->text().toStdString(), c.shown) << "the text stays as typed";
  EXPECT_EQ(form->audio[0].in, QApplication::focusWidget()) << "the focus moves on";

  CommitProgram(0, QStringLiteral("100"));
  ASSERT_EQ(Record().A.ProgramCount, 1);
  EXPECT_EQ(Record().A.Programs[0].Audio[0].PidOut, c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TypedPid,
    ::testing::Values(TypedPidCase{"dec31", false, "31", "31", true, 31},
                      TypedPidCase{"dec29", false, "29", "29", true, 8191},
                      TypedPidCase{"dec32", false, "32", "32", false, 32},
                      TypedPidCase{"dec8191", false, "8191", "8191", true, 8191},
                      TypedPidCase{"dec12point5", false, "12.5", "12.5", true, 8191},
                      TypedPidCase{"decLettersDiscarded", false, "3a0F0", "300", false, 300},
                      TypedPidCase{"hex18", true, "18", "18", true, 24},
                      TypedPidCase{"hex17", true, "17", "17", true, 8191},
                      TypedPidCase{"hex1FFF", true, "1FFF", "1FFF", true, 8191},
                      TypedPidCase{"hexFFFF", true, "FFFF", "FFFF", true, 8191},
                      TypedPidCase{"hexLowerCase", true, "1fGe", "1fe", false, 0x1FE},
                      TypedPidCase{"fiveCharactersCut", false, "12345", "1234", false, 1234}),
    [](const ::testing::TestParamInfo<TypedPidCase>& param) { return std::string(param.param.name); });

TEST_F(ProgramEditor, RepOutMirrorsEveryInputTypedWhileTicked) {
  Open();
  Click(form->ckb_Duplicate);
  TypeInto(form->video.in, QStringLiteral("2"));
  EXPECT_EQ(form->video.out->text(), QStringLiteral("2"));
  TypeInto(form->video.in, QStringLiteral("5"));
  EXPECT_EQ(form->video.out->text(), QStringLiteral("25"));
  TypeInto(form->video.in, QStringLiteral("6"));
  EXPECT_EQ(form->video.out->text(), QStringLiteral("256"));
  TypeInto(form->data[1].in, QStringLiteral("77"));
  EXPECT_EQ(form->data[1].out->text(), QStringLiteral("77"));
  Click(form->ckb_Duplicate);
  TypeInto(form->video.in, QStringLiteral("7"));
  EXPECT_EQ(form->video.in->text(), QStringLiteral("2567"));
  EXPECT_EQ(form->video.out->text(), QStringLiteral("256"));
}

TEST_F(ProgramEditor, LeavingServiceIdChecksThePmtField) {
  Open();
  form->txt_PidPmt->setText(QStringLiteral("20"));
  TypeInto(form->txt_ServiceID, QStringLiteral("100"));
  dialogs.expectMessage(kPidRangeWarning, ui::kMbExclamation);
  FocusTo(form->pcr.in);
  // Input fields have no exit check.
  TypeInto(form->pcr.in, QStringLiteral("5"));
  FocusTo(form->pcr.out);
}

TEST_F(ProgramEditor, ServiceIdTakesDecimalDigitsInEitherRadix) {
  Open();
  Click(form->rdg_PidEditHexa);
  TypeInto(form->txt_ServiceID, QStringLiteral("1aF234"));
  EXPECT_EQ(form->txt_ServiceID->text(), QStringLiteral("1234"));
  form->txt_PidPmt->setText(QStringLiteral("100"));
  form->pcr.in->setText(QStringLiteral("12C"));
  form->audio[0].in->setText(QStringLiteral("12D"));
  form->audio[0].out->setText(QStringLiteral("12D"));
  Commit(0);
  ASSERT_EQ(Record().A.ProgramCount, 1);
  EXPECT_EQ(Record().A.Programs[0].ServiceId, 1234);
  EXPECT_EQ(Record().A.Programs[0].PmtPid, 0x100);
  EXPECT_EQ(Record().A.Programs[0].Audio[0].PidOut, 0x12D);
  // The table shows it in the PID radix; the field gets it back in decimal.
  EXPECT_EQ(form->lst_Progs->cellText(0, 4), QStringLiteral("04D2"));
  ClickRow(form->lst_Progs, 0);
  EXPECT_EQ(form->txt_ServiceID->text(), QStringLiteral("1234"));
}

TEST_F(ProgramEditor, NameAndTypeCombosIgnoreTyping) {
  Open();
  for (ui::ListCombo* combo : {form->cb_NameProg, form->cb_InAsi, form->cb_VidType, form->cb_AudType[2]}) {
    const int before = combo->itemIndex();
    TypeInto(combo, QStringLiteral("2T"));
    EXPECT_EQ(combo->itemIndex(), before) << combo->objectName().toStdString();
  }
}

TEST_F(ProgramEditor, OpeningWithoutProgramsShowsTheInitialState) {
  Open();
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8(ui::kAppCaption));
  EXPECT_EQ(form->cb_NameProg->count(), 3);
  EXPECT_EQ(form->cb_NameProg->currentText(), QStringLiteral("ONE"));
  EXPECT_EQ(form->cb_InAsi->currentText(), QStringLiteral("1"));
  EXPECT_EQ(form->lst_Progs->rowCount(), 0);
  EXPECT_TRUE(form->rdg_PidEdit->isEnabled());
  EXPECT_TRUE(form->rdg_PidEditDecimal->isChecked());
  EXPECT_TRUE(form->bt_Delete->isEnabled());
  EXPECT_TRUE(form->bt_Clear->isEnabled());
  EXPECT_FALSE(form->ckb_Duplicate->isChecked());
  EXPECT_TRUE(form->ckb_genPMT->isChecked());
  EXPECT_TRUE(form->ckb_Pcr->isChecked());
  EXPECT_EQ(form->cb_VidType->currentText(), QStringLiteral("MPEG2"));
  for (ui::ListCombo* combo : form->cb_AudType) {
    EXPECT_EQ(combo->itemIndex(), 0);
    EXPECT_EQ(combo->currentText(), QStringLiteral("MPEG1"));
  }
  EXPECT_EQ(form->txt_ServiceID->maxLength(), 5);
  EXPECT_EQ(form->txt_PidPmt->maxLength(), 4);
  EXPECT_EQ(form->lst_Progs->columnCount(), 14);
}

TEST_F(ProgramEditor, NoNamesLeavesTheNameComboEmpty) {
  Open({});
  EXPECT_EQ(form->cb_NameProg->count(), 0);
  EXPECT_TRUE(form->cb_NameProg->currentText().isEmpty());
}

TEST_F(ProgramEditor, NewProgramIsAppendedWithUnfilledPidsAsNoPid) {
  Open();
  form->cb_AudType[1]->setItemIndex(4);
  Click(form->ckb_Schedule);
  mainWindow.networkName = QStringLiteral("  Rede Sul ");
  form->txt_PidPmt->setText(QStringLiteral("256"));
  form->txt_ServiceID->setText(QStringLiteral("100"));
  form->pcr.in->setText(QStringLiteral("300"));
  form->audio[0].in->setText(QStringLiteral("301"));
  form->audio[0].out->setText(QStringLiteral("301"));
  PickItem(form->cb_InAsi, 2);
  Commit(1);

  const MuxConfig& cfg = Record();
  ASSERT_EQ(cfg.A.ProgramCount, 1);
  EXPECT_STREQ(cfg.A.Services[0].ServiceName, "TWO");
  EXPECT_STREQ(cfg.A.Services[0].ProviderName, "Rede Sul");
  EXPECT_STREQ(cfg.A.NetworkName, "Rede Sul");
  EXPECT_EQ(cfg.A.InputOfProgram[0], 3);
  EXPECT_EQ(cfg.A.Services[0].EitSchedule, 1);
  const ProgramEntry& p = cfg.A.Programs[0];
  EXPECT_EQ(p.PcrPidIn, 300);
  EXPECT_EQ(p.PcrPidOut, 8191);
  EXPECT_EQ(p.VideoPidIn, 8191);
  EXPECT_EQ(p.VideoPidOut, 8191);
  EXPECT_EQ(p.Audio[1].PidIn, 8191);
  EXPECT_EQ(p.Data[1].PidOut, 8191);
  EXPECT_EQ(p.VideoType, 0);
  EXPECT_EQ(p.Audio[0].Type, 0);
  EXPECT_EQ(p.Audio[1].Type, 4);
  EXPECT_EQ(p.GeneratePmt, 1);
  EXPECT_EQ(p.PcrAdjust, 1);

  EXPECT_EQ(form->lst_Progs->rowCount(), 1);
  EXPECT_FALSE(form->rdg_PidEdit->isEnabled());
  EXPECT_EQ(form->txt_PidPmt->text(), QStringLiteral("256")) << "the fields keep their content";
}

TEST_F(ProgramEditor, RefusalsShowTheirMessageAndChangeNothing) {
  Open();
  CommitProgram(0, QStringLiteral("100"));
  const MuxConfig before = Record();

  form->txt_ServiceID->clear();
  dialogs.expectMessage("Fill PMT and PCR fields, please.", ui::kMbExclamation);
  Commit(1);
  form->txt_ServiceID->setText(QStringLiteral("100"));
  dialogs.expectMessage("Service ID number is in the list, change it please.", ui::kMbExclamation);
  Commit(1);
  form->txt_ServiceID->setText(QStringLiteral("101"));
  form->txt_PidPmt->setText(QStringLiteral("20"));
  dialogs.expectMessage("Value PID PMT is incorrect!", ui::kMbStop);
  Commit(1);

  EXPECT_EQ(0, std::memcmp(&before, &Record(), sizeof before));
  EXPECT_EQ(form->lst_Progs->rowCount(), 1);
  EXPECT_EQ(form->txt_PidPmt->text(), QStringLiteral("20"));
}

TEST_F(ProgramEditor, ExistingNameAsksBeforeReplacing) {
  Open();
  CommitProgram(0, QStringLiteral("100"));
  CommitProgram(1, QStringLiteral("200"));

  form->txt_ServiceID->setText(QStringLiteral("300"));
  form->video.in->setText(QStringLiteral("400"));
  form->video.out->setText(QStringLiteral("400"));
  dialogs.expectMessage("This program is in the list, Do you wish change it?", ui::kMbYesNo, ui::kIdNo);
  Commit(0);
  EXPECT_EQ(Record().A.Programs[0].ServiceId, 100);

  dialogs.expectMessage("This program is in the list, Do you wish change it?", ui::kMbYesNo, ui::kIdYes);
  Commit(0);
  EXPECT_EQ(Record().A.ProgramCount, 2);
  EXPECT_EQ(Record().A.Programs[0].ServiceId, 300);
  EXPECT_EQ(Record().A.Programs[0].VideoPidOut, 400);
  EXPECT_EQ(form->lst_Progs->rowCount(), 2);
  EXPECT_EQ(form->lst_Progs->cellText(0, 4), QStringLiteral(" 300"));
}

TEST_F(ProgramEditor, SelectedRowIsRewrittenUnderANewName) {
  Open();
  CommitProgram(0, QStringLiteral("100"));
  CommitProgram(1, QStringLiteral("200"));
  ClickRow(form->lst_Progs, 1);
  EXPECT_EQ(form->cb_NameProg->currentText(), QStringLiteral("TWO"));
  // Picking a name no program has clears the fields but keeps the row selected.
  PickItem(form->cb_NameProg, 2);
  EXPECT_TRUE(form->txt_PidPmt->text().isEmpty());
  EXPECT_EQ(form->lst_Progs->selectedRow(), 1);
  CommitProgram(2, QStringLiteral("100"));  // a selected row skips the duplicate service id test
  EXPECT_EQ(Record().A.ProgramCount, 2);
  EXPECT_STREQ(Record().A.Services[1].ServiceName, "THREE");
  EXPECT_EQ(Record().A.Programs[1].ServiceId, 100);
  EXPECT_EQ(form->lst_Progs->selectedRow(), -1);
  EXPECT_EQ(form->lst_Progs->cellText(1, 2), QStringLiteral("THREE"));
}

TEST_F(ProgramEditor, PickingAStoredNameLoadsItsProgram) {
  Open();
  Click(form->ckb_Present);
  CommitProgram(1, QStringLiteral("222"));
  form->ClearEntryFields();
  PickItem(form->cb_NameProg, 1);
  EXPECT_EQ(form->lst_Progs->selectedRow(), 0);
  EXPECT_EQ(form->txt_ServiceID->text(), QStringLiteral("222"));
  EXPECT_TRUE(form->ckb_Present->isChecked());
  // "TWO" sits in slot 0 although it is the second name: the box keeps the program's own name,
  // so the next commit rewrites it without renaming it.
  EXPECT_EQ(form->cb_NameProg->currentText(), QStringLiteral("TWO"));
  dialogs.expectMessage("This program is in the list, Do you wish change it?", ui::kMbYesNo, ui::kIdYes);
  Click(form->bt_Ok);
  EXPECT_STREQ(Record().A.Services[0].ServiceName, "TWO");
  EXPECT_EQ(Record().A.ProgramCount, 1);
}

TEST_F(ProgramEditor, HundredAndFirstProgramIsRefused) {
  MuxConfig& cfg = Record();
  cfg.A.ProgramCount = kMaxPrograms;
  for (int k = 0; k < kMaxPrograms; ++k) {
    std::snprintf(cfg.A.Services[k].ServiceName, sizeof cfg.A.Services[k].ServiceName, "P%d", k);
    cfg.A.Programs[k].ServiceId = static_cast<uint16_t>(1000 + k);
    cfg.A.InputOfProgram[k] = 1;
  }
  Open({QStringLiteral("NEW")});
  EXPECT_EQ(form->lst_Progs->rowCount(), kMaxPrograms);
  FillRequired();
  dialogs.expectMessage("Limited 100 Programs.", ui::kMbExclamation);
  Commit(0);
  EXPECT_EQ(cfg.A.ProgramCount, kMaxPrograms);
}

TEST_F(ProgramEditor, TableCellsFollowTheRadix) {
  MuxConfig& cfg = Record();
  const auto store = [&cfg] {
    cfg.A.ProgramCount = 1;
    std::strcpy(cfg.A.NetworkName, " NET ");
    std::strcpy(cfg.A.Services[0].ServiceName, " ONE");
    cfg.A.InputOfProgram[0] = 2;
    ProgramEntry& p = cfg.A.Programs[0];
    p.ServiceId = 65535;
    p.PmtPid = cfg.A.PmtPidOfProgram[0] = 32;
    p.VideoPidOut = 8191;
    p.PcrPidOut = 33;
    for (AudioStream& a : p.Audio) a.PidOut = 8191;
    p.Audio[0].PidOut = 34;
    for (DataStream& d : p.Data) d.PidOut = 8191;
  };
  store();
  Open();
  EXPECT_EQ(RowTexts(form->lst_Progs, 0),
            (QStringList{"1", "NET", "ONE", "2", "65535", "  32", "8191", "  33", "  34", "8191", "8191", "8191",
                         "8191", "8191"}));

  // In an editor emptied and switched to hexadecimal, a commit renders its row in hexadecimal.
  form.reset();
  SharedMuxConfig() = MuxConfig{};
  Open({QStringLiteral("ONE")});
  Click(form->rdg_PidEditHexa);
  form->txt_ServiceID->setText(QStringLiteral("65535"));
  form->txt_PidPmt->setText(QStringLiteral("20"));
  form->pcr.out->setText(QStringLiteral("21"));
  form->audio[0].in->setText(QStringLiteral("22"));
  form->audio[0].out->setText(QStringLiteral("22"));
  Commit(0);
  EXPECT_EQ(RowTexts(form->lst_Progs, 0),
            (QStringList{"1", "NET", "ONE", "1", "FFFF", "0020", "1FFF", "0021", "0022", "1FFF", "1FFF", "1FFF",
                         "1FFF", "1FFF"}));
  ClickRow(form->lst_Progs, 0);
  EXPECT_EQ(form->txt_PidPmt->text(), QStringLiteral("0020"));
  EXPECT_EQ(form->txt_ServiceID->text(), QStringLiteral("65535"));
  EXPECT_TRUE(form->video.out->text().isEmpty());
}

TEST_F(ProgramEditor, LoadingAProgramLeavesNoPidFieldsEmptyAndKeepsOutValues) {
  MuxConfig& cfg = Record();
  cfg.A.ProgramCount = 1;
  std::strcpy(cfg.A.Services[0].ServiceName, "ONE");
  cfg.A.InputOfProgram[0] = 4;
  ProgramEntry& p = cfg.A.Programs[0];
  p.ServiceId = 7;
  p.PmtPid = cfg.A.PmtPidOfProgram[0] = 32;
  p.PcrPidIn = 100;
  p.PcrPidOut = 8191;
  p.VideoPidIn = 200;
  p.VideoPidOut = 201;
  p.VideoType = 1;
  for (AudioStream& a : p.Audio) a = {3, 8191, 8191, 0, 0};
  p.Audio[0].PidIn = 300;
  p.Audio[0].PidOut = 310;
  for (DataStream& d : p.Data) d.PidIn = d.PidOut = 8191;
  p.PcrAdjust = 0;
  p.GeneratePmt = 0;
  cfg.A.Services[0].EitSchedule = 1;

  Open({QStringLiteral("ONE")});
  Click(form->ckb_Duplicate);
  ClickRow(form->lst_Progs, 0);
  EXPECT_EQ(form->txt_PidPmt->text(), QStringLiteral("32"));
  EXPECT_EQ(form->pcr.in->text(), QStringLiteral("100"));
  EXPECT_TRUE(form->pcr.out->text().isEmpty());
  EXPECT_EQ(form->video.out->text(), QStringLiteral("201"));
  EXPECT_EQ(form->audio[0].out->text(), QStringLiteral("310"));
  EXPECT_TRUE(form->audio[1].in->text().isEmpty());
  EXPECT_TRUE(form->data[0].out->text().isEmpty());
  EXPECT_EQ(form->cb_InAsi->currentText(), QStringLiteral("4"));
  EXPECT_EQ(form->cb_VidType->currentText(), QStringLiteral("H.264"));
  EXPECT_EQ(form->cb_AudType[3]->currentText(), QStringLiteral("AAC"));
  EXPECT_FALSE(form->ckb_Pcr->isChecked());
  EXPECT_FALSE(form->ckb_genPMT->isChecked());
  EXPECT_TRUE(form->ckb_Schedule->isChecked());
  EXPECT_TRUE(form->ckb_Duplicate->isChecked()) << "loading leaves Rep Out alone";
  EXPECT_EQ(form->lst_Progs->selectedRow(), 0);
}

TEST_F(ProgramEditor, DeleteRemovesTheSelectedProgram) {
  Open();
  CommitProgram(0, QStringLiteral("100"));
  CommitProgram(1, QStringLiteral("200"));

  dialogs.expectMessage("Choose item, please.", ui::kMbExclamation);
  Click(form->bt_Delete);  // no row selected
  ClickRow(form->lst_Progs, 0);
  form->txt_PidPmt->clear();
  form->pcr.in->clear();
  dialogs.expectMessage("Choose item, please.", ui::kMbExclamation);
  Click(form->bt_Delete);  // PMT and PCR fields empty
  EXPECT_EQ(Record().A.ProgramCount, 2);

  ClickRow(form->lst_Progs, 0);
  Click(form->bt_Delete);
  EXPECT_EQ(Record().A.ProgramCount, 1);
  EXPECT_STREQ(Record().A.Services[0].ServiceName, "TWO");
  ASSERT_EQ(form->lst_Progs->rowCount(), 1);
  EXPECT_EQ(form->lst_Progs->caption(0), QStringLiteral("1"));
  EXPECT_EQ(form->lst_Progs->cellText(0, 2), QStringLiteral("TWO"));
  EXPECT_TRUE(form->txt_PidPmt->text().isEmpty());
  EXPECT_FALSE(form->rdg_PidEdit->isEnabled());

  ClickRow(form->lst_Progs, 0);
  Click(form->bt_Delete);
  EXPECT_EQ(Record().A.ProgramCount, 0);
  EXPECT_EQ(form->lst_Progs->rowCount(), 0);
  EXPECT_FALSE(form->bt_Delete->isEnabled());
  EXPECT_FALSE(form->bt_Clear->isEnabled());
  EXPECT_TRUE(form->rdg_PidEdit->isEnabled());
  EXPECT_TRUE(form->pcr.in->text().isEmpty());
}

TEST_F(ProgramEditor, ClearEmptiesTheProgramsAfterConfirmation) {
  Open();
  dialogs.expectMessage("List is empty!", ui::kMbExclamation);
  Click(form->bt_Clear);

  CommitProgram(0, QStringLiteral("100"));
  CommitProgram(1, QStringLiteral("200"));
  PickItem(form->cb_InAsi, 3);
  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdNo);
  Click(form->bt_Clear);
  EXPECT_EQ(Record().A.ProgramCount, 2);
  EXPECT_EQ(form->lst_Progs->rowCount(), 2);

  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdYes);
  Click(form->bt_Clear);
  EXPECT_EQ(Record().A.ProgramCount, 0);
  EXPECT_STREQ(Record().A.Services[1].ServiceName, "TWO") << "slots keep their bytes";
  EXPECT_EQ(form->lst_Progs->rowCount(), 0);
  EXPECT_EQ(form->cb_NameProg->itemIndex(), 0);
  EXPECT_EQ(form->cb_InAsi->currentText(), QStringLiteral("1"));
  EXPECT_FALSE(form->bt_Delete->isEnabled());
  EXPECT_FALSE(form->bt_Clear->isEnabled());
  EXPECT_TRUE(form->rdg_PidEdit->isEnabled());
  EXPECT_EQ(form->txt_PidPmt->text(), QStringLiteral("256")) << "the entry fields keep their text";
}

TEST_F(ProgramEditor, ExitEnablesSendOnlyWithPrograms) {
  Open();
  Click(form->bt_Exit);
  EXPECT_FALSE(mainWindow.sendEnabled);
  EXPECT_FALSE(form->isVisible());

  Open();
  CommitProgram(0, QStringLiteral("100"));
  form->close();  // the close box skips Exit
  EXPECT_FALSE(mainWindow.sendEnabled);

  Open();
  Click(form->bt_Exit);
  EXPECT_TRUE(mainWindow.sendEnabled);
}

TEST_F(ProgramEditor, OpeningWithProgramsLocksTheRadixAtDecimal) {
  Record().A.ProgramCount = 2;
  Open();
  EXPECT_EQ(form->lst_Progs->rowCount(), 2);
  EXPECT_EQ(form->lst_Progs->caption(1), QStringLiteral("2"));
  EXPECT_FALSE(form->rdg_PidEdit->isEnabled());
  EXPECT_TRUE(form->rdg_PidEditDecimal->isChecked());
}

TEST_F(ProgramEditor, SubtitleButtonsNeedAName) {
  Open({});
  Click(form->bt_Sub1);  // no name selected: no dialog opens (the hook would fail on one)
  Click(form->bt_Sub2);
  EXPECT_EQ(Record().A.Programs[0].Data[0].SubtitleEnabled, 0);
}

TEST_F(ProgramEditor, OpenProgramEditorShowsAModalEditor) {
  mainWindow.names = {QStringLiteral("ONE")};
  dialogs.expectModal([](QDialog& dialog) {
    auto& editor = dynamic_cast<Tfrm_CfgProg&>(dialog);
    EXPECT_EQ(editor.cb_NameProg->currentText(), QStringLiteral("ONE"));
    editor.bt_Exit->click();
  });
  OpenProgramEditor(nullptr, mainWindow.Access());
}

}  // namespace
