#include "link/ConnectionManager.h"

#include "link/LinkState.h"
#include "link/ModbusCodec.h"
#include "link/ModbusExchange.h"
#include "link/OperationTexts.h"
#include "link/PortList.h"
#include "link/Protocol.h"
#include "link/SerialFormat.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/catalogue/ValueConversion.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

// Arguments of the two ways of opening the port: the user's connect and the reconnect.
constexpr unsigned long kOpenBaud = 19200;
constexpr unsigned long kOpenReadTimerMs = 500;
constexpr unsigned long kOpenQueue = 20000;
constexpr unsigned long kReconnectQueue = 2048;
constexpr int kReadTimerMs = 500;
constexpr int kModbusRtuProbeMs = 400;
constexpr int kBaudIndexFallback = 1;
constexpr int kReconnectMaxBaudIndex = 3;
constexpr int kTickWrap = 1000;
// The drive's identification: software version dn-04, input terminals dn-03 ("R6CB"), and
// dn-09 read after a connect.
constexpr const char* kSoftwareVersion = "dn04";
constexpr const char* kInputTerminals = "dn03";
constexpr const char* kAsicVersion = "dn09";
constexpr const char* kModelCode = "Cn030";
constexpr std::int32_t kModelFamilyMask = 0xF000;
constexpr std::int32_t kModelFamilyWithAux = 0x3000;

int pageOf(std::uint16_t code) {
  const int page = code >> 8;
  if (page == protocol::kPage5Numeric) return protocol::kPage5;
  if (page == protocol::kPageCNumeric) return protocol::kPageC;
  return page;
}

}  // namespace

ConnectionManager::ConnectionManager(CSerial& port, LinkFlags& flags, DriveOperations& ops, CZavoServoDoc& doc,
                                     ConnectionHost& host)
    : port_(port), flags_(flags), ops_(ops), doc_(doc), host_(host) {}

void ConnectionManager::setSettingsFolders(std::string programDir, std::string tempDir) {
  programDir_ = std::move(programDir);
  tempDir_ = std::move(tempDir);
}

void ConnectionManager::syncContext() { driveContext().linkOpen = linkState().isConnected(); }

void ConnectionManager::closePort() {
  if (flags_.portOpen) port_.Close();
  flags_.portOpen = false;
  linkState().connected = 0;
  syncContext();
}

// The bar must not say "Servo Linking" under the message that the link is gone.
void ConnectionManager::refreshAllPanes() {
  for (int pane = 0; pane < kStatusPaneCount; ++pane) host_.refreshPane(pane);
}

void ConnectionManager::failLink(const std::string& message, bool topmost) {
  prompt().ask({message, optext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok, topmost});
}

// ---- Connect / disconnect ----------------------------------------------------------------

void ConnectionManager::connectCommand() {
  const std::int32_t versionBefore = doc_.driveSoftwareVersion;
  const auto choice = host_.askLinkPort(flags_.linkWanted, linkState().baudIndex);
  if (choice) {
    if (flags_.linkWanted)
      disconnect();
    else
      connectChosen(*choice);
  }
  finish(versionBefore);
}

void ConnectionManager::connectTo(const LinkPortChoice& choice) {
  const std::int32_t versionBefore = doc_.driveSoftwareVersion;
  connectChosen(choice);
  finish(versionBefore);
}

void ConnectionManager::disconnect() {
  flags_.linkWanted = false;
  linkState().connected = 0;
  if (flags_.portOpen) {
    port_.Close();
    flags_.portOpen = false;
  }
  syncContext();
}

