#include <QGroupBox>
#include <QRadioButton>
#include <memory>

#include "EditorTestSupport.h"
#include "editors/QR7714_Ghost.h"
#include "ui/Edit.h"
#include "ui/ListCombo.h"
#include "ui/PictureButton.h"

namespace {

constexpr const char* kEnterPids = "Enter PID IN and PID OUT, please.";

class GhostEditor : public editors_test::EditorFormTest {
 protected:
  Tfrm_CfgGhost& Open() {
    form = std::make_unique<Tfrm_CfgGhost>(nullptr, mainWindow.Access());
    ShowActive(*form);
    return *form;
  }

  void StoreEntry(int16_t input, int16_t pidIn, int16_t pidOut) {
    GhostPidTable& table = Record().B.GhostTable;
    table.Input[table.Count] = input;
    table.PidIn[table.Count] = pidIn;
    table.PidOut[table.Count] = pidOut;
    ++table.Count;
  }

  // Types both PIDs and adds them with Enter in the Out field.
  void AddByEnter(const QString& pidIn, const QString& pidOut) {
    TypeInto(form->txt_PidInGhost, pidIn);
    TypeInto(form->txt_PidOutGhost, pidOut);
    QTest::keyClick(form->txt_PidOutGhost, Qt::Key_Return);
  }

  QStringList Row(int row) const { return RowTexts(form->lst_Ghost, row); }

  std::unique_ptr<Tfrm_CfgGhost> form;
};

TEST_F(GhostEditor, StoredEntriesAreListedInDecimal) {
  StoreEntry(1, 100, 200);
  StoreEntry(2, 8191, 32);
  StoreEntry(4, 1000, 1001);
  Open();
  ASSERT_EQ(form->lst_Ghost->rowCount(), 3);
  EXPECT_EQ(Row(0), (QStringList{"1", " 100", " 200"}));
  EXPECT_EQ(Row(1), (QStringList{"2", "8191", "  32"}));
  EXPECT_EQ(Row(2), (QStringList{"4", "1000", "1001"}));
  EXPECT_TRUE(form->bt_Delete->isEnabled());
  EXPECT_TRUE(form->bt_Clear->isEnabled());
  EXPECT_FALSE(form->rdg_PidEdit->isEnabled());
  EXPECT_TRUE(form->rdg_PidEditDecimal->isChecked());
  EXPECT_EQ(form->bt_Exit->text(), QStringLiteral("Exit "));
}

TEST_F(GhostEditor, EmptyListStartsUnlocked) {
  Open();
  EXPECT_FALSE(form->bt_Delete->isEnabled());
  EXPECT_FALSE(form->bt_Clear->isEnabled());
  EXPECT_TRUE(form->rdg_PidEdit->isEnabled());
  EXPECT_EQ(form->cb_InASI->currentText(), QStringLiteral("1"));
  EXPECT_EQ(form->txt_PidInGhost->maxLength(), 4);
}

TEST_F(GhostEditor, HexadecimalEntryAddedByEnterIsStoredAsNumbers) {
  Open();
  Click(form->rdg_PidEditHexa);
  AddByEnter(QStringLiteral("1f"), QStringLiteral("20"));
  ASSERT_EQ(form->lst_Ghost->rowCount(), 1);
  EXPECT_EQ(Row(0), (QStringList{"1", "001F", "0020"}));
  EXPECT_TRUE(form->txt_PidInGhost->text().isEmpty());
  EXPECT_TRUE(form->txt_PidOutGhost->text().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), form->txt_PidInGhost);
  EXPECT_FALSE(form->rdg_PidEdit->isEnabled());
  EXPECT_TRUE(form->bt_Delete->isEnabled());

  Click(form->bt_Exit);
  const GhostPidTable& table = Record().B.GhostTable;
  ASSERT_EQ(table.Count, 1);
  EXPECT_EQ(table.Input[0], 1);
  EXPECT_EQ(table.PidIn[0], 31);
  EXPECT_EQ(table.PidOut[0], 32);
  EXPECT_TRUE(mainWindow.sendEnabled);
  EXPECT_TRUE(mainWindow.saveEnabled);
}

TEST_F(GhostEditor, DecimalTextIsReadUpToItsSeparator) {
  Open();
  PickItem(form->cb_InASI, 2);
  AddByEnter(QStringLiteral("12,5"), QStringLiteral("40"));
  EXPECT_EQ(Row(0), (QStringList{"3", "  12", "  40"}));
  EXPECT_EQ(form->cb_InASI->currentText(), QStringLiteral("3")) << "the input is kept";
  Click(form->bt_Exit);
  EXPECT_EQ(Record().B.GhostTable.PidIn[0], 12);
  EXPECT_EQ(Record().B.GhostTable.Input[0], 3);
}

