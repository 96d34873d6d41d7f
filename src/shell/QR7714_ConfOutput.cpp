// The output panel of the main window: network name, stuffing mode, bit rate and its pacing,
// transport stream id.
#include <QGroupBox>
#include <QLabel>

#include "config/Pacing.h"
#include "config/SharedRecord.h"
#include "shell/QR7714_Conf.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/RadioGroup.h"

namespace {

constexpr int kBitRateMaxLength = 9;
constexpr int kTsidMaxLength = 4;

QLabel* PanelLabel(QWidget* parent, const QString& caption, int left, int top) {
  auto* label = new QLabel(caption, parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

ui::Edit* PanelEdit(QWidget* parent, int left, int top, int width, int height, int maxLength) {
  auto* edit = new ui::Edit(parent);
  edit->setGeometry(left, top, width, height);
  edit->setMaxLength(maxLength);
  QPalette palette = edit->palette();  // the info-tip background of the output fields
  palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
  edit->setPalette(palette);
  edit->setEnabled(false);
  return edit;
}

template <class Params>
void StorePacingAndRate(Params& params, const Pacing& pacing, int64_t rate) {
  StorePacing(params, pacing);
  params.BitRate = rate;
}

}  // namespace

void Tfrm_CfgMux::BuildOutputPanel(QWidget* client) {
  grp_Nit = new QGroupBox(" NIT - Network Information Table ", client);
  grp_Nit->setFont(ui::PanelCaptionFont());
  grp_Nit->setGeometry(4, 60, 249, 365);
  QWidget* panel = grp_Nit;
  const QFont form = ui::FormFont();

  lbl_NetName = PanelLabel(panel, "Network Name:", 8, 48);
  txt_NetName = PanelEdit(panel, 104, 40, 89, 24, kNameBytes);
  txt_NetName->setCp1252Only(true);
  txt_NetName->OnExit = [this] { txt_NetNameExit(); };

  rdg_Mode = new ui::RadioGroup(" Mode ", {"Byte", "Pack"}, 2, panel);
  rdg_Mode->setGeometry(104, 80, 105, 49);
  rdg_Mode->setItemIndex(kModeByte);

  lbl_BitRate = PanelLabel(panel, "Bit Rate:", 48, 150);
  txt_BitRate = PanelEdit(panel, 106, 142, 81, 23, kBitRateMaxLength);
  txt_BitRate->OnKeyPress = [this](char16_t& key) { txt_SymbRateKeyPress(key); };
  txt_BitRate->OnExit = [this] { txt_BitRateExit(); };
  lbl_Bps = PanelLabel(panel, "(Bps)", 196, 146);

  lbl_TSID = PanelLabel(panel, "Transport Stream ID:", 10, 196);
  txt_TSID = PanelEdit(panel, 140, 190, 49, 23, kTsidMaxLength);
  txt_TSID->OnKeyPress = [this](char16_t& key) { txt_TSIDKeyPress(key); };
  txt_TSID->OnExit = [this] { txt_TSIDExit(); };
  lbl_Dec = PanelLabel(panel, "(Dec)", 198, 194);

  bt_Corvane = new ui::PictureButton(ui::Picture::MakerLogo, QString(), QString(), panel);
  bt_Corvane->place(4, 232, 241, 129);

  // The caption font is the group's; its contents use the form's font.
  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->setFont(form);
  for (QLabel* label : {lbl_NetName, lbl_BitRate, lbl_Bps, lbl_TSID, lbl_Dec}) label->adjustSize();
}

void Tfrm_CfgMux::txt_SymbRateKeyPress(char16_t& key) {
  if (!ui::IsDigitKey(key) && key != u'.' && key != u',' && key != ui::kKeyBackspace) key = 0;
}

void Tfrm_CfgMux::txt_TSIDKeyPress(char16_t& key) {
  if (!ui::IsDigitKey(key) && key != ui::kKeyBackspace) key = 0;
}

bool Tfrm_CfgMux::txt_BitRateExit() {
  const bool byteMode = rdg_Mode->itemIndex() == kModeByte;
  const std::string text = txt_BitRate->text().toStdString();
  const int64_t rate = LeadingDecimal(text);
  if (text.empty() || rate == 0) return true;  // nothing to take over
  if (!BitRateAccepted(rate, byteMode)) {
    // A pacing that does not fit the device's 16-bit gaps would be sent wrapped: refuse the rate.
    const BitRateRange range = AcceptedBitRateRange(byteMode);
    ui::MessageBox(QString("Bit rate out of range. In %1 mode enter a rate from %2 to %3 bit/s, please.")
                       .arg(byteMode ? "Byte" : "Pack")
                       .arg(range.lowest)
                       .arg(range.highest),
                   ui::kAppCaption, ui::kMbExclamation);
    return false;
  }
  const QString effective = QString::number(EffectiveBitRate(static_cast<int32_t>(rate)));
  txt_BitRate->setText(effective);
  const Pacing pacing = ComputePacing(effective.toStdString(), byteMode);
  MuxConfig& cfg = SharedMuxConfig();
  StorePacingAndRate(cfg.A.NetworkParams, pacing, rate);
  StorePacingAndRate(cfg.B.NetworkParamsCopy, pacing, rate);
  return true;
}

void Tfrm_CfgMux::txt_TSIDExit() {
  SharedMuxConfig().A.TransportStreamId = static_cast<int16_t>(LeadingDecimal(txt_TSID->text().toStdString()));
}

void Tfrm_CfgMux::txt_NetNameExit() {
  // The name goes into the record when a program is committed in the program editor.
}
