#pragma once
// A round status lamp drawn in one colour; shown and hidden like an image.

#include <QColor>
#include <QWidget>

namespace ui {

class Led : public QWidget {
  Q_OBJECT
 public:
  Led(const QColor& colour, QWidget* parent = nullptr);

  static QColor Red() { return QColor(220, 30, 30); }
  static QColor Green() { return QColor(30, 200, 60); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

}  // namespace ui
