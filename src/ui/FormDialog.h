#pragma once
// A modal form of the application. FormShow runs once, when the form is first shown (laid out and
// placed, as its handlers expect). Escape closes the form only where the form allows it: an editor
// left by Escape would drop its unsaved work without a word.

#include <QDialog>

namespace ui {

enum class EscapeKey { Closes, Ignored };

class FormDialog : public QDialog {
 public:
  FormDialog(QWidget* owner, EscapeKey escape);
  virtual void FormShow() = 0;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  EscapeKey escape_;
  bool shown_ = false;
};

}  // namespace ui
