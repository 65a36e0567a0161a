#include "link/DriveOperations.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "link/DriveLinkCodec.h"
#include "link/LinkSession.h"
#include "link/LinkState.h"
#include "link/ModbusCodec.h"
#include "link/ModbusExchange.h"
#include "link/OperationTexts.h"
#include "link/ParameterWriteRules.h"
#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

using protocol::kPage5;
using protocol::kPageC;

constexpr int kModbusRtuTimeoutMs = 400;
constexpr int kModbusAsciiTries = 1;
// Register codes name their page by character, or by the numeric synonyms 0x05 and 0x0C.
constexpr int kPageNumeric0B = 0x0B;
constexpr int kPageNumeric0BOffset = 11;
// Registers whose words are scaled values rather than plain numbers.
constexpr int kSpeedCommandAddress = 0x36;     // page '5': signed speed command
constexpr int kSpeedCommand6Address = 0x0B;    // page '6'
constexpr int kExtended6Address5 = 0xD4, kExtended6AddressC = 0x36;
constexpr int kExtended7Address5 = 0xD3, kExtended7AddressC = 0x35;
constexpr int kSpeedMonitorAddress6 = 0xE4;
// After Cn012 the drive re-reads it when told so through page '7' 0xCE.
constexpr int kCn012ApplyPage = '7';
constexpr int kCn012ApplyAddress = 0xCE;

int pageOf(std::uint16_t code) {
  const int page = code >> 8;
  if (page == protocol::kPage5Numeric) return kPage5;
  if (page == protocol::kPageCNumeric) return kPageC;
  return page;
}

// On the M7 family a few position parameters (Pn357-Pn363) are placed on the registers of
// the indirect access window itself. Writing them directly would hand the window a command
// or an address, so they are only stored, and the drive takes them at its next start.
bool onWindowRegister(int page, int address, int driveType) {
  const auto& w = protocol::windowOf(driveType);
  return page == kPage5 && address >= w.command && address <= w.readData;
}

int itemOf(std::string_view name) {
  if (name.size() < 2) return 0;
  const auto d = name.substr(name.size() - 2);
  if (d[0] < '0' || d[0] > '9' || d[1] < '0' || d[1] > '9') return 0;
  return (d[0] - '0') * 10 + (d[1] - '0');
}

std::int32_t signExtend16(std::int32_t v) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(v)); }

}  // namespace

DriveOperations::DriveOperations(CSerial& port, LinkFlags& flags) : port_(port), flags_(flags) {}

bool DriveOperations::linked() const { return linkState().isConnected(); }

void DriveOperations::pause() const {
  if (pauseMs_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs_));
}

std::int32_t DriveOperations::rawToDisplay(std::string_view name, std::int32_t raw) {
  return conversion::toDisplay(name, raw);
}

std::int32_t DriveOperations::displayToRaw(std::string_view name, std::int32_t display) {
  return conversion::toRaw(name, display);
}

// ---- Building blocks ---------------------------------------------------------------------

bool DriveOperations::writeAck(int page, int address, std::int32_t value) {
  std::uint8_t reply[protocol::kWriteReplyLength];
  return checkedExchange(port_, drivelink::writeRequest(page, address, value), reply, sizeof reply) ==
         protocol::kExchangeWriteAck;
}

bool DriveOperations::readWord(int page, int address, int& word) {
  word = exchangeRead(port_, drivelink::readRequest(page, address));
  return word >= 0;
}

bool DriveOperations::fetch(int linear, int& word) {
  const auto& w = protocol::windowOf(driveContext().driveType);
  return writeAck(kPage5, w.readAddress, linear) && writeAck(kPage5, w.command, protocol::kWindowFetch) &&
         readWord(kPage5, w.readData, word);
}

bool DriveOperations::store(int windowType, int linear, std::int32_t value, bool withPause) {
  const auto& w = protocol::windowOf(windowType);
  if (!writeAck(kPage5, w.writeAddress, linear) || !writeAck(kPage5, w.writeData, value) ||
      !writeAck(kPage5, w.command, protocol::kWindowStore))
    return false;
  if (withPause) pause();
  return true;
}

bool DriveOperations::readParameterDirect(std::string_view name, std::int32_t& raw) {
  const std::uint16_t code = catalogue::addressCode(name);
  if (code == 0) return false;
  int low = 0;
  if (!readWord(pageOf(code), code & 0xFF, low)) return false;
  if (!catalogue::is32Bit(name)) {
    raw = low;
    return true;
  }
  const std::uint16_t highCode = catalogue::highWordCode(name);
  int high = 0;
  if (!readWord(pageOf(highCode), highCode & 0xFF, high)) return false;
  raw = static_cast<std::int32_t>(static_cast<std::uint32_t>(high) << 16 | static_cast<std::uint32_t>(low));
  return true;
}

