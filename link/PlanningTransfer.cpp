#include "link/PlanningTransfer.h"

#include <cstdio>
#include <functional>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "link/OperationTexts.h"
#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

// The store sequence is three frames; the DI/DO write's bar moves one step for each.
constexpr int kStepsPerWrite = 3;
constexpr std::int32_t kSignedWordMin = -32768;
constexpr std::int32_t kSignedWordMax = 32767;
constexpr const char* kModbusWordRefused =
    " does not fit the one-word Modbus register (-32768~32767): nothing was written.";

std::string numbered(const char* format, int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, format, n);
  return buf;
}

bool modbusMode() { return linkState().modbusMode != 0; }
bool modbusAscii() { return linkState().modbusAscii != 0; }

int pageOf(std::uint16_t code) {
  const int page = code >> 8;
  if (page == protocol::kPage5Numeric) return protocol::kPage5;
  if (page == protocol::kPageCNumeric) return protocol::kPageC;
  return page;
}

// A register as the multi-write names it: page digit then address ("C08" is 0xC08).
long registerNumber(std::uint16_t code) {
  const int digit = drivelink::hexDigit(static_cast<std::uint8_t>(pageOf(code)));
  return (static_cast<long>(digit < 0 ? 0 : digit) << 8) | (code & 0xFF);
}

void storeInDocument(CZavoServoDoc& doc, const std::string& name, std::int32_t value) {
  ParamGroup group;
  int slot = 0;
  if (catalogue::slotOf(name, group, slot)) doc.images[group].value[static_cast<std::size_t>(slot)] = value;
}

std::int32_t fromDocument(const CZavoServoDoc& doc, const std::string& name) {
  ParamGroup group;
  int slot = 0;
  return catalogue::slotOf(name, group, slot) ? doc.images[group].value[static_cast<std::size_t>(slot)] : 0;
}

}  // namespace

std::vector<std::string> PlanningTransfer::diDoNames() { return diDoNames(driveContext().driveType); }

std::vector<std::string> PlanningTransfer::diDoNames(int type) {
  const int count = type == 0 ? 19 : type >= 2 ? 18 : 11;
  std::vector<std::string> names;
  for (int n = 1; n <= count; ++n) names.push_back(numbered(type >= 2 ? "Hn6%02d" : "Hn5%02d", n));
  return names;
}

std::vector<std::string> PlanningTransfer::positionNames() { return positionNames(driveContext().driveType); }

std::vector<std::string> PlanningTransfer::positionNames(int driveType) {
  const bool m7 = driveType >= 2;
  const int items = m7 ? 98 : 50;
  std::vector<std::string> names{"Pn316", "Pn313"};
  // The path parameters start at Pn401 on the M7 family and at Pn317 on the older drives,
  // whatever the launcher was told: numbering an older drive's table from Pn301 would read and
  // write its gear ratios as paths.
  for (int k = 2; k < items; ++k) names.push_back(numbered(m7 ? "Pn4%02d" : "Pn3%02d", m7 ? k - 1 : k + 15));
  return names;
}

int PlanningTransfer::firstUnfitForModbus(const std::vector<std::string>& names,
                                          const std::vector<std::int32_t>& values) {
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
    if (!catalogue::is32Bit(names[i])) continue;
    const std::int32_t raw = DriveOperations::displayToRaw(names[i], values[i]);
    if (raw < kSignedWordMin || raw > kSignedWordMax) return static_cast<int>(i);
  }
  return -1;
}

std::string PlanningTransfer::unfitForModbusText(const std::string& name, std::int32_t value) {
  return name + ": " + std::to_string(value) + kModbusWordRefused;
}

int PlanningTransfer::fail(const std::string& text) {
  progress_.close();
  prompt().ask({optext::error() + ":\n\n" + text, optext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok});
  return 0;
}

bool PlanningTransfer::readItem(const std::string& name, std::int32_t& display) {
  std::int32_t raw = 0;
  if (modbusMode()) {
    int word = 0;
    if (!ops_.modbusRead(catalogue::modbusRegister(name), modbusAscii(), word)) return false;
    // The Modbus register of an item kept in two words carries its low word alone, as a
    // signed word: -5 arrives as 65531.
    raw = catalogue::is32Bit(name) ? static_cast<std::int16_t>(word) : word;
  } else if (!ops_.readParameterDirect(name, raw)) {
    return false;
  }
  display = DriveOperations::rawToDisplay(name, raw);
  return true;
}

bool PlanningTransfer::eachItem(const std::vector<std::string>& names, const char* prefix, int stepsPerItem,
                                const std::function<bool(std::size_t)>& transfer) {
  progress_.open("", 0, stepsPerItem * static_cast<int>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string text = prefix + names[i];
    progress_.setText(text);
    for (int s = 0; s < stepsPerItem; ++s) progress_.step();
    progress_.pump();
    if (!transfer(i)) {
      fail(text);
      return false;
    }
  }
  progress_.close();
  return true;
}

