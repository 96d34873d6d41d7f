#include "ui/BusyDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ui {
namespace {

constexpr int kPumpIntervalMs = 15;
constexpr int kDialogWidth = 320;

}  // namespace

BusyDialog::BusyDialog(QWidget* parent, const QString& title)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      phase_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setWindowTitle(title);
  setWindowModality(Qt::ApplicationModal);
  setFixedWidth(kDialogWidth);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(phase_);
  layout->addWidget(bar_);
  bar_->setRange(0, 0);
  show();
  raise();
  pump();
  sincePump_.start();
}

BusyDialog::~BusyDialog() {
  // Clicks and keys queued during the work are delivered now, while this dialog still blocks the
  // other windows, so they are dropped instead of starting something once it has gone.
  QCoreApplication::processEvents();
  hide();
}

void BusyDialog::setProgress(const QString& phase, int done, int total) {
  if (phase_->text() != phase) phase_->setText(phase);
  if (total > 0) {
    bar_->setRange(0, total);
    bar_->setValue(std::min(done, total));
  } else {
    bar_->setRange(0, 0);
    bar_->setValue(done);
  }
}

void BusyDialog::pump() {
  if (sincePump_.isValid() && sincePump_.elapsed() < kPumpIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sincePump_.restart();
}

int BusyDialog::progressValue() const { return bar_->value(); }

QString BusyDialog::phaseText() const { return phase_->text(); }

void BusyDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

void BusyDialog::keyPressEvent(QKeyEvent* event) { event->accept(); }  // no Escape-to-close

}  // namespace ui
