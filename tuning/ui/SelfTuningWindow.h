#pragma once
// What the two off-line self-tuning windows share: a button per test, "Stop", the status line
// ("waiting!" while a test runs, "OK!" when it has finished), a window timer per test that
// polls the drive's state (849) every 500 ms, and the fields the tests fill.
//
// The motor window's full set does not poll itself: its first tick starts the timers of the
// seven tests it runs, so each block of results is filled as soon as the drive reports the end.

#include <map>
#include <span>
#include <vector>

#include "link/DriveOperations.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"
#include "tuning/SelfTuningTests.h"

class QGridLayout;
class QLabel;
class QLineEdit;

namespace zavo::tuning {

class SelfTuningWindow : public ResourceDialog {
  Q_OBJECT
 public:
  SelfTuningWindow(int resourceId, const char* title, DriveOperations& ops, std::span<const SelfTuningTest> tests,
                   std::span<const TuningField* const> fields, bool withProposals, bool partsPoll, QWidget* parent);

  QString status() const;
  // The text shown for a field (values joined by blanks) and for its proposal.
  QString fieldText(std::string_view label) const;
  QString proposalText(std::string_view label) const;
  // A window timer's tick, as if it had come.
  void tick(int timerId);
  bool timerActive(int timerId) const;

 protected:
  // Starts `test` on the drive; true when it runs.
  virtual bool startTest(const SelfTuningTest& test) = 0;
  // After a finished test that proposes values: the operator's decision.
  virtual void decideProposals(const SelfTuningTest&) {}
  void readFields(std::span<const TuningField* const> fields);
  DriveOperations& ops() { return ops_; }
  QGridLayout* grid() { return grid_; }
  void disableButton(int id);
  void onCancel() override;

 private:
  struct Shown {
    const TuningField* field;
    QLineEdit* value;
    QLineEdit* proposal;  // nullptr without one
  };
  void pressed(int button);
  void finishTest(const SelfTuningTest& test);
  WindowTimer* timer(int id);

  DriveOperations& ops_;
  std::span<const SelfTuningTest> tests_;
  std::vector<Shown> shown_;
  std::map<int, WindowTimer*> timers_;
  bool partsPoll_;  // the full set's timer hands over to the timers of its parts
  QLabel* status_;
  QGridLayout* grid_;
};

}  // namespace zavo::tuning
