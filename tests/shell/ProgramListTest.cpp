// The program name list: Add, rename, Delete and Clear with their questions and button states.
#include <QListWidget>
#include <QTest>

#include "MainWindowFixture.h"
#include "config/Cp1252.h"
#include "config/SharedRecord.h"
#include "editors/QR7714_Ghost.h"
#include "editors/QR7714_Prog.h"
#include "ui/ListCombo.h"
#include "ui/Edit.h"
#include "ui/PictureButton.h"

namespace {

class ProgramList : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenWindow();
    ConnectToDevice();
  }

  // Types a name and presses Enter in the name field.
  void AddName(const QString& name) {
    window->txt_NameProg->setFocus();
    window->txt_NameProg->setText(QString());
    TypeText(window->txt_NameProg, name);
    QTest::keyClick(window->txt_NameProg, Qt::Key_Return);
  }

  void Select(int line) {
    window->lst_Prog->setCurrentRow(line);
    window->lst_ProgClick();
  }

  bool ListButtonsEnabled() const {
    return window->bt_Edit->isEnabled() && window->bt_Delete->isEnabled() && window->bt_Clear->isEnabled();
  }

  static std::string Name(int slot) {
    const ServiceEntry& s = SharedMuxConfig().A.Services[slot];
    return std::string(FieldText(s.ServiceName, sizeof s.ServiceName));
  }
};

TEST_F(ProgramList, EnterAddsTheNameAsTypedAndEnablesTheListButtons) {
  AddName(" News");
  EXPECT_EQ(ListLines(), QStringList{" News"});
  EXPECT_TRUE(window->txt_NameProg->text().isEmpty());
  EXPECT_TRUE(ListButtonsEnabled());
  EXPECT_TRUE(window->bt_Save->isEnabled());
  EXPECT_FALSE(window->bt_Send->isEnabled());
  EXPECT_EQ(window->lst_Prog->selectedItems().size(), 0);
}

TEST_F(ProgramList, PickingALineWithMouseOrKeysCopiesItIntoTheNameField) {
  for (const char* name : {"One", "Two"}) AddName(name);
  QListWidget* list = window->lst_Prog;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(window->txt_NameProg->text(), "One");
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(window->txt_NameProg->text(), "Two");
}

TEST_F(ProgramList, BlankNameIsRefusedKeepsTheTextAndDeselects) {
  AddName("Sport");
  Select(0);
  dialogs.expectMessage("Enter name, please.", ui::kMbExclamation);
  window->txt_NameProg->setText("   ");
  window->bt_Add->click();
  EXPECT_EQ(window->txt_NameProg->text(), "   ");
  EXPECT_EQ(ListLines(), QStringList{"Sport"});
  EXPECT_EQ(window->lst_Prog->selectedItems().size(), 0);
}

TEST_F(ProgramList, DuplicateNameAnsweredNoIsAppendedAnsweredYesChangesNothing) {
  AddName("Sport");
  dialogs.expectMessage("Name already exist. \n Do you replace them?", ui::kMbYesNo, ui::kIdNo);
  AddName("Sport");
  EXPECT_EQ(ListLines(), (QStringList{"Sport", "Sport"}));

  // Both lines ask; Yes on the first ends the handler at once.
  dialogs.expectMessage("Name already exist. \n Do you replace them?", ui::kMbYesNo, ui::kIdYes);
  AddName("Sport");
  EXPECT_EQ(ListLines(), (QStringList{"Sport", "Sport"}));
  EXPECT_EQ(window->txt_NameProg->text(), "Sport");
}