bool DriveOperations::fetchParameter(std::string_view name, std::int32_t& raw) {
  const int linear = catalogue::wordAddress(name);
  if (linear < 0) return false;
  if (!catalogue::is32Bit(name)) {
    int word = 0;
    if (!fetch(linear, word)) return false;
    raw = word;
    return true;
  }
  int high = 0, low = 0;
  if (!fetch(catalogue::highWordAddress(name), high) || !fetch(linear, low)) return false;
  raw = static_cast<std::int32_t>(static_cast<std::uint32_t>(high) << 16 | static_cast<std::uint32_t>(low));
  return true;
}

bool DriveOperations::modbusRead(int reg, bool ascii, int& word) {
  const auto rq = modbus::readRequest(linkState().station, reg, 1, ascii);
  std::uint8_t reply[64];
  std::size_t got = 0;
  const int rc = ascii ? modbus::asciiExchange(port_, rq.frame, reply, rq.expectedReply, kModbusAsciiTries, &got)
                       : modbus::rtuExchange(port_, rq.frame, reply, rq.expectedReply, kModbusRtuTimeoutMs, &got);
  if (rc != protocol::kModbusNormal) return false;
  word = ascii ? modbus::asciiReadValue({reply, got}) : modbus::rtuReadValue({reply, got});
  return word >= 0;
}

bool DriveOperations::modbusWrite(int reg, int value, bool ascii) {
  const auto rq = modbus::writeRequest(linkState().station, reg, value, ascii);
  std::uint8_t reply[64];
  const int rc = ascii ? modbus::asciiExchange(port_, rq.frame, reply, rq.expectedReply, kModbusAsciiTries)
                       : modbus::rtuExchange(port_, rq.frame, reply, rq.expectedReply, kModbusRtuTimeoutMs);
  return rc == protocol::kModbusNormal;
}

// ---- Registers ---------------------------------------------------------------------------

int DriveOperations::readRegister(int page, int address) {
  if (!linked()) return 0;
  int word = 0;
  if (!readWord(page, address, word)) return 0;
  std::int32_t v = word;
  if (page == kPage5 && address == kSpeedCommandAddress)
    v = signExtend16(word);
  else if ((page == kPage5 && address == kExtended7Address5) || (page == kPageC && address == kExtended7AddressC))
    v = conversion::toDisplay(conversion::kExtendedLetter, 7, word);
  else if ((page == kPage5 && address == kExtended6Address5) || (page == kPageC && address == kExtended6AddressC))
    v = conversion::toDisplay(conversion::kExtendedLetter, 6, word);
  else if (page == '6' && address == kSpeedMonitorAddress6)
    v = conversion::toDisplay(conversion::kMonitorLetter, 1, word);
  lastValue_ = v;
  return 1;
}

std::int32_t DriveOperations::registerRaw(int page, int address, std::int32_t value) {
  if ((page == kPage5 && address == kSpeedCommandAddress) || (page == '6' && address == kSpeedCommand6Address))
    return conversion::toRaw('S', 1, value);
  if ((page == kPage5 && address == kExtended6Address5) || (page == kPageC && address == kExtended6AddressC))
    return conversion::toRaw(conversion::kExtendedLetter, 6, value);
  if ((page == kPage5 && address == kExtended7Address5) || (page == kPageC && address == kExtended7AddressC))
    return conversion::toRaw(conversion::kExtendedLetter, 7, value);
  return value & 0xFFFF;
}

std::optional<int> DriveOperations::storedLinear(int page, int address) {
  if (address < 0 || address > 0xFF) return std::nullopt;
  if (page == kPage5 || page == protocol::kPage5Numeric) return address;
  if (page == kPageC || page == protocol::kPageCNumeric) return address + protocol::kLinearBaseC;
  return std::nullopt;
}

int DriveOperations::storeRegister(int page, int address, std::int32_t value) {
  if (!linked()) return 0;
  const auto linear = storedLinear(page, address);
  if (!linear) return 0;
  const int named = *linear >= protocol::kLinearBaseC ? kPageC : kPage5;
  return store(driveContext().driveType, *linear, registerRaw(named, address, value)) ? 1 : 0;
}

int DriveOperations::writeRegister(int page, int address, std::int32_t value, bool doStore) {
  if (!linked()) return 0;
  const std::int32_t raw = registerRaw(page, address, value);
  if (doStore || page == 0) {
    const int linear = address + (page == kPageC ? protocol::kLinearBaseC : 0);
    if (!store(driveContext().driveType, linear, raw)) return 0;
    if (!writeAck(page == kPageC ? kPageC : kPage5, address, raw)) return 0;
    if (page == 0) return 1;
  }
  return writeAck(page, address, raw) ? 1 : 0;
}

// ---- Parameters by name ------------------------------------------------------------------

int DriveOperations::report(const std::string& text) {
  if (reportFailures_) prompt().ask({text, optext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok});
  return 0;
}

int DriveOperations::failRead() { return report(optext::error() + ":\n\n"); }
int DriveOperations::failPlain() { return report(optext::error()); }
int DriveOperations::failWrite(std::string_view name) { return report(std::string(name) + " " + optext::error()); }

int DriveOperations::readParameter(std::string_view name) {
  if (!linked()) return 0;
  LinkBusyScope busy(flags_);
  std::int32_t raw = 0;
  if (!fetchParameter(name, raw)) return failRead();
  const std::int32_t v = rawToDisplay(name, raw);
  lastValue_ = name == writerules::kMergedSelection ? writerules::selectionOfWord(v) : v;
  return 1;
}

