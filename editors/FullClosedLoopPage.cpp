#include "editors/FullClosedLoopPage.h"

#include "editors/FieldTexts.h"
#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

// Pn346 packs the function (value modulo 16) and the dividing output source (value / 16).
constexpr std::string_view kPacked = "Pn346";
constexpr std::int32_t kFieldBase = 16;
constexpr int kFunctionRow = 0, kSourceRow = 1;
constexpr int kFirstPlainRow = 2;

constexpr FullClosedLoopRowSpec kRows[] = {
    {"Pn346.0", 6038, 6043, 6047, {0, 1}},
    {"Pn346.1", 6039, 6044, 6048, {0, 1}},
    {"Pn347", 6040, 6045, 6049, {0, 268435456}},
    {"Pn348", 6041, 6046, 6050, {1, 8388608}},
    {"Pn349", 6042, 1138, 6051, {0, 3}},
};

}  // namespace

FullClosedLoopPage::FullClosedLoopPage(DriveOperations& ops) : ops_(ops) {}

std::span<const FullClosedLoopRowSpec> FullClosedLoopPage::specs() { return kRows; }

int FullClosedLoopPage::rowOf(std::string_view name) {
  for (std::size_t r = 0; r < std::size(kRows); ++r)
    if (name == kRows[r].name) return static_cast<int>(r);
  return -1;
}

bool FullClosedLoopPage::readPresent() {
  if (!ops_.readParameter(kPacked)) return false;
  const std::int32_t packed = ops_.lastValue();
  // Truncating division keeps the sign of a value the drive should never hold.
  present_[kFunctionRow] = packed % kFieldBase;
  present_[kSourceRow] = packed / kFieldBase;
  for (int r = kFirstPlainRow; r < kFullClosedLoopRows; ++r) {
    if (!ops_.readParameter(kRows[r].name)) return false;
    present_[static_cast<std::size_t>(r)] = ops_.lastValue();
  }
  return true;
}

void FullClosedLoopPage::startFromPresent() {
  for (std::size_t r = 0; r < present_.size(); ++r)
    if (present_[r]) accepted_[r] = *present_[r];
}

bool FullClosedLoopPage::type(int r, std::string_view text) {
  const auto v = checkedEntry(text, kRows[static_cast<std::size_t>(r)].range);
  if (!v) return false;
  accepted_[static_cast<std::size_t>(r)] = *v;
  return true;
}

FullClosedLoopPage::Outcome FullClosedLoopPage::write(int r) {
  if (!linkState().isConnected()) return Outcome::NoLink;
  bool written = false;
  if (r == kFunctionRow) {
    // The source field stays as the drive holds it.
    if (!ops_.readParameter(kPacked)) return Outcome::Failed;
    const std::int32_t source = ops_.lastValue() / kFieldBase;
    written = ops_.writeParameter(kPacked, accepted_[kFunctionRow] + source * kFieldBase) != 0;
  } else if (r == kSourceRow) {
    written = ops_.writeParameter(kPacked, accepted_[kFunctionRow] + accepted_[kSourceRow] * kFieldBase) != 0;
  } else {
    written = ops_.writeParameter(kRows[static_cast<std::size_t>(r)].name, accepted_[static_cast<std::size_t>(r)]) != 0;
  }
  if (!written) return Outcome::Failed;
  if (r <= kSourceRow)
    prompt().ask({fieldtext::writeSuccess() + "\n\n" + fieldtext::restartServo(), fieldtext::writeDataTitle(),
                  PromptIcon::Exclamation, PromptButtons::Ok});
  else
    prompt().ask({fieldtext::writeSuccess(), {}, PromptIcon::None, PromptButtons::Ok});
  return Outcome::Written;
}

}  // namespace zavo
