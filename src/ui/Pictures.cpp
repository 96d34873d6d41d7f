#include "ui/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

// Every glyph is drawn in a 32 x 32 box that is scaled to the requested size.
constexpr qreal kGlyphBox = 32.0;

const QColor kInk(40, 60, 110);
const QColor kGreen(30, 150, 60);
const QColor kRed(200, 40, 40);
const QColor kAmber(220, 150, 20);

QPen InkPen(const QColor& colour, qreal width = 3.0) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawPlug(QPainter& p, bool joined) {
  p.setPen(InkPen(kInk));
  const qreal gap = joined ? 0 : 5;
  p.setBrush(joined ? kGreen : kRed);
  p.drawRoundedRect(QRectF(3, 11, 10 - gap / 2, 10), 2, 2);
  p.drawRoundedRect(QRectF(19 + gap / 2, 11, 10 - gap / 2, 10), 2, 2);
  p.drawLine(QPointF(13 - gap / 2, 14), QPointF(19 + gap / 2, 14));
  p.drawLine(QPointF(13 - gap / 2, 18), QPointF(19 + gap / 2, 18));
  if (!joined) {
    p.setPen(InkPen(kRed, 2));
    p.drawLine(QPointF(14, 6), QPointF(18, 26));
  }
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(InkPen(colour));
  p.drawLine(from, to);
  const QLineF shaft(to, from);
  QLineF wing1 = shaft;
  wing1.setLength(7);
  wing1.setAngle(shaft.angle() + 35);
  QLineF wing2 = shaft;
  wing2.setLength(7);
  wing2.setAngle(shaft.angle() - 35);
  p.drawLine(wing1);
  p.drawLine(wing2);
}

void DrawDocument(QPainter& p) {
  p.setPen(InkPen(kInk, 2));
  p.setBrush(Qt::white);
  QPainterPath page;
  page.moveTo(8, 3);
  page.lineTo(20, 3);
  page.lineTo(26, 9);
  page.lineTo(26, 29);
  page.lineTo(8, 29);
  page.closeSubpath();
  p.drawPath(page);
  p.drawLine(QPointF(12, 14), QPointF(22, 14));
  p.drawLine(QPointF(12, 19), QPointF(22, 19));
  p.drawLine(QPointF(12, 24), QPointF(19, 24));
}

void DrawDevice(QPainter& p, const QRectF& box) {
  QLinearGradient shade(box.topLeft(), box.bottomLeft());
  shade.setColorAt(0, QColor(90, 100, 120));
  shade.setColorAt(1, QColor(40, 45, 60));
  p.setPen(InkPen(QColor(20, 20, 30), 1));
  p.setBrush(shade);
  p.drawRoundedRect(box, 2, 2);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(i == 0 ? kGreen : kAmber);
    p.drawEllipse(QPointF(box.left() + 4 + i * 4, box.center().y()), 1.2, 1.2);
  }
}

