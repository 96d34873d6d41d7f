#include "ui/ReportView.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace ui {

ReportView::ReportView(QWidget* parent) : QTableWidget(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  setShowGrid(false);
  setWordWrap(false);
  connect(this, &QTableWidget::itemSelectionChanged, this, [this] {
    if (OnClick && !settingByProgram_ && selectedRow() >= 0) OnClick();
  });
}

void ReportView::setColumns(std::span<const ReportColumn> columns) {
  setColumnCount(static_cast<int>(columns.size()));
  alignments_.clear();
  QStringList captions;
  for (const ReportColumn& column : columns) {
    captions << QString::fromUtf8(column.caption);
    alignments_.push_back(column.alignment | Qt::AlignVCenter);
  }
  setHorizontalHeaderLabels(captions);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) setColumnWidth(i, columns[i].width);
}

int ReportView::addRow(const QString& caption, const QStringList& subItems) {
  const int row = rowCount();
  insertRow(row);
  setRow(row, caption, subItems);
  return row;
}

void ReportView::setRow(int row, const QString& caption, const QStringList& subItems) {
  QStringList cells{caption};
  cells << subItems;
  for (int column = 0; column < columnCount(); ++column) {
    auto* cell = new QTableWidgetItem(column < cells.size() ? cells[column] : QString());
    if (column < static_cast<int>(alignments_.size())) cell->setTextAlignment(alignments_[column]);
    setItem(row, column, cell);
  }
}

QString ReportView::cellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

int ReportView::selectedRow() const {
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void ReportView::selectRowAt(int row) {
  if (row < 0 || row >= rowCount()) {
    clearRowSelection();
    return;
  }
  const QScopedValueRollback guard(settingByProgram_, true);
  selectRow(row);
}

void ReportView::clearRowSelection() {
  const QScopedValueRollback guard(settingByProgram_, true);
  clearSelection();
  setCurrentItem(nullptr);
}

}  // namespace ui
