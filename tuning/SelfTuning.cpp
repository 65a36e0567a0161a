#include "tuning/SelfTuning.h"

#include "link/LinkState.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "tuning/RangeCheck.h"
#include "tuning/RegisterAccess.h"

namespace zavo::tuning {
namespace {

// The checks of the set dialog skip tn18: three radio buttons cannot be out of range.
constexpr SetField kCheckOrder[] = {kSn201, kTn08, kTn09, kTn11, kTn12, kTn17, kTn19, kTn20, kTn21};
constexpr SetField kStoredInDocument[] = {kSn201, kTn08, kTn09, kTn11, kTn12, kTn17, kTn18};
constexpr const char* kB55Failed = "Write B55 0 failed!";
constexpr const char* kAdoptFailed = "Write 0x964 1 failed!";
constexpr const char* kDiscardFailed = "Write 0x964 2 failed!";

void tell(const std::string& message) {
  prompt().ask({message, text(ids::kErrorMessage), PromptIcon::Exclamation, PromptButtons::Ok});
}

bool documentSlot(SetField f, ParamGroup& group, int& slot) { return catalogue::slotOf(setFieldCode(f), group, slot); }

bool resetMode(DriveOperations& ops) {
  if (writePlain(ops, kTuneMode, kTuneIdle)) return true;
  tell(kB55Failed);
  return false;
}

}  // namespace

bool readSetValues(DriveOperations& ops, SetValues& v) {
  SetValues got{};
  for (int f = 0; f < kSetFieldCount; ++f) {
    std::int32_t word = 0;
    if (!readRegister(ops, setFieldRegister(static_cast<SetField>(f)), word)) return false;
    // 536 holds a speed word: shown in rpm, as it is written.
    got[static_cast<std::size_t>(f)] = f == kSn201 ? conversion::speedToDisplay(word) : word;
  }
  v = got;
  return true;
}

SetValues documentSetValues(const CZavoServoDoc& doc) {
  SetValues v{};
  for (int f = 0; f < kSetFieldCount; ++f) {
    ParamGroup g{};
    int slot = 0;
    if (documentSlot(static_cast<SetField>(f), g, slot)) v[static_cast<std::size_t>(f)] = doc.value(g, slot);
  }
  return v;
}

Limits setFieldLimits(SetField f) {
  catalogue::Limits l;
  catalogue::limitsOf(setFieldCode(f), l);
  return {l.min, l.max};
}

int firstOutOfRange(const SetValues& v) {
  for (const SetField f : kCheckOrder) {
    const Limits l = setFieldLimits(f);
    const int x = v[static_cast<std::size_t>(f)];
    if (x < l.min || x > l.max) return f;
  }
  return -1;
}

void storeSetValues(CZavoServoDoc& doc, const SetValues& v) {
  for (const SetField f : kStoredInDocument) {
    ParamGroup g{};
    int slot = 0;
    if (documentSlot(f, g, slot)) doc.setValue(g, slot, v[static_cast<std::size_t>(f)]);
  }
}

bool startMechanical(DriveOperations& ops, const SelfTuningTest& test, const SetValues& v) {
  if (!resetMode(ops)) return false;
  for (const SetField f : test.writes) {
    if (!writePlain(ops, setFieldRegister(f), v[static_cast<std::size_t>(f)])) {
      writeError(std::string(setFieldCode(f)));
      return false;
    }
  }
  return writePlain(ops, kTuneSelector, test.selector) && writePlain(ops, kTuneMode, kTuneMechanical);
}

bool startMotor(DriveOperations& ops, const SelfTuningTest& test) {
  return resetMode(ops) && writePlain(ops, kTuneSelector, test.selector) && writePlain(ops, kTuneMode, kTuneMotor);
}

bool finished(DriveOperations& ops) {
  std::int32_t state = 0;
  return readRegister(ops, kTuneState, state) && state == kTuneFinished;
}

bool stopTuning(DriveOperations& ops) { return resetMode(ops); }

bool decide(DriveOperations& ops, bool adopt) {
  if (writePlain(ops, kTuneAdopt, adopt ? kAdoptNew : kDiscardNew)) return true;
  tell(adopt ? kAdoptFailed : kDiscardFailed);
  return false;
}

bool readField(DriveOperations& ops, const TuningField& f, std::vector<int>& values) {
  values.clear();
  for (int i = 0; i < f.count; ++i) {
    std::int32_t v = 0;
    if (!readRegister(ops, {f.current.page, f.current.address + i}, v)) return false;
    values.push_back(f.isSigned ? static_cast<std::int16_t>(v) : v);
  }
  return true;
}

bool readProposal(DriveOperations& ops, const TuningField& f, int& value) {
  std::int32_t v = 0;
  if (!f.hasProposal() || !readRegister(ops, f.proposed, v)) return false;
  value = v;
  return true;
}

}  // namespace zavo::tuning
