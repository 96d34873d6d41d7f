#pragma once
// The fonts of the forms: the desktop's sans font stands in for "MS Sans Serif"; "Arial" where
// the system has it (fontconfig substitutes a metric-compatible face otherwise).

#include <QFont>

namespace ui {

QFont FormFont();          // "MS Sans Serif" 8 point
QFont StatusFont();        // "MS Sans Serif", 13 pixels high
QFont PanelCaptionFont();  // "Arial" bold, 13 pixels high
QFont BoldCaptionFont();   // "Arial" bold: captions of the picture buttons

}  // namespace ui