void DrawGlyph(QPainter& p, Picture picture) {
  switch (picture) {
    case Picture::None:
    case Picture::MakerLogo:
    case Picture::ProductLogo:
      break;
    case Picture::Connect:
      DrawPlug(p, true);
      break;
    case Picture::Disconnect:
      DrawPlug(p, false);
      break;
    case Picture::About:
      p.setPen(InkPen(kInk, 2));
      p.setBrush(QColor(220, 230, 250));
      p.drawEllipse(QRectF(4, 4, 24, 24));
      p.setPen(InkPen(kInk, 3));
      p.drawLine(QPointF(16, 14), QPointF(16, 23));
      p.drawPoint(QPointF(16, 9));
      break;
    case Picture::Exit:
      p.setPen(InkPen(kInk, 2));
      p.setBrush(QColor(230, 220, 200));
      p.drawRect(QRectF(5, 3, 14, 26));
      DrawArrow(p, QPointF(13, 16), QPointF(29, 16), kRed);
      break;
    case Picture::Add:
      p.setPen(InkPen(kGreen, 4));
      p.drawLine(QPointF(16, 6), QPointF(16, 26));
      p.drawLine(QPointF(6, 16), QPointF(26, 16));
      break;
    case Picture::Edit:
      DrawDocument(p);
      p.setPen(InkPen(kAmber, 4));
      p.drawLine(QPointF(28, 6), QPointF(15, 21));
      break;
    case Picture::Delete:
      p.setPen(InkPen(kRed, 4));
      p.drawLine(QPointF(8, 8), QPointF(24, 24));
      p.drawLine(QPointF(24, 8), QPointF(8, 24));
      break;
    case Picture::Clear:
      DrawDocument(p);
      p.setPen(InkPen(kRed, 3));
      p.drawLine(QPointF(5, 27), QPointF(29, 5));
      break;
    case Picture::Ghost: {
      p.setPen(InkPen(kInk, 2));
      p.setBrush(QColor(235, 240, 255));
      QPainterPath body;
      body.moveTo(7, 28);
      body.lineTo(7, 14);
      body.arcTo(QRectF(7, 4, 18, 20), 180, -180);
      body.lineTo(25, 28);
      body.lineTo(21, 24);
      body.lineTo(16, 28);
      body.lineTo(11, 24);
      body.closeSubpath();
      p.drawPath(body);
      p.setBrush(kInk);
      p.drawEllipse(QPointF(13, 13), 1.5, 2);
      p.drawEllipse(QPointF(19, 13), 1.5, 2);
      break;
    }
    case Picture::Open:
      p.setPen(InkPen(kInk, 2));
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(QRectF(3, 10, 26, 18));
      p.drawRect(QRectF(3, 6, 10, 4));
      DrawArrow(p, QPointF(16, 24), QPointF(16, 13), kInk);
      break;
    case Picture::Save:
      p.setPen(InkPen(kInk, 2));
      p.setBrush(QColor(90, 110, 170));
      p.drawRect(QRectF(4, 4, 24, 24));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(9, 4, 14, 9));
      p.drawRect(QRectF(8, 18, 16, 10));
      break;
    case Picture::Get:
      DrawDevice(p, QRectF(2, 3, 28, 9));
      DrawArrow(p, QPointF(16, 14), QPointF(16, 29), kGreen);
      break;
    case Picture::Send:
      DrawDevice(p, QRectF(2, 20, 28, 9));
      DrawArrow(p, QPointF(16, 3), QPointF(16, 18), kRed);
      break;
    case Picture::Ok:
      p.setPen(InkPen(kGreen, 4));
      p.drawLine(QPointF(6, 17), QPointF(13, 24));
      p.drawLine(QPointF(13, 24), QPointF(26, 8));
      break;
    case Picture::Cancel:
      p.setPen(InkPen(kRed, 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(5, 5, 22, 22));
      p.drawLine(QPointF(9, 23), QPointF(23, 9));
      break;
    case Picture::Subtitle:
      p.setPen(InkPen(kInk, 2));
      p.setBrush(QColor(60, 60, 70));
      p.drawRoundedRect(QRectF(3, 5, 26, 22), 2, 2);
      p.setPen(InkPen(Qt::white, 2));
      p.drawLine(QPointF(8, 20), QPointF(24, 20));
      p.drawLine(QPointF(11, 24), QPointF(21, 24));
      break;
  }
}

// The maker's panel: a dark gradient plate with the company name and the product name.
void DrawMakerLogo(QPainter& p, QSize size) {
  const QRectF plate(0, 0, size.width(), size.height());
  QLinearGradient shade(plate.topLeft(), plate.bottomRight());
  shade.setColorAt(0, QColor(20, 50, 110));
  shade.setColorAt(1, QColor(5, 15, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawRoundedRect(plate.adjusted(2, 2, -2, -2), 6, 6);
  p.setPen(InkPen(QColor(120, 170, 240), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(plate.width() * 0.22, plate.height() * 0.42), plate.height() * 0.22,
                plate.height() * 0.22);
  p.drawLine(QPointF(plate.width() * 0.22, plate.height() * 0.2),
             QPointF(plate.width() * 0.22, plate.height() * 0.64));
  QFont title(QStringLiteral("Arial"));
  title.setBold(true);
  title.setPixelSize(std::max(10, size.height() / 6));
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRectF(plate.width() * 0.4, 0, plate.width() * 0.58, plate.height() * 0.84),
             Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Corvane"));
  title.setBold(false);
  title.setPixelSize(std::max(8, size.height() / 11));
  p.setFont(title);
  p.setPen(QColor(170, 200, 240));
  p.drawText(QRectF(0, plate.height() * 0.68, plate.width(), plate.height() * 0.28), Qt::AlignCenter,
             QStringLiteral("QR7710-4 Multiplexer"));
}

// The product: a rack unit with its four inputs.
void DrawProductLogo(QPainter& p, QSize size) {
  const qreal w = size.width();
  const qreal h = size.height();
  DrawDevice(p, QRectF(2, h * 0.3, w - 4, h * 0.4));
  p.setPen(InkPen(QColor(200, 210, 230), 1));
  for (int i = 0; i < 4; ++i) {
    const qreal x = w * 0.45 + i * w * 0.12;
    p.drawEllipse(QPointF(x, h * 0.5), 2.5, 2.5);
  }
}

}  // namespace

QPixmap DrawPicture(Picture picture, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  if (picture == Picture::None || size.isEmpty()) return pixmap;
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  if (picture == Picture::MakerLogo) {
    DrawMakerLogo(p, size);
  } else if (picture == Picture::ProductLogo) {
    DrawProductLogo(p, size);
  } else {
    const qreal scale = std::min(size.width(), size.height()) / kGlyphBox;
    p.translate((size.width() - kGlyphBox * scale) / 2, (size.height() - kGlyphBox * scale) / 2);
    p.scale(scale, scale);
    DrawGlyph(p, picture);
  }
  return pixmap;
}

}  // namespace ui
