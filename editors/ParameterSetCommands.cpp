#include "editors/ParameterSetCommands.h"

#include <algorithm>

#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "editors/ParameterSetTexts.h"
#include "platform/Progress.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

// The drive keeps its torque-reached level elsewhere on the M7 family; a write would be
// refused without a word on the line, which must not end the whole Write as a link failure.
constexpr std::string_view kTorqueReachedLevel = "Tn110";

void merge(std::vector<int>& into, const std::vector<int>& rows) {
  into.insert(into.end(), rows.begin(), rows.end());
  std::sort(into.begin(), into.end());
  into.erase(std::unique(into.begin(), into.end()), into.end());
}

// Closes the progress window on every way out of a transfer.
class ProgressWindowScope {
 public:
  ProgressWindowScope(Progress& p, const std::string& title, const std::string& text, int steps) : p_(p) {
    p_.open(title, 0, steps);
    p_.setText(text);
  }
  ~ProgressWindowScope() { p_.close(); }
  ProgressWindowScope(const ProgressWindowScope&) = delete;
  ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;

 private:
  Progress& p_;
};

}  // namespace

ParameterSetCommands::ParameterSetCommands(ParameterSetModel& model, DriveOperations& ops, Progress& progress,
                                           std::string caption)
    : model_(model), ops_(ops), progress_(progress), caption_(std::move(caption)) {}

bool ParameterSetCommands::transferable(const std::string& code) { return catalogue::wordAddress(code) >= 0; }

bool ParameterSetCommands::writable(const std::string& code, int driveType) {
  if (code == kTorqueReachedLevel && driveType >= protocol::kFirstM7DriveType) return false;
  return transferable(code);
}

bool ParameterSetCommands::compared(ParamGroup g) {
  switch (g) {
    case ParamGroup::Cn:
    case ParamGroup::Tn:
    case ParamGroup::Sn:
    case ParamGroup::qn:
    case ParamGroup::Hn:
    case ParamGroup::Pn3:
    case ParamGroup::Pn4:
    case ParamGroup::ECA: return true;
    default: return false;
  }
}

bool ParameterSetCommands::refuseEmpty() {
  if (!model_.checkedRows().empty()) return false;
  prompt().ask({settext::noParameterSelected(), caption_, PromptIcon::Exclamation, PromptButtons::Ok});
  return true;
}

bool ParameterSetCommands::refusedWrite() {
  const WriteCheck check = model_.checkWrite();
  std::string text;
  switch (check.refusal) {
    case WriteRefusal::None: return false;
    case WriteRefusal::NothingChecked: return refuseEmpty();
    case WriteRefusal::ModelCode: text = settext::modelCodeReadOnly(); break;
    case WriteRefusal::ReadOnly: text = settext::readOnlyNotice(check.code); break;
    case WriteRefusal::ResetWithOthers: text = settext::resetWithOthers(); break;
    case WriteRefusal::OutOfRange: text = settext::overRange(check.code); break;
  }
  prompt().ask({text, settext::errorMessageTitle(), PromptIcon::Exclamation, PromptButtons::Ok});
  return true;
}

ParameterSetCommands::Outcome ParameterSetCommands::failed(const std::string& progressText) {
  progress_.close();
  prompt().ask({settext::error() + ":\n\n" + progressText, settext::communicationTitle(), PromptIcon::Stop,
                PromptButtons::Ok});
  return Outcome::Failed;
}

ParameterSetCommands::Outcome ParameterSetCommands::write(std::vector<int>& changed) {
  if (refusedWrite()) return Outcome::Refused;
  const int type = driveContext().driveType;
  std::vector<int> rows;
  for (int r : model_.checkedRows())
    if (writable(model_.row(r).entry.code, type)) rows.push_back(r);
  const std::string text = settext::writingParameters();
  ProgressWindowScope window(progress_, settext::writeTitle(), text, static_cast<int>(rows.size()));
  // One busy span for the whole list: the monitor poll must not slip in between parameters.
  LinkBusyScope busy(ops_.flags());
  // A failure is told once, with the list's own message.
  DriveOperations::QuietFailures quiet(ops_);
  for (int r : rows) {
    if (progress_.pump()) return Outcome::Cancelled;
    if (!ops_.writeParameter(model_.row(r).entry.code, model_.value(r))) return failed(text);
    model_.markTransferred(r);
    merge(changed, {r});
    progress_.step();
  }
  return Outcome::Done;
}

ParameterSetCommands::Outcome ParameterSetCommands::read(const std::vector<int>& candidates, std::vector<int>& changed) {
  std::vector<int> rows;
  for (int r : candidates)
    if (transferable(model_.row(r).entry.code)) rows.push_back(r);
  const std::string text = settext::readingParameters();
  ProgressWindowScope window(progress_, settext::readTitle(), text, static_cast<int>(rows.size()));
  LinkBusyScope busy(ops_.flags());
  DriveOperations::QuietFailures quiet(ops_);
  for (int r : rows) {
    if (progress_.pump()) return Outcome::Cancelled;
    if (!ops_.readParameter(model_.row(r).entry.code)) return failed(text);
    merge(changed, model_.takeDriveValue(r, ops_.lastValue()));
    progress_.step();
  }
  return Outcome::Done;
}

ParameterSetCommands::Outcome ParameterSetCommands::readChecked(std::vector<int>& changed) {
  if (refuseEmpty()) return Outcome::Refused;
  return read(model_.checkedRows(), changed);
}

ParameterSetCommands::Outcome ParameterSetCommands::readListed(std::vector<int>& changed) {
  std::vector<int> all(static_cast<std::size_t>(model_.size()));
  for (int r = 0; r < model_.size(); ++r) all[static_cast<std::size_t>(r)] = r;
  return read(all, changed);
}

ParameterSetCommands::Outcome ParameterSetCommands::restoreDefaults(std::vector<int>& changed) {
  if (refuseEmpty()) return Outcome::Refused;
  const PromptAnswer answer = prompt().ask({settext::setDefaultQuestion(), settext::setAsDefaultTitle(),
                                            PromptIcon::Exclamation, PromptButtons::OkCancel});
  if (answer != PromptAnswer::Ok) return Outcome::Cancelled;
  merge(changed, model_.applyDefaults());
  return Outcome::Done;
}

ParameterSetCommands::Outcome ParameterSetCommands::compare(std::vector<ValueDifference>& differences) {
  differences.clear();
  std::vector<int> rows;
  for (int r = 0; r < model_.size(); ++r) {
    const auto& e = model_.row(r).entry;
    if (compared(e.group) && transferable(e.code)) rows.push_back(r);
  }
  const std::string text = settext::readingParameters();
  {
    ProgressWindowScope window(progress_, settext::readTitle(), text, static_cast<int>(rows.size()));
    LinkBusyScope busy(ops_.flags());
    DriveOperations::QuietFailures quiet(ops_);
    for (int r : rows) {
      if (progress_.pump()) return Outcome::Cancelled;
      if (!ops_.readParameter(model_.row(r).entry.code)) return failed(text);
      if (ops_.lastValue() != model_.value(r)) differences.push_back({r, model_.value(r), ops_.lastValue()});
      progress_.step();
    }
  }
  if (differences.empty())
    prompt().ask({settext::compareFinished(), settext::compareTitle(), PromptIcon::Information, PromptButtons::Ok,
                  true});
  return Outcome::Done;
}

}  // namespace zavo