bool PlanningTransfer::readItems(const std::vector<std::string>& names, const char* prefix,
                                 std::vector<std::int32_t>& values) {
  values.assign(names.size(), 0);
  return eachItem(names, prefix, 1, [&](std::size_t i) { return readItem(names[i], values[i]); });
}

int PlanningTransfer::readDiDo(CZavoServoDoc& doc) {
  if (!linkState().isConnected()) return 0;
  LinkBusyScope busy(ops_.flags());
  std::vector<std::int32_t> values;
  if (!readItems(diDoNames(), optext::kReadDiDo, values)) return 0;
  auto& hn = doc.images[ParamGroup::Hn];
  for (std::size_t i = 0; i < values.size(); ++i) {
    hn.value[i + 1] = values[i];
    if (i < doc.contactCopy.size()) doc.contactCopy[i] = values[i];
  }
  return 1;
}

int PlanningTransfer::writeDiDo(const CZavoServoDoc& doc) {
  if (!linkState().isConnected()) return 0;
  LinkBusyScope busy(ops_.flags());
  const auto names = diDoNames();
  const auto& hn = doc.images[ParamGroup::Hn];
  const bool ok = eachItem(names, optext::kWriteDiDo, kStepsPerWrite, [&](std::size_t i) {
    const std::int32_t raw = DriveOperations::displayToRaw(names[i], hn.value[i + 1]);
    if (modbusMode()) return ops_.modbusWrite(catalogue::modbusRegister(names[i]), raw & 0xFFFF, modbusAscii());
    const int linear = catalogue::wordAddress(names[i]);
    return linear >= 0 && ops_.store(driveContext().driveType, linear, raw);
  });
  if (!ok) return 0;
  prompt().ask({optext::writeSuccess() + "\n\n" + optext::restartServo(), optext::writeDataTitle(),
                PromptIcon::Exclamation, PromptButtons::Ok});
  return 1;
}

int PlanningTransfer::readPosition(CZavoServoDoc& doc) {
  if (!linkState().isConnected()) return 0;
  LinkBusyScope busy(ops_.flags());
  const auto names = positionNames();
  std::vector<std::int32_t> values;
  if (!readItems(names, optext::kReadPosition, values)) return 0;
  for (std::size_t i = 0; i < names.size(); ++i) storeInDocument(doc, names[i], values[i]);
  return 1;
}

bool PlanningTransfer::writePositionItem(const std::string& name, std::int32_t display) {
  const std::int32_t raw = DriveOperations::displayToRaw(name, display);
  if (modbusMode()) return ops_.modbusWrite(catalogue::modbusRegister(name), raw & 0xFFFF, modbusAscii());
  const std::uint16_t code = catalogue::addressCode(name);
  const int linear = catalogue::wordAddress(name);
  if (code == 0 || linear < 0) return false;
  const int type = driveContext().driveType;
  if (!catalogue::is32Bit(name)) {
    int page = pageOf(code);
    if (page == protocol::kPageC) page = catalogue::transferPage(name);
    return ops_.store(type, linear, raw) && ops_.writeAck(page, code & 0xFF, raw);
  }
  const std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw) >> 16);
  const std::int32_t low = raw & 0xFFFF;
  if (!ops_.store(type, catalogue::highWordAddress(name), high) || !ops_.store(type, linear, low)) return false;
  const long regs[2] = {registerNumber(code), registerNumber(catalogue::highWordCode(name))};
  const long words[2] = {low, high};
  std::uint8_t reply[protocol::kWriteReplyLength];
  return checkedExchange(ops_.port(), drivelink::multiWrite(regs, words), reply, sizeof reply) ==
         protocol::kExchangeWriteAck;
}

int PlanningTransfer::writePosition(const CZavoServoDoc& doc) {
  if (!linkState().isConnected()) return 0;
  const auto names = positionNames();
  std::vector<std::int32_t> values;
  for (const auto& name : names) values.push_back(fromDocument(doc, name));
  if (modbusMode()) {
    // Refused before any frame: half a table written, with a pulse number cut to its low
    // word, would move the axis somewhere nobody asked for.
    const int unfit = firstUnfitForModbus(names, values);
    if (unfit >= 0) {
      const auto u = static_cast<std::size_t>(unfit);
      prompt().ask({unfitForModbusText(names[u], values[u]), optext::writeDataTitle(), PromptIcon::Stop,
                    PromptButtons::Ok});
      return 0;
    }
  }
  LinkBusyScope busy(ops_.flags());
  return eachItem(names, optext::kWritePosition, 1,
                  [&](std::size_t i) { return writePositionItem(names[i], values[i]); })
             ? 1
             : 0;
}

}  // namespace zavo
