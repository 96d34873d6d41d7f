// Message boxes and modal dialogs: the real Qt path answers with the form codes, and the scripted
// hook answers from its script and reports surprises.
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "ui/Dialogs.h"

namespace {

using ui::testing::RunWhenModal;
using ui::testing::ScriptedDialogs;

// Clicks the button of a real message box that carries `role`.
void Answer(QWidget& modal, QMessageBox::StandardButton button) {
  auto& box = dynamic_cast<QMessageBox&>(modal);
  box.button(button)->click();
}

struct RealBoxCase {
  int flags;
  QMessageBox::StandardButton clicked;
  QMessageBox::Icon icon;
  int expected;
};

class RealMessageBox : public ::testing::TestWithParam<RealBoxCase> {};

TEST_P(RealMessageBox, ShowsTheIconAndReturnsTheFormAnswer) {
  const RealBoxCase c = GetParam();
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString caption;
  RunWhenModal([&](QWidget& modal) {
    icon = dynamic_cast<QMessageBox&>(modal).icon();
    caption = modal.windowTitle();
    Answer(modal, c.clicked);
  });
  EXPECT_EQ(ui::MessageBox("text", ui::kAppCaption, c.flags), c.expected);
  EXPECT_EQ(icon, c.icon);
  EXPECT_EQ(caption, ui::kAppCaption);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, RealMessageBox,
    ::testing::Values(RealBoxCase{ui::kMbStop, QMessageBox::Ok, QMessageBox::Critical, ui::kIdOk},
                      RealBoxCase{ui::kMbExclamation, QMessageBox::Ok, QMessageBox::Warning, ui::kIdOk},
                      RealBoxCase{ui::kMbYesNo, QMessageBox::Yes, QMessageBox::Warning, ui::kIdYes},
                      RealBoxCase{ui::kMbYesNo, QMessageBox::No, QMessageBox::Warning, ui::kIdNo},
                      RealBoxCase{ui::kMbInformation, QMessageBox::Ok, QMessageBox::Information, ui::kIdOk}));

TEST(ScriptedDialogs, AnswersInOrderAndLogs) {
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdYes)
      .expectSimpleMessage("File corrupted!")
      .expectFileChoice(ui::FileDialogKind::Save, QString("/tmp/x.mux"));
  EXPECT_EQ(ui::MessageBox("Delete all items?", ui::kAppCaption, ui::kMbYesNo), ui::kIdYes);
  ui::ShowMessage("File corrupted!");
  EXPECT_EQ(ui::ChooseFile(ui::FileDialogKind::Save, {}), QString("/tmp/x.mux"));
  EXPECT_TRUE(dialogs.allConsumed());
  EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST(ScriptedDialogs, UnexpectedMessageFailsAndAnswersNo) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        EXPECT_EQ(ui::MessageBox("Surprise", ui::kAppCaption, ui::kMbYesNo), ui::kIdNo);
      },
      "unexpected message box");
}

TEST(ScriptedDialogs, WrongFlagsFail) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.expectMessage("Error at Save.", ui::kMbStop);
        ui::MessageBox("Error at Save.", ui::kAppCaption, ui::kMbExclamation);
      },
      "flags");
}

TEST(ScriptedDialogs, MissingMessageFailsAtTheEnd) {
  EXPECT_NONFATAL_FAILURE({ ScriptedDialogs dialogs; dialogs.expectSimpleMessage("never"); },
                          "never appeared");
}

TEST(ScriptedDialogs, ModalDialogIsDrivenInsideItsLoop) {
  ScriptedDialogs dialogs;
  QDialog dialog;
  bool wasModalAndVisible = false;
  dialogs.expectModal([&](QDialog& shown) {
    wasModalAndVisible = shown.isVisible() && QApplication::activeModalWidget() == &shown;
    // a message raised from inside the dialog is scripted too
    ui::MessageBox("inside", ui::kAppCaption, ui::kMbExclamation);
    shown.accept();
  });
  dialogs.expectMessage("inside", ui::kMbExclamation);
  EXPECT_EQ(ui::ShowModal(dialog), QDialog::Accepted);
  EXPECT_TRUE(wasModalAndVisible);
}

}  // namespace
