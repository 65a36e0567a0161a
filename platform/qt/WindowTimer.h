#pragma once
// A window timer: a QTimer that keeps the timer id it is known by, so the id stays a named
// constant beside the member that runs it:
//
//   static constexpr int kMonitorTimerId = 1114;
//   WindowTimer monitorTimer_{kMonitorTimerId, this};
//   monitorTimer_.start(1000);

#include <QTimer>

namespace zavo {

class WindowTimer final : public QTimer {
  Q_OBJECT
 public:
  WindowTimer(int id, QObject* parent);
  int id() const { return id_; }

 private:
  int id_;
};

}  // namespace zavo