TEST_F(ProgramList, RenameStoresTheTrimmedNameOnlyWhenProgramsExist) {
  for (const char* name : {"One", "Two", "Three"}) AddName(name);
  dialogs.expectMessage("Do you wish change Program Name?", ui::kMbYesNo, ui::kIdYes);
  Select(2);
  EXPECT_EQ(window->txt_NameProg->text(), "Three");
  AddName(" Trois ");
  EXPECT_EQ(ListLines(), (QStringList{"One", "Two", "Trois"}));
  EXPECT_EQ(Name(2), "");  // ProgramCount 0: only the list changed

  MuxConfig& cfg = SharedMuxConfig();
  for (const char* name : {"One", "Two", "Trois"}) AddSimpleProgram(cfg, name);
  dialogs.expectMessage("Do you wish change Program Name?", ui::kMbYesNo, ui::kIdYes);
  Select(2);
  AddName(" Drei");
  EXPECT_EQ(Name(2), "Drei");
  EXPECT_EQ(ListLines()[2], "Drei");

  // Answered No, the name is appended as typed.
  dialogs.expectMessage("Do you wish change Program Name?", ui::kMbYesNo, ui::kIdNo);
  Select(0);
  AddName(" Neu");
  EXPECT_EQ(ListLines(), (QStringList{"One", "Two", "Drei", " Neu"}));
  EXPECT_EQ(Name(0), "One");
}

TEST_F(ProgramList, RenameStoresWindows1252Bytes) {
  AddName("Caf\u00e9");  // typed as a user would
  MuxConfig& cfg = SharedMuxConfig();
  AddSimpleProgram(cfg, "x");
  dialogs.expectMessage("Do you wish change Program Name?", ui::kMbYesNo, ui::kIdYes);
  Select(0);
  AddName(QString::fromUtf8("S\u00e3o Paulo 1"));
  // The eleventh character does not fit; the rename stores the trimmed name as Windows-1252.
  EXPECT_EQ(Name(0), "S\xe3o Paulo");
  EXPECT_EQ(ListLines()[0], QString::fromUtf8("S\u00e3o Paulo"));
}

TEST_F(ProgramList, RenameAtALineFrom100OnChangesOnlyTheList) {
  MuxConfig& cfg = SharedMuxConfig();
  AddSimpleProgram(cfg, "P");
  for (int i = 0; i < 101; ++i) window->lst_Prog->addItem(QString("P%1").arg(i));
  const MuxConfig before = cfg;
  dialogs.expectMessage("Do you wish change Program Name?", ui::kMbYesNo, ui::kIdYes);
  Select(100);
  AddName("Late");
  EXPECT_EQ(ListLines()[100], "Late");
  EXPECT_EQ(std::memcmp(&before, &cfg, sizeof before), 0);
}

TEST_F(ProgramList, DeleteRemovesTheSlotOfTheSelectedLineOnlyWhenItHasAProgram) {
  MuxConfig& cfg = SharedMuxConfig();
  for (const char* name : {"One", "Two", "Three"}) AddName(name);
  AddSimpleProgram(cfg, "One");
  AddSimpleProgram(cfg, "Two");

  Select(1);
  window->bt_Delete->click();
  EXPECT_EQ(ListLines(), (QStringList{"One", "Three"}));
  EXPECT_EQ(cfg.A.ProgramCount, 1);
  EXPECT_EQ(Name(0), "One");
  EXPECT_TRUE(window->txt_NameProg->text().isEmpty());

  Select(1);  // "Three" has no program
  window->bt_Delete->click();
  EXPECT_EQ(ListLines(), QStringList{"One"});
  EXPECT_EQ(cfg.A.ProgramCount, 1);
}

TEST_F(ProgramList, DeleteOfALineBeyondTheProgramsNeverDropsAnotherProgram) {
  MuxConfig& cfg = SharedMuxConfig();
  // Line 1 repeats the name of slot 0 but has no slot of its own.
  for (const char* name : {"One", "One"}) window->lst_Prog->addItem(name);
  AddSimpleProgram(cfg, "One");
  Select(1);
  window->bt_DeleteClick();
  EXPECT_EQ(cfg.A.ProgramCount, 1);
  EXPECT_EQ(ListLines(), QStringList{"One"});
}

TEST_F(ProgramList, DeleteWithoutSelectionAsksForOneAndEmptiesTheName) {
  AddName("One");
  window->txt_NameProg->setText("typed");
  dialogs.expectMessage("Choose item, please.", ui::kMbExclamation);
  window->bt_Delete->click();
  EXPECT_TRUE(window->txt_NameProg->text().isEmpty());
  EXPECT_EQ(ListLines(), QStringList{"One"});
}

