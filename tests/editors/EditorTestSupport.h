#pragma once
// Shared helpers of the editor form tests: a fresh process-wide record per test, a main window
// stand-in that records what the editors enable, and the shared user-like input.

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "UserInput.h"
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

  // The shared user-like input, reachable unqualified from the tests and their lambdas.
  static void ShowActive(QWidget& form) { ui::testing::ShowActive(form); }
  static void TypeInto(QWidget* field, const QString& text) { ui::testing::TypeInto(field, text); }
  static void FocusTo(QWidget* next) { ui::testing::FocusTo(next); }
  static void Click(QAbstractButton* button) { ui::testing::Click(button); }
  static void PickItem(QComboBox* combo, int index) { ui::testing::PickItem(combo, index); }
  static void ClickRow(ui::ReportView* list, int row) { ui::testing::ClickRow(list, row); }
  static QStringList RowTexts(const ui::ReportView* list, int row) { return ui::testing::RowTexts(list, row); }

  ui::testing::ScriptedDialogs dialogs;
  MainWindowStandIn mainWindow;
};

}  // namespace editors_test
