#include "ui/PictureButton.h"

#include "ui/Fonts.h"

namespace ui {
namespace {

constexpr int kPictureMargin = 6;
constexpr int kGlyphSide = 22;  // pictures beside a caption keep this side at most

}  // namespace

PictureButton::PictureButton(Picture picture, const QString& caption, const QString& hint, QWidget* parent)
    : QToolButton(parent), picture_(picture) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);  // like a speed button: clicking it leaves the focus where it is
  setToolTip(hint);
  setText(caption);
  setFont(BoldCaptionFont());
  setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
  connect(this, &QToolButton::clicked, this, [this] {
    if (OnClick) OnClick();
  });
}

void PictureButton::place(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
  const bool pictureOnly = text().isEmpty();
  int side = std::min(width, height) - kPictureMargin;
  if (!pictureOnly) side = std::min(side, kGlyphSide);
  const QSize pictureSize = picture_ == Picture::MakerLogo || picture_ == Picture::ProductLogo
                                ? QSize(width - kPictureMargin, height - kPictureMargin)
                                : QSize(side, side);
  setIcon(QIcon(DrawPicture(picture_, pictureSize)));
  setIconSize(pictureSize);
}

}  // namespace ui
