#include "editors/CommandButton.h"

namespace {

constexpr int kWidth = 96;  // room for a bold "Delete" or "Cancel" beside its picture
constexpr int kHeight = 41;

}  // namespace

ui::PictureButton* NewCommandButton(ui::Picture picture, const char* caption, const char* hint, const char* name) {
  auto* button = new ui::PictureButton(picture, QString::fromUtf8(caption), QString::fromUtf8(hint));
  button->setObjectName(QString::fromUtf8(name));
  button->setFixedSize(kWidth, kHeight);
  button->place(0, 0, kWidth, kHeight);
  return button;
}
