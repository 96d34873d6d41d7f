// The controls driven as a user would: typing through the key filters, leaving fields, picking.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "UserInput.h"
#include "ui/BusyDialog.h"
#include "ui/Edit.h"
#include "ui/ListCombo.h"
#include "ui/ReportView.h"

namespace {

using ui::testing::TypeText;

// A window with two edits, so the focus can leave the first one.
class TwoEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    first = new ui::Edit(&window);
    second = new ui::Edit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
  }

  QWidget window;
  ui::Edit* first = nullptr;
  ui::Edit* second = nullptr;
};

TEST_F(TwoEdits, KeyPressSeesCharacterCodesAndCanDiscard) {
  std::vector<char16_t> seen;
  first->OnKeyPress = [&](char16_t& key) {
    seen.push_back(key);
    if (!ui::IsDigitKey(key) && key != ui::kKeyBackspace) key = 0;
  };
  QTest::keyClicks(first, "1a2.3");
  QTest::keyClick(first, Qt::Key_Backspace);
  QTest::keyClick(first, Qt::Key_Return);
  EXPECT_EQ(first->text(), "12");
  EXPECT_EQ(seen, (std::vector<char16_t>{u'1', u'a', u'2', u'.', u'3', 8, 13}));
}

TEST_F(TwoEdits, ControlCharactersReachKeyPressButKeysWithoutACharacterDoNot) {
  std::vector<char16_t> seen;
  first->OnKeyPress = [&](char16_t& key) {
    seen.push_back(key);
    key = 0;
  };
  QApplication::clipboard()->setText("99");
  // Ctrl+V and Escape type the control characters 22 and 27, as the window system delivers them.
  QTest::sendKeyEvent(QTest::Click, first, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, first, Qt::Key_Escape, QString(QChar(0x1B)), Qt::NoModifier);
  QTest::keyClick(first, Qt::Key_Left);
  QTest::keyClick(first, Qt::Key_Delete);
  EXPECT_EQ(seen, (std::vector<char16_t>{22, 27}));
  EXPECT_TRUE(first->text().isEmpty()) << "a discarded Ctrl+V pastes nothing";
}

TEST_F(TwoEdits, LengthLimitsTypingButNotTextSetByTheProgram) {
  first->setMaxLength(4);
  first->setText("20000");  // a value read from a file or the device is shown whole
  EXPECT_EQ(first->text(), "20000");
  QTest::keyClicks(first, "1");
  EXPECT_EQ(first->text(), "20000") << "no room to type";
  first->clear();
  QTest::keyClicks(first, "123456");
  EXPECT_EQ(first->text(), "1234");
}

TEST_F(TwoEdits, ChangeRunsForTypingAndForTheProgram) {
  int changes = 0;
  first->OnChange = [&] { ++changes; };
  QTest::keyClicks(first, "ab");
  first->setText("xyz");
  EXPECT_EQ(changes, 3);
}

TEST_F(TwoEdits, ExitRunsOnceWhenFocusMovesEvenWithoutAChange) {
  int exits = 0;
  first->OnExit = [&] { ++exits; };
  second->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(exits, 1);
  first->setFocus();
  second->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(exits, 2);
}

TEST_F(TwoEdits, MessageBoxFromExitDoesNotReenterIt) {
  int exits = 0;
  // A real modal box takes the activation away from the window; closing it gives it back.
  first->OnExit = [&] {
    ++exits;
    ui::testing::RunWhenModal([](QWidget& box) { box.close(); });
    QDialog box(&window);
    box.exec();
  };
  second->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(exits, 1);
}

TEST_F(TwoEdits, Cp1252EditRefusesCharactersOutsideTheCodePageAndCountsBytes) {
  first->setCp1252Only(true);
  first->setMaxLength(10);
  TypeText(first, QString::fromUtf8("Caf\u00e9 \u20ac\u0151\u4e2d"));
  EXPECT_EQ(first->text(), QString::fromUtf8("Caf\u00e9 \u20ac"));
  QTest::keyClicks(first, "123456789");
  EXPECT_EQ(first->text().size(), 10);
}

TEST(ListCombo, TypingIsDiscardedAndPickingClicks) {
  ui::ListCombo combo;
  combo.setItems({"alpha", "beta", "gamma"});
  combo.setItemIndex(0);
  int clicks = 0;
  combo.OnClick = [&] { ++clicks; };
  combo.show();
  QTest::keyClicks(&combo, "g");
  EXPECT_EQ(combo.itemIndex(), 0);
  combo.showPopup();
  QTest::keyClicks(combo.view(), "b");
  EXPECT_EQ(combo.view()->currentIndex().row(), 0) << "typing in the open list picks nothing";
  combo.hidePopup();
  combo.activated(2);
  EXPECT_EQ(clicks, 1);
}

TEST(ReportView, RowsCaptionsAndSelection) {
  ui::ReportView view;
  static constexpr ui::ReportColumn kColumns[] = {{"Name", 80}, {"PID", 40, Qt::AlignRight}};
  view.setColumns(kColumns);
  int clicks = 0;
  view.OnClick = [&] { ++clicks; };
  EXPECT_EQ(view.selectedRow(), -1);
  view.addRow("one", {"  10"});
  view.addRow("two", {"  20"});
  view.setRow(1, "deux", {"  22"});
  EXPECT_EQ(view.caption(1), "deux");
  EXPECT_EQ(view.subItem(1, 0), "  22");
  EXPECT_EQ(view.item(1, 1)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  view.selectRowAt(1);
  EXPECT_EQ(view.selectedRow(), 1);
  EXPECT_EQ(clicks, 0) << "selection by the program is no click";
  view.show();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(view.item(0, 0)).center());
  EXPECT_EQ(view.selectedRow(), 0);
  EXPECT_EQ(clicks, 1);
  view.clearRowSelection();
  EXPECT_EQ(view.selectedRow(), -1);
}

TEST(BusyDialog, PumpRunsTimersButNoInput) {
  QWidget window;
  QLineEdit* edit = new QLineEdit(&window);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ui::BusyDialog busy(&window, "work");
  EXPECT_EQ(QApplication::activeModalWidget(), &busy);
  bool timerRan = false;
  QTimer::singleShot(0, [&] { timerRan = true; });
  busy.setProgress("Loading", 3, 10);
  QTest::qSleep(20);  // pump() skips calls that come sooner than its interval
  busy.pump();
  EXPECT_TRUE(timerRan);
  EXPECT_EQ(busy.progressValue(), 3);
  // The user clicks into the window and types while the work runs (through the window system,
  // as real input arrives).
  edit->setFocus();
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, edit->geometry().center());
  QTest::keyClick(window.windowHandle(), Qt::Key_A, {});
  QTest::qSleep(20);
  busy.pump();
  EXPECT_TRUE(edit->text().isEmpty());
}

}  // namespace
