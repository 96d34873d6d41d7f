#pragma once
// A report-style list: each row is a caption (column 0) plus sub-items (columns 1..), whole-row
// single selection, optional grid lines. Rows are addressed by index; selectedRow() is -1 when no
// row is selected. OnClick runs when the user selects a row with the mouse or keyboard, not when
// the program selects one.

#include <QStringList>
#include <QTableWidget>
#include <functional>
#include <span>
#include <vector>

namespace ui {

struct ReportColumn {
  const char* caption;
  int width;
  Qt::Alignment alignment = Qt::AlignLeft;
};

class ReportView : public QTableWidget {
  Q_OBJECT
 public:
  explicit ReportView(QWidget* parent = nullptr);

  void setColumns(std::span<const ReportColumn> columns);
  void setGridLines(bool on) { setShowGrid(on); }

  int addRow(const QString& caption, const QStringList& subItems = {});
  void setRow(int row, const QString& caption, const QStringList& subItems = {});
  void removeRowAt(int row) { removeRow(row); }
  void clearRows() { setRowCount(0); }
  QString caption(int row) const { return cellText(row, 0); }
  QString subItem(int row, int index) const { return cellText(row, index + 1); }
  QString cellText(int row, int column) const;

  int selectedRow() const;
  void selectRowAt(int row);
  void clearRowSelection();

  std::function<void()> OnClick;

 private:
  std::vector<Qt::Alignment> alignments_;
  bool settingByProgram_ = false;
};

}  // namespace ui
