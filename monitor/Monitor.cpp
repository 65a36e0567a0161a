#include "monitor/Monitor.h"

#include <chrono>
#include <thread>

#include "link/OperationTexts.h"
#include "link/PlanningTransfer.h"
#include "link/Protocol.h"
#include "monitor/DisplayFormat.h"
#include "params/catalogue/Catalogue.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr int kFixedPageDriveType = 1;
// The history's word in the parameter memory, fetched through the window before the entries.
constexpr int kAlarmHistoryWord = 10;
// Where the document keeps that word: after the ten codes.
constexpr std::size_t kAlarmHistoryWordSlot = monitor::kAlarmRows;
constexpr int kAlarmProgressRange = 30;
constexpr const char* kReadAlarmText = "Read Alarm Parameter: ";
constexpr auto kClearPause = std::chrono::milliseconds(30);
constexpr const char* kClearTitle = "Clear Alarm Information";

std::string diagnosticCode(int item) { return monitor::monitorCode("dn", item); }
std::string alarmCode(int row) { return monitor::monitorCode("AL", row + 1); }

}  // namespace

Monitor::Monitor(DriveOperations& ops, CZavoServoDoc& doc) : ops_(ops), doc_(doc) {}

// ---- Pages ---------------------------------------------------------------------------------

DisplayKind Monitor::displayKindOf(int driveType) {
  return driveType == kFixedPageDriveType ? DisplayKind::Fixed : DisplayKind::Configurable;
}

template <class Page>
void Monitor::retire(std::unique_ptr<Page>& page) {
  if (page && state_.monitorBusy) retired_.push_back(std::shared_ptr<void>(std::move(page)));
  page.reset();
}

void Monitor::releaseRetired() {
  if (!state_.monitorBusy) retired_.clear();
}

DisplayPage& Monitor::openDisplay(DisplayKind kind) {
  retire(display_);
  display_ = std::make_unique<DisplayPage>();
  display_->kind = kind;
  const int rows = kind == DisplayKind::Fixed ? monitor::kFixedPageItems : kDisplayRows;
  for (int r = 0; r < rows; ++r) {
    DisplayRow row;
    const auto at = static_cast<std::size_t>(r);
    row.item = kind == DisplayKind::Fixed ? r + 1 : state_.unRowItem[at];
    row.enabled = state_.unRowEnabled[at];
    display_->rows.push_back(row);
  }
  state_.unWindowOpen = true;
  return *display_;
}

void Monitor::closeDisplay() {
  if (!display_) return;
  for (std::size_t r = 0; r < display_->rows.size() && r < state_.unRowEnabled.size(); ++r) {
    state_.unRowEnabled[r] = display_->rows[r].enabled;
    if (display_->kind == DisplayKind::Configurable) state_.unRowItem[r] = display_->rows[r].item;
  }
  retire(display_);
  state_.unWindowOpen = false;
}

DiagnosticsPage& Monitor::openDiagnostics(int driveType) {
  retire(diagnostics_);
  diagnostics_ = std::make_unique<DiagnosticsPage>();
  diagnostics_->layout = monitor::terminalLayout(driveType);
  diagnostics_->inputs.assign(static_cast<std::size_t>(diagnostics_->layout.inputs), false);
  diagnostics_->outputs.assign(static_cast<std::size_t>(diagnostics_->layout.outputs), false);
  state_.diagOpen = true;
  state_.diagFirstPoll = true;
  return *diagnostics_;
}

void Monitor::closeDiagnostics() {
  retire(diagnostics_);
  state_.diagOpen = false;
}

AlarmPage& Monitor::openAlarms() {
  retire(alarms_);
  alarms_ = std::make_unique<AlarmPage>();
  state_.alarmOpen = true;
  state_.alarmRefreshRequest = true;
  return *alarms_;
}

void Monitor::closeAlarms() {
  retire(alarms_);
  state_.alarmOpen = false;
}

// ---- Reads ---------------------------------------------------------------------------------

void Monitor::tick(ConnectionManager& connection) {
  if (state_.monitorBusy) return;
  {
    MonitorBusyScope busy(state_);
    connection.timerTick();
  }
  releaseRetired();
}

bool Monitor::refreshOpenWindows(Progress& progress) {
  if (display_ && !readDisplayPage(*display_)) return false;
  if (DiagnosticsPage* page = diagnostics_.get()) {
    if (!readDiagnostics(*page, state_.diagFirstPoll, progress)) return false;
    // A window opened anew while the read pumped messages still wants its labels.
    if (page == diagnostics_.get()) state_.diagFirstPoll = false;
  }
  if (alarms_ && state_.alarmRefreshRequest) {
    // Cleared first, so that an "update" pressed while the read runs asks for another one.
    state_.alarmRefreshRequest = false;
    if (!readAlarmHistory(*alarms_, progress)) {
      state_.alarmRefreshRequest = true;
      return false;
    }
  }
  return true;
}

