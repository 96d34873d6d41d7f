#include "ui/SecondTimer.h"

namespace ui {

SecondTimer::SecondTimer(QObject* parent) : QTimer(parent) {
  setInterval(kIntervalMs);
  connect(this, &QTimer::timeout, this, [this] {
    if (OnTimer) OnTimer();
  });
  start();
}

}  // namespace ui
