#pragma once
// A drop-down combo whose text is always one of its items: typed characters are discarded, in the
// closed box and in its open list (the arrow keys still move the choice). OnClick runs when the
// user picks an item.

#include <QComboBox>
#include <QStringList>
#include <functional>

namespace ui {

class ListCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit ListCombo(QWidget* parent = nullptr);

  void setItems(const QStringList& items);
  int itemIndex() const { return currentIndex(); }  // -1 when nothing is chosen
  void setItemIndex(int index) { setCurrentIndex(index); }

  std::function<void()> OnClick;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
