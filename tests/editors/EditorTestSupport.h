#pragma once
// Shared helpers of the editor form tests: a fresh process-wide record per test, a main window
// stand-in that records what the editors enable, and user-like typing, leaving and clicking.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "config/MuxConfig.h"
#include "config/SharedRecord.h"
#include "editors/EditorHost.h"
#include "ui/ReportView.h"

namespace editors_test {

inline constexpr const char* kPidRangeWarning = "Values allows (32 - 8190)";

// What the editors may reach of the main window.
struct MainWindowStandIn {
  QStringList names;
  QString networkName = QStringLiteral("NET");
  bool sendEnabled = false;
  bool saveEnabled = false;

  MainWindowAccess Access() {
    return {[this] { return names; }, [this] { return networkName; }, [this] { sendEnabled = true; },
            [this] { saveEnabled = true; }};
  }
};

class EditorFormTest : public ::testing::Test {
 protected:
  void SetUp() override { SharedMuxConfig() = MuxConfig{}; }
  MuxConfig& Record() { return SharedMuxConfig(); }

  // Shows the form and makes it the active window, so focus changes reach its fields.
  static void ShowActive(QWidget& form) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  static void TypeInto(QWidget* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(field, text);
  }

  // Moves the focus from wherever it is to `next`, as a click into `next` would.
  static void FocusTo(QWidget* next) { next->setFocus(Qt::MouseFocusReason); }

  // Clicks near the left edge, where a check box or radio button has its indicator.
  static void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  // Picks an item from the opened drop-down list with the keyboard, which is how a choice arrives
  // (also when the item is the one already shown).
  static void PickItem(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(combo->currentIndex(), index);
  }

  static void ClickRow(ui::ReportView* list, int row) {
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  }

  static QStringList RowTexts(const ui::ReportView* list, int row) {
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c) cells << list->cellText(row, c);
    return cells;
  }

  ui::testing::ScriptedDialogs dialogs;
  MainWindowStandIn mainWindow;
};

}  // namespace editors_test