// Cn008 carries more than the selection in its word: the requested value is merged with what
// the drive holds.
bool DriveOperations::mergeCn008(std::int32_t& raw) {
  int current = 0;
  if (!fetch(catalogue::wordAddress(writerules::kMergedSelection), current)) return false;
  raw = writerules::mergeSelection(raw, current, driveContext().driveType);
  return true;
}

int DriveOperations::writeParameter(std::string_view name, std::int32_t displayValue) {
  const int type = driveContext().driveType;
  if (writerules::refusal(name)) return 0;
  if (!linked()) return 0;
  LinkBusyScope busy(flags_);
  const std::uint16_t code = catalogue::addressCode(name);
  int linear = catalogue::wordAddress(name);
  if (code == 0 || linear < 0) return failWrite(name);
  const char letter = catalogue::groupLetter(name);
  const int item = itemOf(name);
  int page = pageOf(code);
  if (page == kPageC) page = catalogue::transferPage(name);
  if ((code >> 8) == kPageNumeric0B) linear += kPageNumeric0BOffset;
  const int address = code & 0xFF;

  std::int32_t raw = catalogue::idOf(name) > 2000 ? displayValue : displayToRaw(name, displayValue);
  if (letter == 'C' && item == 8 && !mergeCn008(raw)) return failPlain();
  if (letter == 'C' && item == 2) {
    int word = 0;
    if (!readWord(kPage5, address, word)) return failPlain();
  }

  // The store goes through the drive type's own window: on the older drives the M7 window's
  // addresses are ordinary registers (position table items), which a store there would
  // overwrite while the value itself was never stored.
  const int windowType = type;
  const bool storeOnly = catalogue::storeOnly(name) || onWindowRegister(page, address, type);
  if (catalogue::is32Bit(name)) {
    const std::int32_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw) >> 16);
    const std::int32_t low = raw & 0xFFFF;
    if (!store(windowType, catalogue::highWordAddress(name), high)) return failWrite(name);
    if (!store(windowType, linear, low)) return failWrite(name);
    if (!storeOnly) {
      const auto pair = catalogue::directWritePair(name);
      const long regs[2] = {pair.low, pair.high};
      const long values[2] = {low, high};
      std::uint8_t reply[protocol::kWriteReplyLength];
      if (checkedExchange(port_, drivelink::multiWrite(regs, values), reply, sizeof reply) == 0)
        return failWrite(name);
    }
  } else {
    if (!store(windowType, linear, raw)) return failWrite(name);
    if (!storeOnly) {
      if (!writeAck(page, address, raw)) return failWrite(name);
      if (letter == 'C' && item == 12 && !writeAck(kCn012ApplyPage, kCn012ApplyAddress, 1)) return failWrite(name);
    }
  }
  return 1;
}

bool DriveOperations::isDisplayCode(std::string_view code) {
  const char letter = catalogue::groupLetter(code);
  return letter == conversion::kMonitorLetter || letter == conversion::kDiagnosticLetter ||
         (letter == conversion::kAlarmLetter && code.size() > 1 && code[1] == 'L');
}

int DriveOperations::readDisplayValue(std::string_view code) {
  if (!linked() || !isDisplayCode(code)) return 0;
  std::int32_t raw = 0;
  if (!readParameterDirect(code, raw)) return 0;
  if (!catalogue::is32Bit(code)) raw = signExtend16(raw);
  const char letter = code[0] == 'A' ? conversion::kAlarmLetter : catalogue::groupLetter(code);
  lastValue_ = conversion::toDisplay(letter, itemOf(code), raw);
  return 1;
}

int DriveOperations::modbusReadParameter(std::string_view name, bool ascii) {
  if (!linked()) return 0;
  const int reg = catalogue::modbusRegister(name);
  if (reg < 0) return 0;
  int word = 0;
  if (!modbusRead(reg, ascii, word)) return 0;
  const std::int32_t v = rawToDisplay(name, word);
  lastValue_ = name == writerules::kMergedSelection ? writerules::selectionOfWord(v) : v;
  return 1;
}

int DriveOperations::modbusWriteParameter(std::string_view name, std::int32_t displayValue, bool ascii) {
  // Refused before anything is sent: a word cut to fit would be reported as written.
  if (const auto refused = writerules::modbusRefusal(name, displayValue)) return report(*refused);
  if (!linked()) return 0;
  const int type = driveContext().driveType;
  const int reg = catalogue::modbusRegister(name);
  std::int32_t raw = catalogue::idOf(name) > 2000 ? displayValue : displayToRaw(name, displayValue);
  if (name == writerules::kMergedSelection) {
    int current = 0;
    if (writerules::selectionNeedsCurrentWord(type) && !modbusRead(reg, ascii, current)) return 0;
    raw = writerules::mergeSelection(raw, current, type);
  }
  return modbusWrite(reg, raw & 0xFFFF, ascii) ? 1 : 0;
}

}  // namespace zavo