bool Monitor::readDisplayPage(DisplayPage& page) {
  for (DisplayRow& row : page.rows) {
    std::int32_t value = 0;
    std::string text;
    const std::string code = monitor::itemCode(row.item);
    // An item the drive keeps no register for has nothing to read: asking would only fail.
    if (row.enabled && catalogue::addressCode(code) != 0) {
      if (!ops_.readDisplayValue(code)) return false;
      value = ops_.lastValue();
      text = page.kind == DisplayKind::Fixed ? monitor::fixedPageText(row.item, value)
                                             : monitor::selectPageText(row.item, value);
    }
    row.value = value;
    row.text = text;
    const auto slot = static_cast<std::size_t>(row.item - 1);
    if (slot < doc_.monitor.size() && (row.enabled || page.kind == DisplayKind::Fixed)) doc_.monitor[slot] = value;
  }
  return true;
}

bool Monitor::readDiagnostics(DiagnosticsPage& page, bool firstPoll, Progress& progress) {
  const monitor::TerminalLayout& layout = page.layout;
  DiagnosticsPage next = page;
  if (firstPoll) {
    if (!PlanningTransfer(ops_, progress).readDiDo(doc_)) return false;
    next.labels = monitor::terminalLabels(doc_.contactCopy, layout);
  }
  std::array<std::int32_t, kDiagnosticItems.size()> words{};
  for (std::size_t i = 0; i < kDiagnosticItems.size(); ++i) {
    if (!ops_.readDisplayValue(diagnosticCode(kDiagnosticItems[i]))) return false;
    words[i] = ops_.lastValue();
    doc_.diagnostics[static_cast<std::size_t>(kDiagnosticItems[i] - 1)] = words[i];
  }
  std::uint32_t outputs = static_cast<std::uint32_t>(words[1]) & 0xFFFF;
  if (layout.outputsActiveLow) outputs = 0xFFFF - outputs;
  const std::uint32_t inputs = static_cast<std::uint32_t>(words[2]) & 0xFFFF;
  next.texts = {monitor::controlModeText(words[0]),
                monitor::terminalText(outputs, layout.outputChars),
                monitor::terminalText(inputs, layout.inputChars),
                monitor::versionText(layout.versionLetter, words[3]),
                monitor::hexWordText(words[4]),
                monitor::versionText('A', words[5])};
  next.outputs = monitor::terminalStates(outputs, layout.outputs);
  next.inputs = monitor::terminalStates(inputs, layout.inputs);
  page = std::move(next);
  return true;
}

bool Monitor::readAlarmHistory(AlarmPage& page, Progress& progress) {
  int word = 0;
  if (!ops_.fetch(kAlarmHistoryWord, word)) return false;
  doc_.alarmHistory[kAlarmHistoryWordSlot] = word;
  progress.open("", 0, kAlarmProgressRange);
  std::array<std::int32_t, monitor::kAlarmRows> codes{};
  for (int row = 0; row < monitor::kAlarmRows; ++row) {
    progress.setText(kReadAlarmText + monitor::alarmRowName(row));
    progress.step();
    progress.pump();
    if (!ops_.readDisplayValue(alarmCode(row))) {
      progress.close();
      return false;
    }
    codes[static_cast<std::size_t>(row)] = ops_.lastValue();
  }
  progress.close();
  page.codes = codes;
  page.known = true;
  std::copy(codes.begin(), codes.end(), doc_.alarmHistory.begin());
  return true;
}

Monitor::ClearOutcome Monitor::clearAlarmHistory() {
  if (state_.monitorBusy) return ClearOutcome::Busy;
  const bool cleared = clearEntries();
  releaseRetired();
  return cleared ? ClearOutcome::Cleared : ClearOutcome::Failed;
}

bool Monitor::clearEntries() {
  MonitorBusyScope busy(state_);
  for (int row = 0; row < monitor::kAlarmRows; ++row) {
    std::this_thread::sleep_for(kClearPause);
    const std::uint16_t code = catalogue::addressCode(alarmCode(row));
    if (!ops_.writeAck(protocol::pageOfCode(code), code & 0xFF, 0)) {
      prompt().ask({optext::error() + ":\n\n" + optext::communicateError(), kClearTitle, PromptIcon::Stop,
                    PromptButtons::Ok});
      return false;
    }
  }
  std::fill_n(doc_.alarmHistory.begin(), monitor::kAlarmRows, 0);
  if (alarms_) {
    alarms_->codes.fill(0);
    alarms_->known = true;
  }
  return true;
}

}  // namespace zavo
