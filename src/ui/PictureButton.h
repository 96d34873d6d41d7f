#pragma once
// A flat button with a drawn picture, an optional bold caption beside it and a hint (tool tip).
// OnClick runs when it is clicked (also by click() from the program). It takes no focus, so an
// edit is not left (no OnExit) when the button is clicked.

#include <QToolButton>
#include <functional>

#include "ui/Pictures.h"

namespace ui {

class PictureButton : public QToolButton {
  Q_OBJECT
 public:
  PictureButton(Picture picture, const QString& caption, const QString& hint, QWidget* parent = nullptr);

  // Position and size in the parent's client coordinates; the picture is redrawn to fit.
  void place(int left, int top, int width, int height);

  std::function<void()> OnClick;

 private:
  Picture picture_;
};

}  // namespace ui
