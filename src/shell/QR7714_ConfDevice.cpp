// Send and Get: the configuration to and from the device, with a modal progress window while the
// transfer runs on the UI thread.
#include <QListWidget>

#include "config/Pacing.h"
#include "config/SharedRecord.h"
#include "link/DeviceCommands.h"
#include "link/Ser350.h"
#include "shell/QR7714_Conf.h"
#include "ui/BusyDialog.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/NameText.h"
#include "ui/PictureButton.h"
#include "ui/RadioGroup.h"

namespace {


QString PhaseText(TransferPhase phase) {
  switch (phase) {
    case TransferPhase::Loading:
      return "Loading the configuration...";
    case TransferPhase::PlayingBack:
      return "Reading the configuration back...";
    case TransferPhase::Verifying:
      return "Verifying...";
  }
  return {};
}

}  // namespace

int Tfrm_CfgMux::RunWithProgress(const QString& title,
                                 const std::function<int(const std::function<void(const TransferProgress&)>&)>& work) {
  ui::BusyDialog busy(this, title);
  return work([&busy](const TransferProgress& progress) {
    busy.setProgress(PhaseText(progress.phase), progress.packetsDone, progress.packetsTotal);
    busy.pump();
  });
}

void Tfrm_CfgMux::bt_SendClick() {
  if (!LinkIsConnected()) {
    ui::MessageBox(QString::fromUtf8("Sem comunica\u00e7\u00e3o serial."), ui::kAppCaption, ui::kMbStop);
    return;
  }
  MuxConfig& cfg = SharedMuxConfig();
  // What the image cannot carry is refused before anything changes or goes on the link.
  if (const std::optional<std::string> refusal = SendRefusal(cfg)) {
    ui::MessageBox(QString::fromStdString(*refusal), ui::kAppCaption, ui::kMbExclamation);
    return;
  }
  if (!txt_BitRateExit()) return;  // a refused rate has been named; nothing is sent
  cfg.A.NetworkParams.BitRate = LeadingDecimal(txt_BitRate->text().toStdString());
  cfg.B.NetworkParamsCopy.BitRate = cfg.A.NetworkParams.BitRate;
  cfg.A.TransportStreamId = static_cast<int16_t>(LeadingDecimal(txt_TSID->text().toStdString()));
  int& psiVersion = SharedPsiVersion();
  psiVersion = NextPsiVersion(psiVersion);

  const int result = RunWithProgress("Send Mux", [&](const TransferProgressFn& progress) {
    return BuildImage(cfg, psiVersion, paths_, progress);
  });
  if (result == 0)
    ui::MessageBox("Process successful!", ui::kAppCaption, ui::kMbInformation);
  else
    ui::MessageBox(QString::asprintf("Error %d", result), ui::kAppCaption, ui::kMbStop);
}

void Tfrm_CfgMux::bt_GetClick() {
  MuxConfig& cfg = SharedMuxConfig();
  GetOutcome outcome;
  RunWithProgress("Get", [&](const TransferProgressFn& progress) {
    outcome = GetFromDevice(cfg, SharedPsiVersion(), paths_, progress);
    return outcome.receiveResult;
  });
  if (outcome.receiveResult != 0) {
    ui::MessageBox("Mux memory is empty!", ui::kAppCaption, ui::kMbExclamation);
    return;
  }
  for (int i = 0; i < outcome.parsed.badMapPackets; ++i)
    ui::MessageBox("Error in file.", ui::kAppCaption, ui::kMbStop);

  if (outcome.parsed.programCount > 0) {
    txt_NetName->setText(ui::TextFromCp1252(outcome.parsed.networkNameText));
    txt_BitRate->setText(QString::number(BitRateFromPacing(PacingOf(cfg.A.NetworkParams))));
    rdg_Mode->setItemIndex(cfg.A.NetworkParams.ByteGap == 0 ? kModePack : kModeByte);
    txt_TSID->setText(QString::asprintf("%d", cfg.A.TransportStreamId));
    FillListFromRecord();
    SetListButtons(true);
  } else {
    txt_BitRate->setText(QString::number(BitRateFromPacing(PacingOf(cfg.B.NetworkParamsCopy))));
    rdg_Mode->setItemIndex(cfg.B.NetworkParamsCopy.ByteGap == 0 ? kModePack : kModeByte);
    if (outcome.fileRead && !outcome.parsed.patFound) {
      // The device holds ghost PIDs only: the record's programs were emptied, so is the list.
      FillListFromRecord();
      txt_TSID->setText(QString());
      SetListButtons(lst_Prog->count() > 0);
    }
  }
  bt_Save->setEnabled(true);
  bt_Send->setEnabled(true);
}
