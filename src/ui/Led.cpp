#include "ui/Led.h"

#include <QPainter>
#include <QRadialGradient>

namespace ui {

Led::Led(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Led::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF lamp = QRectF(rect()).adjusted(2, 2, -2, -2);
  QRadialGradient glow(lamp.center() - QPointF(lamp.width() / 5, lamp.height() / 5), lamp.width() / 1.5);
  glow.setColorAt(0, colour_.lighter(180));
  glow.setColorAt(0.5, colour_);
  glow.setColorAt(1, colour_.darker(200));
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(glow);
  p.drawEllipse(lamp);
}

}  // namespace ui
