#include "tuning/ui/TuningDesk.h"

#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "tuning/ui/AutoGainChoiceDialog.h"
#include "tuning/ui/JogDialog.h"
#include "tuning/ui/LoopGainDialogs.h"
#include "tuning/ui/MechanicalTuningDialog.h"
#include "tuning/ui/MotorTuningDialog.h"
#include "tuning/ui/OfflineGainDialog.h"
#include "tuning/ui/OnlineGainDialog.h"
#include "tuning/ui/PoleAlignmentDialog.h"
#include "tuning/ui/SelfBuiltMotorDialog.h"

namespace zavo::tuning {

TuningDesk::TuningDesk(DriveOperations& ops, CZavoServoDoc& doc, QWidget* view, Hooks hooks)
    : ops_(ops), doc_(doc), view_(view), hooks_(std::move(hooks)), session_(ops) {}

JogDialog* TuningDesk::jogWindow() const { return jog_.data(); }

TuningDesk::~TuningDesk() {
  if (jog_) delete jog_.data();
}

void TuningDesk::jogCommand() {
  if (jog_ || hooks_.monitorOpen()) return;
  if (hooks_.servoOn()) {
    prompt().ask({text(ids::kJogServoOn), text(ids::kJogTitle), PromptIcon::Information, PromptButtons::Ok});
    return;
  }
  if (!session_.enter()) return;
  jog_ = new JogDialog(view_, driveContext().ratedSpeed, session_.savedRpm(), [this] { hooks_.jogOpen(false); }, view_);
  jog_->setWindowFlag(Qt::Window);
  jog_->show();
  hooks_.jogOpen(true);
}

void TuningDesk::jogRequest(int code, long value) {
  // The view's timer leaves the link alone while a request runs.
  LinkBusyScope busy(ops_.flags());
  int rpm = 0;
  session_.request(code, value, rpm);
  if (code == kJogRefresh && jog_) jog_->setSpeed(rpm);
}

void TuningDesk::autoGainCommand() {
  if (jog_ || hooks_.monitorOpen()) return;
  if (hooks_.servoOn()) {
    showMessage(text(ids::kServoOnRunRefused));
    return;
  }
  AutoGainChoiceDialog choice(view_);
  if (choice.exec() != QDialog::Accepted || !linkState().isConnected()) return;
  switch (choice.choice()) {
    case AutoGainChoiceDialog::kDisable: disableAutoGain(ops_, driveContext().driveType); break;
    case AutoGainChoiceDialog::kOffline: offlineAdjustment(); break;
    case AutoGainChoiceDialog::kOnline: {
      showMessage(text(ids::kOnlineAutoGain));
      OnlineGainDialog(ops_, view_).exec();
      break;
    }
    case AutoGainChoiceDialog::kLoopGains: loopGainAdjustment(); break;
    default: break;
  }
}

void TuningDesk::offlineAdjustment() {
  Profile p;
  if (!readProfile(ops_, driveContext().driveType, p)) return;
  OfflineGainDialog dialog(ops_, view_, driveContext().driveType, driveContext().ratedSpeed, p, view_);
  offline_ = &dialog;
  tuningActive_ = true;
  dialog.exec();
  tuningActive_ = false;
}

void TuningDesk::loopGainAdjustment() {
  std::array<int, kLoopGainItems> current{};
  if (!readLoopGainSetValues(ops_, current)) return;
  LoopGainSetDialog set(view_, current, view_);
  loopSet_ = &set;
  if (set.exec() != QDialog::Accepted || !startLoopGain(ops_)) return;
  tuningActive_ = true;
  readLoopGainResults(ops_, lastResults_);
  LoopGainStartDialog start(view_, [this] { quitLoopGain(ops_); }, view_);
  loopStart_ = &start;
  start.showResults(lastResults_);
  const bool next = start.exec() == QDialog::Accepted;
  tuningActive_ = false;
  if (!next || !endLoopGain(ops_, driveContext().driveType)) return;
  LoopGainEndDialog end(view_);
  if (end.exec() == QDialog::Accepted) writeChosenResults(ops_, lastResults_, end.chosen());
}

void TuningDesk::gainWriteRequest(int item, long value) {
  LinkBusyScope busy(ops_.flags());
  int back = 0;
  if (!writeGainItem(ops_, driveContext().driveType, item, static_cast<int>(value), back)) return;
  if (item <= kItemTime && offline_) offline_->setCurrent(item, back);
  if (item >= kItemFirstLoopGain && loopSet_) loopSet_->setCurrent(item, back);
}

void TuningDesk::tuningMonitorRequest(int code) {
  if (!tuningActive_ || !loopStart_) return;
  LinkBusyScope busy(ops_.flags());
  if (code == kMonitorProgress) {
    int percent = 0;
    if (readProgress(ops_, percent)) loopStart_->showProgress(percent);
  } else if (code == kMonitorResults && readLoopGainResults(ops_, lastResults_)) {
    loopStart_->showResults(lastResults_);
  }
}

void TuningDesk::motorSelfTuningCommand(bool reduced) { MotorTuningDialog(ops_, reduced, view_).exec(); }

void TuningDesk::mechanicalSelfTuningCommand() { MechanicalTuningDialog(ops_, doc_, view_).exec(); }

void TuningDesk::selfBuiltMotorCommand() {
  SelfBuiltMotorDialog dialog(ops_, [this](bool mechanical) {
    if (mechanical) mechanicalSelfTuningCommand();
    else motorSelfTuningCommand(true);
  }, view_);
  dialog.exec();
}

void TuningDesk::poleAlignmentCommand() { PoleAlignmentDialog(ops_, view_).exec(); }

}  // namespace zavo::tuning
