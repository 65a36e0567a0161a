#pragma once
// The view's side of tuning and test operation: the commands of the Adjust and Linear Motor
// menus, and the requests the tuning windows post to the view (0x784 JOG, 0x8B0 set values of
// the off-line adjustments, 0x914 the adjustment's progress and results), done here on the
// user-interface thread. It keeps what the view keeps for these windows: the JOG window and
// its session, the tuning-active flag and the last results of the adjustment.

#include <QPointer>

#include <functional>
#include <memory>

#include "link/DriveOperations.h"
#include "params/document/ZavoServoDoc.h"
#include "tuning/AutoGain.h"
#include "tuning/JogSession.h"

class QWidget;

namespace zavo::tuning {

class JogDialog;
class LoopGainSetDialog;
class LoopGainStartDialog;
class OfflineGainDialog;

class TuningDesk {
 public:
  // What the desk asks of its view: whether the servo is on (as last read), and whether one
  // of the windows that keep the drive busy (JOG, the monitors) is open; `jogOpen` tells the
  // view when the JOG window comes and goes.
  struct Hooks {
    std::function<bool()> servoOn;
    std::function<bool()> monitorOpen;
    std::function<void(bool)> jogOpen;
  };

  TuningDesk(DriveOperations& ops, CZavoServoDoc& doc, QWidget* view, Hooks hooks);
  ~TuningDesk();

  // ---- Commands ----------------------------------------------------------------------------
  void jogCommand();
  void autoGainCommand();
  void motorSelfTuningCommand(bool reduced = false);
  void mechanicalSelfTuningCommand();
  void selfBuiltMotorCommand();
  void poleAlignmentCommand();

  // ---- Posted requests ---------------------------------------------------------------------
  void jogRequest(int code, long value);
  void gainWriteRequest(int item, long value);
  void tuningMonitorRequest(int code);

  JogDialog* jogWindow() const;
  bool tuningActive() const { return tuningActive_; }

 private:
  void offlineAdjustment();
  void loopGainAdjustment();

  DriveOperations& ops_;
  CZavoServoDoc& doc_;
  QWidget* view_;
  Hooks hooks_;
  JogSession session_;
  QPointer<JogDialog> jog_;
  bool tuningActive_ = false;
  LoopGainResults lastResults_;
  QPointer<OfflineGainDialog> offline_;
  QPointer<LoopGainSetDialog> loopSet_;
  QPointer<LoopGainStartDialog> loopStart_;
};

}  // namespace zavo::tuning
