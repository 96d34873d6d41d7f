#pragma once
// A captioned group of radio buttons laid out in columns; itemIndex() is the checked item (-1 when
// none). OnClick runs when the user checks an item (not when the program does).

#include <QGroupBox>
#include <QStringList>
#include <functional>
#include <vector>

class QRadioButton;

namespace ui {

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

  int itemIndex() const;
  void setItemIndex(int index);
  QRadioButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  int count() const { return static_cast<int>(buttons_.size()); }

  std::function<void()> OnClick;

 private:
  std::vector<QRadioButton*> buttons_;
};

}  // namespace ui