void ConnectionManager::connectChosen(const LinkPortChoice& choice) {
  LinkBusyScope busy(flags_);
  auto& ls = linkState();
  const bool same = choice.portIndex == ls.comPortIndex && choice.baudIndex == ls.baudIndex;
  if (same && ls.isConnected()) {
    readVersionFlags();
    return;
  }
  ls.comPortIndex = choice.portIndex;
  ls.baudIndex = (choice.baudIndex >= 0 && choice.baudIndex <= 5) ? choice.baudIndex : kBaudIndexFallback;
  closePort();
  const std::string name = openNameOfEntry(choice.portEntry);
  reconnectName_ = name;
  openAndHandshake(name, choice);
  readVersionFlags();
  // The line may still drop while the version flags are read: a link that is not there is
  // said to be gone now, not left for the next poll (which zavoctl never runs).
  if (flags_.linkWanted && !linkState().isConnected()) {
    flags_.linkWanted = false;
    closePort();
    failLink(optext::kHandshakeFailed, false);
  }
}

bool ConnectionManager::configurePort(bool reconnect) {
  auto& ls = linkState();
  int baudIndex = ls.baudIndex;
  if (reconnect && (baudIndex < 0 || baudIndex > kReconnectMaxBaudIndex)) baudIndex = kBaudIndexFallback;
  SerialFormat f = kDriveLinkFormat;
  if (ls.modbusMode) {
    if (ls.modbusFormat < 0 || ls.modbusFormat >= protocol::kModbusFormatCount) ls.modbusFormat = 0;
    f = modbusFormat(ls.modbusFormat);
    if (reconnect) ls.modbusAscii = f.ascii ? 1 : 0;
  }
  const unsigned long baud = baudOfIndex(baudIndex);
  port_.Setup(static_cast<CSerial::EBaudrate>(baud), f.data, f.parity, f.stop);
  if (!reconnect) port_.SetupReadTimeouts(CSerial::EReadTimeoutBlocking);
  port_.SetupHandshaking(CSerial::EHandshakeOff);
  if (!reconnect) port_.SetupReadTimer(static_cast<int>(baud), kReadTimerMs);
  flags_.portOpen = true;
  return true;
}

bool ConnectionManager::modbusProbe() {
  auto& ls = linkState();
  const bool ascii = ls.modbusAscii != 0;
  const auto rq = modbus::readRequest(ls.station, 0, 1, ascii);
  std::uint8_t reply[64];
  const int rc = ascii ? modbus::asciiExchange(port_, rq.frame, reply, rq.expectedReply, 1)
                       : modbus::rtuExchange(port_, rq.frame, reply, rq.expectedReply, kModbusRtuProbeMs);
  return rc == protocol::kModbusNormal;
}

bool ConnectionManager::readTerminals() {
  const std::uint16_t code = catalogue::addressCode(kInputTerminals);
  int word = 0;
  if (!ops_.readWord(pageOf(code), code & 0xFF, word)) return false;
  doc_.inputTerminals = conversion::toDisplay(conversion::kDiagnosticLetter, 3, word);
  return true;
}

bool ConnectionManager::readSoftwareVersion() {
  const std::uint16_t versionCode = catalogue::addressCode(kSoftwareVersion);
  int word = 0;
  if (!ops_.readWord(pageOf(versionCode), versionCode & 0xFF, word)) return false;
  doc_.driveSoftwareVersion = conversion::toDisplay(conversion::kDiagnosticLetter, 4, word);
  return true;
}

bool ConnectionManager::driveLinkHandshake(const LinkPortChoice& choice) {
  host_.setWaitCursor(true);
  const bool versionRead = readSoftwareVersion();
  host_.setWaitCursor(false);
  if (!versionRead || !readTerminals()) return false;
  linkState().connected = 1;
  flags_.linkWanted = true;
  syncContext();
  statusRead();
  if (!linkState().isConnected()) return false;
  saveSelectedEntry(choice.portEntry, programDir_, tempDir_);
  // A failure here is the handshake's, told once as such.
  DriveOperations::QuietFailures quiet(ops_);
  if (ops_.readParameter(kModelCode)) {
    doc_.modelCode = ops_.lastValue();
    driveContext().modelCode = doc_.modelCode;
    if ((doc_.modelCode & kModelFamilyMask) == kModelFamilyWithAux) {
      if (ops_.readRegister(protocol::kAuxModelRegister.page, protocol::kAuxModelRegister.address))
        doc_.auxiliaryModelWord = ops_.lastValue();
    } else {
      doc_.auxiliaryModelWord = 0;
    }
  }
  return linkState().isConnected();
}

