// Open and Save of .MUX files from the main window.
#include <QListWidget>

#include "config/MuxFile.h"
#include "config/Pacing.h"
#include "config/SharedRecord.h"
#include "shell/QR7714_Conf.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/NameText.h"
#include "ui/PictureButton.h"

namespace {

ui::FileDialogSpec MuxFileDialog(const QString& title) {
  // Files saved here end in ".mux"; Linux names are case-sensitive, so both spellings are listed.
  return {title, "Multiplexer Files (*.MUX *.mux)", "mux"};
}

QString NetworkName(const MuxConfig& cfg) {
  return ui::TextFromCp1252Field(cfg.A.NetworkName, sizeof cfg.A.NetworkName);
}

}  // namespace

void Tfrm_CfgMux::bt_OpenClick() {
  const std::optional<QString> path = ui::ChooseFile(ui::FileDialogKind::Open, MuxFileDialog("Open"));
  if (!path) return;
  for (ui::Edit* edit : {txt_NetName, txt_BitRate, txt_TSID}) edit->setText(QString());
  lst_Prog->clear();
  SetListButtons(false);
  bt_Save->setEnabled(false);
  bt_Send->setEnabled(false);

  MuxConfig& cfg = SharedMuxConfig();
  switch (LoadMuxFile(path->toStdString(), cfg)) {
    case MuxLoadResult::Loaded:
      break;
    case MuxLoadResult::CannotOpen:
      ui::MessageBox("Cannot open input file.", ui::kAppCaption, ui::kMbStop);
      break;
    case MuxLoadResult::Corrupted:
      ui::ShowMessage("File corrupted!");
      break;
  }

  // The window shows the record whether or not the file was read.
  if (cfg.A.ProgramCount > 0) {
    txt_NetName->setText(NetworkName(cfg));
    txt_TSID->setText(QString::number(cfg.A.TransportStreamId));
    txt_BitRate->setText(QString::number(cfg.A.NetworkParams.BitRate));
    txt_BitRateExit();
    FillListFromRecord();
    SetListButtons(true);
    bt_Save->setEnabled(true);
    bt_Send->setEnabled(true);
  } else if (cfg.B.GhostTable.Count > 0) {
    txt_NetName->setText(NetworkName(cfg));
    txt_BitRate->setText(QString::number(cfg.B.NetworkParamsCopy.BitRate));
    txt_BitRateExit();
    bt_Save->setEnabled(true);
    bt_Send->setEnabled(true);
  }
}

void Tfrm_CfgMux::bt_SaveClick() {
  const std::optional<QString> path = ui::ChooseFile(ui::FileDialogKind::Save, MuxFileDialog("Save"));
  if (!path) return;
  // The two output fields are taken over only when the file was written.
  MuxConfig saved = SharedMuxConfig();
  saved.A.TransportStreamId = static_cast<int16_t>(LeadingDecimal(txt_TSID->text().toStdString()));
  saved.A.NetworkParams.BitRate = LeadingDecimal(txt_BitRate->text().toStdString());
  if (!SaveMuxFile(path->toStdString(), saved)) {
    ui::MessageBox("Error at Save.", ui::kAppCaption, ui::kMbStop);
    return;
  }
  SharedMuxConfig() = saved;
  ui::MessageBox("File save successful!", ui::kAppCaption, ui::kMbExclamation);
}
