#include "shell/QR7714_About.h"

#include <QGroupBox>
#include <QLabel>

#include "ui/Dialogs.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"

Tfrm_About* frm_About = nullptr;

namespace {

QLabel* CentredText(QWidget* parent, const QString& text, int top, int width) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(0, top, width, 20);
  return label;
}

}  // namespace

Tfrm_About::Tfrm_About(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  frm_About = this;
  setWindowTitle(ui::kAppCaption);
  setFont(ui::FormFont());
  setFixedSize(kClientWidth, kClientHeight);

  grp_About = new QGroupBox(this);
  grp_About->setGeometry(8, 4, 320, 152);
  img_Product = new ui::PictureButton(ui::Picture::ProductLogo, QString(), QString(), grp_About);
  img_Product->place(96, 12, 128, 72);
  lbl_Product = CentredText(grp_About, "QR7710-4 Multiplixer 4x1", 92, 320);
  lbl_Product->setFont(ui::PanelCaptionFont());
  lbl_Version = CentredText(grp_About, "Version 2.0", 118, 320);

  bt_Ok = new ui::PictureButton(ui::Picture::Ok, "Ok", QString(), this);
  bt_Ok->place(128, 164, 81, 41);
  bt_Ok->OnClick = [this] { accept(); };

  if (parent != nullptr) move(parent->geometry().center() - rect().center());
}

Tfrm_About::~Tfrm_About() {
  if (frm_About == this) frm_About = nullptr;
}
