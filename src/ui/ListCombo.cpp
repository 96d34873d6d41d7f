#include "ui/ListCombo.h"

#include <QKeyEvent>

namespace ui {

ListCombo::ListCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this] {
    if (OnClick) OnClick();
  });
}

void ListCombo::setItems(const QStringList& items) {
  clear();
  addItems(items);
}

void ListCombo::keyPressEvent(QKeyEvent* event) {
  // A plain combo would jump to the item starting with the typed letter.
  if (!event->text().isEmpty() && event->text().front().isPrint()) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace ui
