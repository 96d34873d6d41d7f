#include "ui/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 0, 2, 0);
  layout->setHorizontalSpacing(2);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    layout->addWidget(button, i % rows, i / rows);
    connect(button, &QRadioButton::clicked, this, [this] {
      if (OnClick) OnClick();
    });
    buttons_.push_back(button);
  }
}

int RadioGroup::itemIndex() const {
  for (int i = 0; i < count(); ++i)
    if (button(i)->isChecked()) return i;
  return -1;
}

void RadioGroup::setItemIndex(int index) {
  if (index >= 0 && index < count()) button(index)->setChecked(true);
}

}  // namespace ui
