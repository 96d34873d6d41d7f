#include "ui/ListCombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace ui {
namespace {

// A plain combo would jump to the item starting with the typed letter.
bool TypesACharacter(const QKeyEvent& event) { return !event.text().isEmpty() && event.text().front().isPrint(); }

}  // namespace

ListCombo::ListCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  view()->installEventFilter(this);
  connect(this, &QComboBox::activated, this, [this] {
    if (OnClick) OnClick();
  });
}

void ListCombo::setItems(const QStringList& items) {
  clear();
  addItems(items);
}

void ListCombo::keyPressEvent(QKeyEvent* event) {
  if (TypesACharacter(*event)) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

bool ListCombo::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && TypesACharacter(static_cast<QKeyEvent&>(*event))) return true;
  return QComboBox::eventFilter(watched, event);
}

}  // namespace ui
