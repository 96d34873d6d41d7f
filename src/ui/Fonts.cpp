#include "ui/Fonts.h"

#include <QFontDatabase>

namespace ui {
namespace {

constexpr int kFormPointSize = 8;
constexpr int kCaptionPixelHeight = 13;

// Weight and style are set explicitly so that a control inside a bold-captioned group does not
// inherit the caption's boldness.
QFont SansFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setBold(false);
  font.setItalic(false);
  return font;
}

QFont ArialFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QFont FormFont() {
  QFont font = SansFont();
  font.setPointSize(kFormPointSize);
  return font;
}

QFont StatusFont() {
  QFont font = SansFont();
  font.setPixelSize(kCaptionPixelHeight);
  return font;
}

QFont PanelCaptionFont() {
  QFont font = ArialFont();
  font.setPixelSize(kCaptionPixelHeight);
  font.setBold(true);
  return font;
}

QFont BoldCaptionFont() {
  QFont font = ArialFont();
  font.setPixelSize(kCaptionPixelHeight);
  font.setBold(true);
  return font;
}

}  // namespace ui
