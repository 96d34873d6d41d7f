#pragma once
// The pictures of buttons, LEDs and logos, drawn with QPainter (no image files).

#include <QPixmap>
#include <QSize>

namespace ui {

enum class Picture {
  None,
  Connect,
  Disconnect,
  About,
  Exit,
  Add,
  Edit,
  Delete,
  Clear,
  Ghost,
  Open,
  Save,
  Get,
  Send,
  Ok,
  Cancel,
  Subtitle,
  MakerLogo,    // the maker's logo panel
  ProductLogo,  // the small product picture (tool bar, About box)
};

QPixmap DrawPicture(Picture picture, QSize size);

}  // namespace ui
