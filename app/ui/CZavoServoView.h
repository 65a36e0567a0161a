#pragma once
// The view of a document: the hub every menu command reaches. It routes each command through
// its table to the part of the program that serves it, owns the link to the drive and runs
// the once-a-second monitor timer (1114) that keeps the link alive.

#include <QWidget>

#include "app/CommandTable.h"
#include "app/StatusPanes.h"
#include "app/ui/ViewServices.h"
#include "platform/qt/MessageMap.h"
#include "platform/qt/WindowTimer.h"

namespace zavo {

class CZavoServoView final : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMonitorTimerId = 1114;
  static constexpr int kMonitorPeriodMs = 1000;

  explicit CZavoServoView(ViewServices services, QWidget* parent = nullptr);
  ~CZavoServoView() override;

  bool servesCommand(int commandId) const { return commands_.handles(commandId); }
  bool runCommand(int commandId) { return commands_.run(commandId); }

  // Connect/Disconnect: the Link Port Set dialog, then the link up or down.
  void connectCommand();

  // The drive's USB interface went away: the port is closed and the link forgotten, so the
  // timer does not try to bring it back on a device that is gone.
  void linkLostByRemoval();
  void refreshStatus();

  WindowTimer& monitorTimer() { return monitorTimer_; }
  const ViewServices& services() const { return services_; }

 signals:
  // The link went up or down: the frame updates its menus.
  void linkChanged();

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void onMonitorTick();
  LinkPortRequest portRequest() const;

  ViewServices services_;
  CommandTable commands_;
  MessageMap messages_;
  WindowTimer monitorTimer_{kMonitorTimerId, this};
  bool shownOnce_ = false;
  StatusSnapshot snapshot_;
};

}  // namespace zavo
