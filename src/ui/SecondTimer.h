#pragma once
// The forms' one-second timer: enabled from creation, OnTimer runs on the UI thread every second.

#include <QTimer>
#include <functional>

namespace ui {

class SecondTimer : public QTimer {
  Q_OBJECT
 public:
  explicit SecondTimer(QObject* parent = nullptr);

  static constexpr int kIntervalMs = 1000;
  std::function<void()> OnTimer;
};

}  // namespace ui
