#pragma once
// User-like input for the form tests of every folder: typing key by key through the key filters,
// leaving a field for another, clicking where a control reacts, picking from a drop-down list and
// clicking a row of a report view.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "ui/ReportView.h"

namespace ui::testing {

// Shows the form and makes it the active window, so focus changes reach its fields.
inline void ShowActive(QWidget& form) {
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Types text the focused way QTest::keyClicks does (characters it maps to keys).
inline void TypeInto(QWidget* field, const QString& text) {
  field->setFocus(Qt::MouseFocusReason);
  QTest::keyClicks(field, text);
}

// Types any text key by key (also characters QTest::keyClicks cannot map to a key).
inline void TypeText(QWidget* target, const QString& text) {
  for (const QChar c : text)
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Moves the focus from wherever it is to `next`, as a click into `next` would.
inline void FocusTo(QWidget* next) { next->setFocus(Qt::MouseFocusReason); }

// Clicks near the left edge, where a check box or radio button has its indicator.
inline void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Picks an item from the opened drop-down list with the keyboard, which is how a choice arrives
// (also when the item is the one already shown).
inline void PickItem(QComboBox* combo, int index) {
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
  QTest::keyClick(view, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_EQ(combo->currentIndex(), index);
}

inline void ClickRow(ui::ReportView* list, int row) {
  const QRect cell = list->visualRect(list->model()->index(row, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

inline QStringList RowTexts(const ui::ReportView* list, int row) {
  QStringList cells;
  for (int c = 0; c < list->columnCount(); ++c) cells << list->cellText(row, c);
  return cells;
}

}  // namespace ui::testing