void ConnectionManager::openAndHandshake(const std::string& name, const LinkPortChoice& choice) {
  auto& ls = linkState();
  const long rc = port_.Open(name.c_str(), kOpenBaud, kOpenReadTimerMs, kOpenQueue, kOpenQueue);
  if (rc == 0) {
    configurePort(false);
    bool answered;
    if (ls.modbusMode) {
      answered = modbusProbe();
      // A drive that answers the probe is linked: without this nothing would ever talk to it.
      if (answered) {
        ls.connected = 1;
        flags_.linkWanted = true;
        syncContext();
      }
    } else {
      answered = driveLinkHandshake(choice);
    }
    if (!answered) {
      flags_.linkWanted = false;
      closePort();
      failLink(optext::kHandshakeFailed, false);
    }
    return;
  }
  if (rc == CSerial::kAlreadyOpen) {
    if (ls.modbusMode) return;
    if (readTerminals()) {
      ls.connected = 1;
      flags_.linkWanted = true;
    } else {
      closePort();
    }
    syncContext();
    return;
  }
  ls.connected = 0;
  syncContext();
  if (!port_.IsOpen()) failLink(optext::communicateError() + "\n" + optext::kCantOpenPort, false);
}

void ConnectionManager::readVersionFlags() {
  if (linkState().modbusMode) return;
  const std::uint16_t asic = catalogue::addressCode(kAsicVersion);
  ops_.readRegister(pageOf(asic), asic & 0xFF);
  if (!ops_.readRegister(protocol::kVersionRegister.page, protocol::kVersionRegister.address)) return;
  const int version = ops_.lastValue();
  auto& ctx = driveContext();
  ctx.legacySeries = version < protocol::kLegacyVersionBelow;
  if (version != protocol::kVersionWithMinor) {
    ctx.extendedMonitor = true;
  } else if (ops_.readRegister(protocol::kVersionMinorRegister.page, protocol::kVersionMinorRegister.address)) {
    ctx.extendedMonitor = ops_.lastValue() >= protocol::kExtendedMonitorMinorFrom;
  }
}

void ConnectionManager::finish(std::int32_t versionBefore) {
  if (!linkState().isConnected())
    for (int pane = 1; pane <= 7; ++pane) host_.refreshPane(pane);
  host_.refreshPane(3);
  if (doc_.driveSoftwareVersion != versionBefore) doc_.rebuildForNewVersion();
  host_.reloadOnlineWindow();
}

// ---- The tick ----------------------------------------------------------------------------

void ConnectionManager::timerTick() {
  if (flags_.linkWanted && !flags_.linkBusy && flags_.reconnectTicks + 1 >= kReconnectEveryTicks) {
    flags_.reconnectTicks = 0;
    autoReconnect();
  } else {
    flags_.reconnectTicks = (flags_.reconnectTicks + 1) % kTickWrap;
  }
  if (linkState().isConnected() && !flags_.linkBusy && !flags_.modalOperation) {
    LinkBusyScope busy(flags_);
    if (!healthPoll()) {
      flags_.linkWanted = false;
      linkState().connected = 0;
      syncContext();
      if (flags_.portOpen) {
        port_.Close();
        flags_.portOpen = false;
        refreshAllPanes();
        failLink(optext::linkLost(), true);
        host_.linkLost();
      }
    }
  }
}

