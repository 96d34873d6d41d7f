#pragma once
// The program editor: entry fields for one program, the commands that commit, delete and clear
// programs of the record, and the table of the programs already stored. A new instance serves
// each opening; nothing of it outlives the closing except what it wrote into the record.

#include <array>

#include "config/MuxConfig.h"
#include "config/StreamTypes.h"
#include "editors/EditorHost.h"
#include "editors/ProgramCommitRules.h"
#include "editors/PidText.h"
#include "ui/FormDialog.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QLayout;
namespace ui {
class Edit;
class ListCombo;
class PictureButton;
class ReportView;
}  // namespace ui

// The In and Out fields of one stream group.
struct StreamPidFields {
  ui::Edit* in = nullptr;
  ui::Edit* out = nullptr;
};

class Tfrm_CfgProg : public ui::FormDialog {
  Q_OBJECT
 public:
  Tfrm_CfgProg(QWidget* owner, MainWindowAccess mainWindow);

  // Entry controls.
  ui::ListCombo* cb_NameProg;
  ui::ListCombo* cb_InAsi;
  QGroupBox* rdg_PidEdit;
  QRadioButton* rdg_PidEditDecimal;
  QRadioButton* rdg_PidEditHexa;
  QCheckBox* ckb_Duplicate;
  QCheckBox* ckb_Schedule;
  QCheckBox* ckb_Present;
  ui::Edit* txt_ServiceID;
  ui::Edit* txt_PidPmt;
  QCheckBox* ckb_genPMT;
  StreamPidFields pcr;    // txt_PidPcrIn, txt_PidPcrOut
  QCheckBox* ckb_Pcr;
  StreamPidFields video;  // txt_PidVidIn, txt_PidVidOut
  ui::ListCombo* cb_VidType;
  std::array<StreamPidFields, kAudioStreams> audio;  // txt_PidAud1In .. txt_PidAud4Out
  std::array<ui::ListCombo*, kAudioStreams> cb_AudType;
  std::array<StreamPidFields, kDataStreams> data;    // txt_PidData1In .. txt_PidData2Out
  ui::PictureButton* bt_Sub1;
  ui::PictureButton* bt_Sub2;

  // Commands.
  ui::PictureButton* bt_Ok;
  ui::PictureButton* bt_Delete;
  ui::PictureButton* bt_Clear;
  ui::PictureButton* bt_Exit;

  // The table of stored programs, row r for slot r.
  ui::ReportView* lst_Progs;

  PidRadix Radix() const;

  // Empties the entry fields and puts the type combos back on their first item.
  void ClearEntryFields();

  // Handlers (named after the controls and events they serve).
  void FormShow() override;
  void txt_FreqKeyPress(char16_t& key);
  void txt_ServiceIDKeyPress(char16_t& key);
  void txt_PidVidInChange(const StreamPidFields& stream);
  void txt_PidPmtExit();
  void txt_PidOutExit(const ui::Edit& field);
  void bt_ExitClick();
  void bt_OkClick();
  void bt_DeleteClick();
  void bt_ClearClick();
  void ShowProgramRow(int16_t slot, bool found);
  void lst_ProgsClick();
  void cb_NameProgClick();
  ProgramSlot FindProgramSlot() const;
  void bt_Sub1Click();
  void bt_Sub2Click();

 private:
  QLayout* BuildNameRow();
  QGroupBox* BuildServiceGroup();
  QGroupBox* BuildPmtGroup();
  QGroupBox* BuildPmtFlagGroup();
  QGroupBox* BuildPcrGroup();
  QGroupBox* BuildStreamGroup(const QString& caption, StreamPidFields& fields, const QString& baseName);
  QLayout* BuildStreamRows();
  QLayout* BuildCommandColumn();
  QGroupBox* BuildTableGroup();
  ui::Edit* NewPidEdit(const QString& name, int maxLength);
  ui::ListCombo* NewTypeCombo(const QString& name, StreamKind kind);
  void EditSubtitle(int dataStream);
  void RebuildTable();
  void SetTableEmptyState(bool empty);
  ProgramTableState TableState() const;
  ProgramEntryTexts EntryTexts() const;
  ProgramEntryChoices EntryChoices() const;

  MainWindowAccess mainWindow_;
  MuxConfig& cfg_;
};
