#pragma once
// The JOG window (dialog 141, modeless): the speed, CW, CCW, Stop and Close. It never talks
// to the drive: every action is a request posted to the view (message 0x784), which does the
// writes. Closing, by Close, Escape or the title bar, asks the view once to leave JOG mode.

#include <functional>

#include "platform/qt/ResourceDialog.h"

class QSpinBox;

namespace zavo::tuning {

class JogDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  // `view` receives the requests; `closed` runs once when the window goes.
  JogDialog(QObject* view, int ratedSpeed, int savedSpeed, std::function<void()> closed, QWidget* parent = nullptr);
  ~JogDialog() override;

  int speed() const;
  void setSpeed(int rpm);

 protected:
  void onCancel() override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void post(int request, long value);
  void postExit();

  QObject* view_;
  int savedSpeed_;
  bool exitPosted_ = false;
  std::function<void()> closed_;
  QSpinBox* speed_;
};

}  // namespace zavo::tuning
