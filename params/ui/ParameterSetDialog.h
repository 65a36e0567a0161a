#pragma once
// Parameter Set (resource 130): the modeless editor over the view that lists the document's
// parameters for the display selection and edits, writes, reads, restores and compares the
// checked ones. Timer 1115 offers to read the drive's parameters once a link comes up and keeps
// the ranges and defaults in step with the motor data.

#include <functional>

#include "editors/ParameterSetCommands.h"
#include "params/listing/DisplaySelection.h"
#include "editors/ParameterSetModel.h"
#include "editors/ReadOffer.h"
#include "platform/qt/QtProgress.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"

class QCheckBox;
class QLabel;

namespace zavo {

class CZavoServoDoc;
class DriveOperations;
class ParameterList;

inline constexpr int kIddParameterSet = 130;
inline constexpr int kIdcParameterList = 1000;
inline constexpr int kIdcSetAll = 1001;
inline constexpr int kIdcSetEdit = 1002;
inline constexpr int kIdcSetWrite = 1003;
inline constexpr int kIdcSetRead = 1004;
inline constexpr int kIdcSetDefault = 1005;
inline constexpr int kIdcSetCompare = 1006;
inline constexpr int kIdcDisplayDescription = 1007;
inline constexpr int kIdcDisplayChange = 1008;
inline constexpr int kIdcSetStatusCount = 6168;
inline constexpr int kIdcSetStatusOutcome = 6169;

inline constexpr int kParameterSetTimerId = 1115;
inline constexpr int kParameterSetTimerMs = 400;

// Edits a display selection in place (the Display Set dialog); true on OK.
using SelectionEditor = std::function<bool(DisplaySelection&, QWidget*)>;

class ParameterSetDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  ParameterSetDialog(CZavoServoDoc& doc, DriveOperations& ops, DisplaySelection& selection,
                     QWidget* parent = nullptr);
  ~ParameterSetDialog() override;

  // The Change button's dialog; without one Change is disabled.
  void setSelectionEditor(SelectionEditor editor);
  // Saves the document when the read offer finds it modified (true when saved).
  void setDocumentSaver(ReadOffer::Save save) { save_ = std::move(save); }

  // The list anew from the document and the display selection (after the running command,
  // when one runs). Rows edited since their last transfer stay marked and checked.
  void refill();
  // The document now holds another file: its rows carry no pending edit.
  void forgetEdits() { model_.forgetMarks(); }
  // The caption names the file the document was opened from or saved to.
  void updateTitle();
  // One tick of timer 1115.
  void timerTick();

  ParameterSetModel& model() { return model_; }
  ParameterList* list() const { return list_; }
  WindowTimer& timer() { return timer_; }
  QtProgress& progress() { return progress_; }
  bool busy() const { return busy_; }

 protected:
  // OK and Close end the window (the view made it delete itself on closing), but never under a
  // transfer loop that is still running.
  void onOk() override;
  void onCancel() override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void editCommand();
  void writeCommand();
  void readCommand();
  void defaultCommand();
  void compareCommand();
  void changeCommand();
  void allToggled(bool checked);
  void readListed();
  // Runs one command with the busy mark up, then redraws the rows it changed.
  void runCommand(const std::function<ParameterSetCommands::Outcome(ParameterSetCommands&, std::vector<int>&)>& command,
                  const QString& what);
  void redraw(const std::vector<int>& rows);
  // The last command's result in the status line; `done` says what a completed one did.
  void showOutcome(ParameterSetCommands::Outcome outcome, const QString& what, const QString& done);
  void showCounts();

  ParameterSetModel model_;
  DriveOperations& ops_;
  DisplaySelection& selection_;
  SelectionEditor selectionEditor_;
  ReadOffer offer_;
  ReadOffer::Save save_;
  ParameterList* list_;
  QLabel* description_;
  QCheckBox* all_;
  QLabel* counts_;
  QLabel* outcome_;
  QtProgress progress_{this};
  WindowTimer timer_{kParameterSetTimerId, this};
  QString caption_;
  bool busy_ = false;
  bool refillAfterCommand_ = false;
};

}  // namespace zavo