TEST_F(GhostEditor, DiscardedKeysAddAndNonDigitsAreRefused) {
  Open();
  TypeInto(form->txt_PidInGhost, QStringLiteral("50"));
  dialogs.expectMessage(kEnterPids, ui::kMbExclamation);
  TypeInto(form->txt_PidOutGhost, QStringLiteral("A"));  // not a decimal digit: runs Add
  EXPECT_EQ(form->txt_PidOutGhost->text(), QString());
  EXPECT_EQ(form->lst_Ghost->rowCount(), 0);

  // "." alone passes the key filter but names no PID.
  TypeInto(form->txt_PidOutGhost, QStringLiteral("."));
  dialogs.expectMessage(kEnterPids, ui::kMbExclamation);
  QTest::keyClick(form->txt_PidOutGhost, Qt::Key_Return);
  EXPECT_EQ(form->lst_Ghost->rowCount(), 0);
  EXPECT_EQ(form->txt_PidInGhost->text(), QStringLiteral("50")) << "a refusal keeps the fields";

  // A control character is discarded too, so it adds: Escape as the window system types it.
  form->txt_PidOutGhost->clear();
  TypeInto(form->txt_PidOutGhost, QStringLiteral("60"));
  QTest::sendKeyEvent(QTest::Click, form->txt_PidOutGhost, Qt::Key_Escape, QString(QChar(0x1B)), Qt::NoModifier);
  ASSERT_EQ(form->lst_Ghost->rowCount(), 1);
  EXPECT_EQ(Row(0), (QStringList{"1", "  50", "  60"}));
}

