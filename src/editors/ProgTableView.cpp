// The program editor's table: one row per stored program, and loading a program into the fields.
#include <QCheckBox>
#include <QStringList>

#include "editors/ProgramTableRows.h"
#include "editors/QR7714_Prog.h"
#include "ui/Edit.h"
#include "ui/ListCombo.h"
#include "ui/NameText.h"
#include "ui/ReportView.h"

void Tfrm_CfgProg::ShowProgramRow(int16_t slot, bool found) {
  const auto texts = ProgramRowTexts(cfg_, slot, Radix());
  QStringList subItems;
  for (std::size_t i = 1; i < texts.size(); ++i) subItems << QString::fromStdString(texts[i]);

  const int target = found ? slot : lst_Progs->selectedRow();
  if (target < 0) {
    lst_Progs->addRow(QString::fromStdString(texts[0]), subItems);
    return;
  }
  lst_Progs->setRow(target, QString::number(target + 1), subItems);
  lst_Progs->clearRowSelection();
}

void Tfrm_CfgProg::RebuildTable() {
  lst_Progs->clearRowSelection();
  lst_Progs->clearRows();
  for (int16_t slot = 0; slot < std::min<int>(cfg_.A.ProgramCount, kMaxPrograms); ++slot) ShowProgramRow(slot, false);
}

ProgramTableState Tfrm_CfgProg::TableState() const { return {lst_Progs->rowCount(), lst_Progs->selectedRow()}; }

ProgramSlot Tfrm_CfgProg::FindProgramSlot() const {
  return ::FindProgramSlot(cfg_, TableState(), ui::Cp1252FromText(cb_NameProg->currentText()));
}

void Tfrm_CfgProg::lst_ProgsClick() {
  const int row = lst_Progs->selectedRow();
  if (lst_Progs->rowCount() == 0 || row < 0) return;
  const int slot = lst_Progs->caption(row).toInt() - 1;
  if (slot < 0 || slot >= std::min<int>(cfg_.A.ProgramCount, kMaxPrograms)) return;

  // The program's own name is chosen when the list has it: names committed out of list order
  // would otherwise put another program's name in the box, and the next commit would rename it.
  const ServiceEntry& service = cfg_.A.Services[slot];
  const int nameRow = cb_NameProg->findText(ui::TextFromCp1252Field(service.ServiceName, sizeof service.ServiceName));
  cb_NameProg->setItemIndex(nameRow >= 0 ? nameRow : row < cb_NameProg->count() ? row : cb_NameProg->itemIndex());
  cb_InAsi->setCurrentText(QString::number(cfg_.A.InputOfProgram[slot]));

  const ProgramEntry& p = cfg_.A.Programs[slot];
  ckb_Pcr->setChecked(p.PcrAdjust != 0);
  cb_VidType->setItemIndex(p.VideoType);
  for (int j = 0; j < kAudioStreams; ++j) cb_AudType[j]->setItemIndex(p.Audio[j].Type);
  txt_ServiceID->setText(QString::number(p.ServiceId));
  ckb_Present->setChecked(service.EitPresentFollowing != 0);
  ckb_Schedule->setChecked(service.EitSchedule != 0);
  ckb_genPMT->setChecked(p.GeneratePmt != 0);

  // In before Out: with "Rep Out" ticked an In field copies itself into its Out field, which the
  // record's own Out value then replaces.
  auto show = [this](ui::Edit* field, int16_t pid) {
    field->setText(QString::fromStdString(BlankNullPid(PidFieldText(pid, Radix()))));
  };
  show(txt_PidPmt, p.PmtPid);
  show(pcr.in, p.PcrPidIn);
  show(pcr.out, p.PcrPidOut);
  show(video.in, p.VideoPidIn);
  show(video.out, p.VideoPidOut);
  for (int j = 0; j < kAudioStreams; ++j) {
    show(audio[j].in, p.Audio[j].PidIn);
    show(audio[j].out, p.Audio[j].PidOut);
  }
  for (int j = 0; j < kDataStreams; ++j) {
    show(data[j].in, p.Data[j].PidIn);
    show(data[j].out, p.Data[j].PidOut);
  }
}

void Tfrm_CfgProg::cb_NameProgClick() {
  ClearEntryFields();
  const ProgramSlot program = FindProgramSlot();
  if (!program.found) return;
  lst_Progs->selectRowAt(program.slot);
  lst_ProgsClick();
}
