#pragma once
// The About box: product picture, name and version; Ok closes it.

#include <QDialog>

class QGroupBox;
class QLabel;
namespace ui {
class PictureButton;
}

class Tfrm_About : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 336;
  static constexpr int kClientHeight = 211;

  explicit Tfrm_About(QWidget* parent = nullptr);
  ~Tfrm_About() override;

  QGroupBox* grp_About;
  ui::PictureButton* img_Product;
  QLabel* lbl_Product;
  QLabel* lbl_Version;
  ui::PictureButton* bt_Ok;
};

// The instance in use while the box is open.
extern Tfrm_About* frm_About;
