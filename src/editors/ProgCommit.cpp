// The program editor's commands on the record: commit (Ok), Delete and Clear.
#include <QGroupBox>
#include <QCheckBox>

#include "config/Cp1252.h"
#include "config/Pacing.h"
#include "config/RecordOps.h"
#include "editors/FormMessages.h"
#include "editors/QR7714_Prog.h"
#include "ui/Edit.h"
#include "ui/ListCombo.h"
#include "ui/NameText.h"
#include "ui/PictureButton.h"
#include "ui/ReportView.h"

namespace {

StreamPidTexts TextsOf(const StreamPidFields& fields) {
  return {fields.in->text().toStdString(), fields.out->text().toStdString()};
}

bool BlankAfterTrim(const ui::Edit* field) { return TrimBlanks(field->text().toStdString()).empty(); }

}  // namespace

ProgramEntryTexts Tfrm_CfgProg::EntryTexts() const {
  ProgramEntryTexts t;
  t.serviceId = txt_ServiceID->text().toStdString();
  t.pmt = txt_PidPmt->text().toStdString();
  t.pcr = TextsOf(pcr);
  t.video = TextsOf(video);
  for (int j = 0; j < kAudioStreams; ++j) t.audio[j] = TextsOf(audio[j]);
  for (int j = 0; j < kDataStreams; ++j) t.data[j] = TextsOf(data[j]);
  return t;
}

ProgramEntryChoices Tfrm_CfgProg::EntryChoices() const {
  ProgramEntryChoices c;
  c.name = ui::Cp1252FromText(cb_NameProg->currentText());
  c.networkName = ui::Cp1252FromText(mainWindow_.networkNameText ? mainWindow_.networkNameText() : QString());
  c.input = static_cast<int16_t>(LeadingDecimal(cb_InAsi->currentText().toStdString()));
  c.videoType = static_cast<int16_t>(cb_VidType->itemIndex());
  for (int j = 0; j < kAudioStreams; ++j) c.audioTypes[j] = static_cast<int16_t>(cb_AudType[j]->itemIndex());
  c.present = ckb_Present->isChecked();
  c.schedule = ckb_Schedule->isChecked();
  c.generatePmt = ckb_genPMT->isChecked();
  c.pcrAdjust = ckb_Pcr->isChecked();
  return c;
}

void Tfrm_CfgProg::bt_OkClick() {
  const CommitDecision decision = DecideCommit(cfg_, TableState(), EntryTexts(), EntryChoices(), Radix(),
                                               [] { return AskYes(kReplaceProgramQuestion); });
  if (const auto* refusal = std::get_if<CommitRefusal>(&decision)) {
    ShowFormMessage(refusal->message, refusal->icon == CommitIcon::Stop ? ui::kMbStop : ui::kMbExclamation);
    return;
  }
  const auto* program = std::get_if<ProgramToWrite>(&decision);
  if (program == nullptr) return;  // the replacement was declined
  WriteProgram(cfg_, *program);
  ShowProgramRow(program->target.slot, program->target.found);
  SetTableEmptyState(false);
}

void Tfrm_CfgProg::bt_DeleteClick() {
  const int index = lst_Progs->selectedRow();
  if ((BlankAfterTrim(txt_PidPmt) && BlankAfterTrim(pcr.in) && BlankAfterTrim(pcr.out)) || index < 0) {
    ShowFormMessage(kChooseItem);
    return;
  }
  RemoveProgram(cfg_, static_cast<int16_t>(index), cfg_.A.ProgramCount);
  RebuildTable();
  ClearEntryFields();
  if (lst_Progs->rowCount() == 0) SetTableEmptyState(true);
}

void Tfrm_CfgProg::bt_ClearClick() {
  if (lst_Progs->rowCount() == 0) {
    ShowFormMessage(kListIsEmpty);
    return;
  }
  if (!AskYes(kDeleteAllItems)) return;
  cfg_.A.ProgramCount = 0;
  cb_NameProg->setItemIndex(cb_NameProg->count() > 0 ? 0 : -1);
  cb_InAsi->setItemIndex(0);
  lst_Progs->clearRows();
  SetTableEmptyState(true);
}

// Delete and Clear act on rows, and all rows share one radix: both follow whether the table is empty.
void Tfrm_CfgProg::SetTableEmptyState(bool empty) {
  bt_Delete->setEnabled(!empty);
  bt_Clear->setEnabled(!empty);
  rdg_PidEdit->setEnabled(empty);
}