void ConnectionManager::autoReconnect() {
  LinkBusyScope busy(flags_);
  auto& ls = linkState();
  // The reconnect opens the device the user connected to (a list position says nothing
  // reliable about a device path).
  const std::string name = reconnectName_.empty() ? "COM" + std::to_string(ls.comPortIndex + 1) : reconnectName_;
  const long rc = port_.Open(name.c_str(), kOpenBaud, kReconnectQueue, kReconnectQueue);
  auto giveUp = [&] {
    port_.Close();
    flags_.portOpen = false;
    flags_.linkWanted = false;
    ls.connected = 0;
    syncContext();
    refreshAllPanes();
    failLink(optext::linkLost(), true);
    host_.linkLost();
  };
  if (rc == 0) {
    host_.rememberReconnectPort(name);
    configurePort(true);
    if (readSoftwareVersion() && readTerminals()) {
      ls.connected = 1;
      syncContext();
    } else {
      giveUp();
    }
  } else if (rc == CSerial::kAlreadyOpen) {
    if (readTerminals()) {
      ls.connected = 1;
      syncContext();
    } else {
      ls.connected = 0;
      syncContext();
      if (flags_.portOpen) giveUp();
    }
  } else if (!port_.IsOpen()) {
    ls.connected = 0;
    syncContext();
  }
  host_.refreshPane(3);
  host_.reloadOnlineWindow();
  if (!ls.isConnected()) {
    for (int pane : {0, 1, 2, 4, 5, 6, 7}) host_.refreshPane(pane);
    host_.closeMonitorWindows();
  }
}

int ConnectionManager::healthPoll() {
  if (!linkState().isConnected()) return 0;
  if (!statusRead()) return 0;
  return host_.refreshMonitorWindows() ? 1 : 0;
}

int ConnectionManager::statusRead() {
  if (!ops_.readRegister(protocol::kControlModeRegister.page, protocol::kControlModeRegister.address)) return 0;
  doc_.controlMode = conversion::toDisplay('D', 1, ops_.lastValue());
  host_.refreshPane(1);
  if (!ops_.readRegister(protocol::kServoOnRegister.page, protocol::kServoOnRegister.address)) return 0;
  status_.servoOn = ops_.lastValue() & 1;
  host_.refreshPane(0);
  const std::uint16_t versionCode = catalogue::addressCode(kSoftwareVersion);
  if (!ops_.readRegister(pageOf(versionCode), versionCode & 0xFF)) return 0;
  doc_.driveSoftwareVersion = conversion::toDisplay(conversion::kDiagnosticLetter, 4, ops_.lastValue());
  host_.refreshPane(2);
  if (!ops_.readRegister(protocol::kMotorCodeRegister.page, protocol::kMotorCodeRegister.address)) return 0;
  doc_.motorCode = ops_.lastValue() & 0xFFFF;
  driveContext().motorCode = doc_.motorCode;
  host_.refreshPane(4);
  host_.refreshPane(5);
  if (!ops_.readRegister(protocol::kRatedSpeedRegister.page, protocol::kRatedSpeedRegister.address)) return 0;
  // A drive that reports no speed keeps the last one: the speed scaling divides by it.
  if (ops_.lastValue() > 0) driveContext().ratedSpeed = ops_.lastValue();
  if (!ops_.readRegister(protocol::kServoStatusRegister.page, protocol::kServoStatusRegister.address)) return 0;
  status_.statusWord = static_cast<std::uint32_t>(ops_.lastValue());
  host_.refreshPane(7);
  host_.refreshPane(6);
  if (!ops_.readRegister(protocol::kStatusLongLowRegister.page, protocol::kStatusLongLowRegister.address)) return 0;
  const std::int32_t low = ops_.lastValue();
  if (ops_.readRegister(protocol::kStatusLongHighRegister.page, protocol::kStatusLongHighRegister.address))
    status_.statusLong = static_cast<std::int32_t>(static_cast<std::uint32_t>(ops_.lastValue()) << 16 |
                                                   static_cast<std::uint32_t>(low & 0xFFFF));
  return 1;
}

}  // namespace zavo