TEST_F(ProgramList, DeleteOfTheLastLineDisablesSaveAndSendOnlyWithoutGhosts) {
  struct Case {
    int ghosts;
    bool saveAndSendAfter;
  };
  for (const Case c : {Case{0, false}, Case{1, true}}) {
    MuxConfig& cfg = SharedMuxConfig();
    cfg.B.GhostTable.Count = 0;
    for (int i = 0; i < c.ghosts; ++i) AddGhostEntry(cfg, 1, 300, 400);
    AddName("Only");
    window->bt_Send->setEnabled(true);
    Select(0);
    window->bt_Delete->click();
    EXPECT_FALSE(ListButtonsEnabled());
    EXPECT_EQ(window->bt_Save->isEnabled(), c.saveAndSendAfter) << c.ghosts << " ghosts";
    EXPECT_EQ(window->bt_Send->isEnabled(), c.saveAndSendAfter) << c.ghosts << " ghosts";
  }
}

TEST_F(ProgramList, ClearAsksAndEmptiesTheProgramsButKeepsSlotsAndGhosts) {
  MuxConfig& cfg = SharedMuxConfig();
  AddName("One");
  AddSimpleProgram(cfg, "One");
  cfg.A.TransportStreamId = 7;
  AddGhostEntry(cfg, 1, 300, 400);
  window->bt_Send->setEnabled(true);

  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdNo);
  window->bt_Clear->click();
  EXPECT_EQ(ListLines(), QStringList{"One"});
  EXPECT_EQ(cfg.A.ProgramCount, 1);

  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdYes);
  window->bt_Clear->click();
  EXPECT_TRUE(ListLines().isEmpty());
  EXPECT_EQ(cfg.A.ProgramCount, 0);
  EXPECT_EQ(cfg.A.TransportStreamId, 0);
  EXPECT_EQ(Name(0), "One");
  EXPECT_EQ(cfg.B.GhostTable.Count, 1);
  for (QWidget* b : std::initializer_list<QWidget*>{window->bt_Edit, window->bt_Delete, window->bt_Clear,
                                                    window->bt_Save, window->bt_Send})
    EXPECT_FALSE(b->isEnabled());
}

TEST_F(ProgramList, EditOpensTheProgramEditorWithTheListedNamesAndItsExitEnablesSend) {
  for (const char* name : {"One", "Two"}) AddName(name);
  AddSimpleProgram(SharedMuxConfig(), "One");
  dialogs.expectModal([](QDialog& dialog) {
    auto* editor = dynamic_cast<Tfrm_CfgProg*>(&dialog);
    ASSERT_NE(editor, nullptr);
    QStringList names;
    for (int i = 0; i < editor->cb_NameProg->count(); ++i) names << editor->cb_NameProg->itemText(i);
    EXPECT_EQ(names, (QStringList{"One", "Two"}));
    editor->bt_Exit->click();
  });
  window->bt_Edit->click();
  EXPECT_TRUE(window->bt_Send->isEnabled());
}

TEST_F(ProgramList, GhostOpensTheGhostEditor) {
  dialogs.expectModal([](QDialog& dialog) {
    auto* editor = dynamic_cast<Tfrm_CfgGhost*>(&dialog);
    ASSERT_NE(editor, nullptr);
    editor->bt_Exit->click();
  });
  window->bt_Ghost->click();
  EXPECT_FALSE(window->bt_Send->isEnabled()) << "no ghost entries";
}

TEST_F(ProgramList, EditorsSeeTheListAndTheNetworkNameAndEnableSendAndSave) {
  for (const char* name : {"One", "Two"}) AddName(name);
  window->txt_NetName->setText("Net");
  const MainWindowAccess access = window->EditorAccess();
  EXPECT_EQ(access.programNames(), (QStringList{"One", "Two"}));
  EXPECT_EQ(access.networkNameText(), "Net");
  access.enableSend();
  EXPECT_TRUE(window->bt_Send->isEnabled());
}

}  // namespace