TEST_F(GhostEditor, DuplicatesAreRefusedOnTheFormattedTexts) {
  Open();
  AddByEnter(QStringLiteral("100"), QStringLiteral("200"));
  dialogs.expectMessage("Items already exist in list!", ui::kMbExclamation);
  AddByEnter(QStringLiteral("100"), QStringLiteral("200"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 1);
  form->txt_PidInGhost->clear();
  form->txt_PidOutGhost->clear();
  AddByEnter(QStringLiteral("100"), QStringLiteral("201"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 2);
  PickItem(form->cb_InASI, 1);
  AddByEnter(QStringLiteral("100"), QStringLiteral("200"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 3);
}

TEST_F(GhostEditor, FortyFourPidsPerInputCountRowsOfThisOpening) {
  // Programs already place 40 output PIDs on input 1.
  MuxConfig& cfg = Record();
  cfg.A.ProgramCount = 6;
  for (int k = 0; k < 6; ++k) {
    cfg.A.InputOfProgram[k] = 1;
    ProgramEntry& p = cfg.A.Programs[k];
    p.VideoPidOut = kNoPid;
    for (AudioStream& a : p.Audio) a.PidOut = kNoPid;
    for (DataStream& d : p.Data) d.PidOut = kNoPid;
    for (int j = 0; j < (k < 5 ? 4 : 0); ++j) p.Audio[j].PidOut = static_cast<int16_t>(100 + 10 * k + j);
    for (int j = 0; j < (k < 5 ? 2 : 0); ++j) p.Data[j].PidOut = static_cast<int16_t>(500 + 10 * k + j);
    p.VideoPidOut = static_cast<int16_t>(k < 5 ? 600 + k : kNoPid);
  }
  cfg.A.Programs[5].Audio[0].PidOut = 700;
  cfg.A.Programs[5].Audio[1].PidOut = 701;
  cfg.A.Programs[5].Audio[2].PidOut = 702;
  cfg.A.Programs[5].Audio[3].PidOut = 703;
  cfg.A.Programs[5].Data[0].PidOut = 704;  // 5 x 7 + 5 = 40
  Open();
  for (int i = 0; i < 4; ++i) AddByEnter(QString::number(40 + i), QString::number(40 + i));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 4);
  dialogs.expectMessage("Limited 44 Pid per IN.", ui::kMbExclamation);
  AddByEnter(QStringLiteral("50"), QStringLiteral("50"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 4);

  // Deleting a row of this opening frees its place at once.
  ClickRow(form->lst_Ghost, 3);
  Click(form->bt_Delete);
  form->txt_PidInGhost->clear();
  form->txt_PidOutGhost->clear();
  AddByEnter(QStringLiteral("50"), QStringLiteral("50"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 4);
  PickItem(form->cb_InASI, 1);
  AddByEnter(QStringLiteral("51"), QStringLiteral("51"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), 5);
}

TEST_F(GhostEditor, FullTableTakesNoFurtherRow) {
  // A stored table may fill all 352 entries (here on an input the list does not offer).
  for (int i = 0; i < kMaxGhostEntries; ++i) StoreEntry(0, static_cast<int16_t>(i), static_cast<int16_t>(i));
  Open();
  dialogs.expectMessage("Limited 352 Ghost Pids.", ui::kMbExclamation);
  AddByEnter(QStringLiteral("40"), QStringLiteral("41"));
  EXPECT_EQ(form->lst_Ghost->rowCount(), kMaxGhostEntries);
  Click(form->bt_Exit);
  EXPECT_EQ(Record().B.GhostTable.Count, kMaxGhostEntries);
}

TEST_F(GhostEditor, DeleteAllThenExitStoresAnEmptyTable) {
  StoreEntry(1, 100, 200);
  StoreEntry(2, 300, 400);
  Open();
  dialogs.expectMessage("Choose item, please.", ui::kMbExclamation);
  Click(form->bt_Delete);  // nothing selected
  for (int remaining = 2; remaining > 0; --remaining) {
    ClickRow(form->lst_Ghost, 0);
    EXPECT_EQ(form->txt_PidInGhost->text(), remaining == 2 ? QStringLiteral(" 100") : QStringLiteral(" 300"));
    Click(form->bt_Delete);
    EXPECT_TRUE(form->txt_PidInGhost->text().isEmpty());
  }
  EXPECT_FALSE(form->bt_Delete->isEnabled());
  EXPECT_FALSE(form->bt_Clear->isEnabled());
  EXPECT_TRUE(form->rdg_PidEdit->isEnabled());
  EXPECT_EQ(Record().B.GhostTable.Count, 2) << "the record waits for Exit";
  Click(form->bt_Exit);
  EXPECT_EQ(Record().B.GhostTable.Count, 0);
  EXPECT_FALSE(mainWindow.sendEnabled);
  Open();
  EXPECT_EQ(form->lst_Ghost->rowCount(), 0);
}

TEST_F(GhostEditor, ConfirmedClearEmptiesTheTableEvenWithoutExit) {
  StoreEntry(1, 100, 200);
  Open();
  PickItem(form->cb_InASI, 3);
  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdNo);
  Click(form->bt_Clear);
  EXPECT_EQ(form->lst_Ghost->rowCount(), 1);
  EXPECT_EQ(Record().B.GhostTable.Count, 1);

  dialogs.expectMessage("Delete all items?", ui::kMbYesNo, ui::kIdYes);
  Click(form->bt_Clear);
  EXPECT_EQ(Record().B.GhostTable.Count, 0);
  EXPECT_EQ(form->lst_Ghost->rowCount(), 0);
  EXPECT_EQ(form->cb_InASI->currentText(), QStringLiteral("1"));
  EXPECT_TRUE(form->rdg_PidEdit->isEnabled());
  EXPECT_FALSE(form->bt_Clear->isEnabled());
  form->close();
  EXPECT_EQ(Record().B.GhostTable.Count, 0);

  dialogs.expectMessage("List is empty!", ui::kMbExclamation);
  form->bt_ClearClick();  // the guard behind the disabled button
}

TEST_F(GhostEditor, CloseBoxDiscardsTheWorkingCopy) {
  StoreEntry(1, 100, 200);
  const MuxConfig before = Record();
  Open();
  AddByEnter(QStringLiteral("300"), QStringLiteral("301"));
  ClickRow(form->lst_Ghost, 0);
  Click(form->bt_Delete);
  form->close();
  EXPECT_EQ(0, std::memcmp(&before, &Record(), sizeof before));
  EXPECT_FALSE(mainWindow.sendEnabled);
}

TEST_F(GhostEditor, RewriteKeepsTheSelectionOnlyInHexadecimal) {
  Open();
  Click(form->rdg_PidEditHexa);
  AddByEnter(QStringLiteral("20"), QStringLiteral("21"));
  ClickRow(form->lst_Ghost, 0);
  EXPECT_EQ(form->txt_PidInGhost->text(), QStringLiteral("0020"));
  form->txt_PidOutGhost->setText(QStringLiteral("22"));
  QTest::keyClick(form->txt_PidOutGhost, Qt::Key_Return);
  EXPECT_EQ(Row(0), (QStringList{"1", "0020", "0022"}));
  EXPECT_EQ(form->lst_Ghost->selectedRow(), 0);
  // Rewriting a row with the texts it shows is a duplicate of itself.
  TypeInto(form->txt_PidInGhost, QStringLiteral("20"));
  TypeInto(form->txt_PidOutGhost, QStringLiteral("22"));
  dialogs.expectMessage("Items already exist in list!", ui::kMbExclamation);
  QTest::keyClick(form->txt_PidOutGhost, Qt::Key_Return);

  form.reset();
  Open();
  AddByEnter(QStringLiteral("100"), QStringLiteral("200"));
  ClickRow(form->lst_Ghost, 0);
  form->txt_PidOutGhost->setText(QStringLiteral("201"));
  QTest::keyClick(form->txt_PidOutGhost, Qt::Key_Return);
  EXPECT_EQ(Row(0), (QStringList{"1", " 100", " 201"}));
  EXPECT_EQ(form->lst_Ghost->selectedRow(), -1);
  EXPECT_EQ(form->lst_Ghost->rowCount(), 1);
}

TEST_F(GhostEditor, OpenGhostEditorShowsAModalEditor) {
  StoreEntry(3, 40, 41);
  dialogs.expectModal([](QDialog& dialog) {
    auto& editor = dynamic_cast<Tfrm_CfgGhost&>(dialog);
    EXPECT_EQ(editor.lst_Ghost->rowCount(), 1);
    editor.bt_Exit->click();
  });
  OpenGhostEditor(nullptr, mainWindow.Access());
  EXPECT_TRUE(mainWindow.sendEnabled);
  EXPECT_TRUE(mainWindow.saveEnabled);
}

}  // namespace
