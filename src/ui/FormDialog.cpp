#include "ui/FormDialog.h"

#include <QKeyEvent>

namespace ui {

FormDialog::FormDialog(QWidget* owner, EscapeKey escape) : QDialog(owner), escape_(escape) {}

void FormDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
  if (escape_ == EscapeKey::Ignored && event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace ui
