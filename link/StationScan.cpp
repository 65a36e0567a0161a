#include "link/StationScan.h"

#include <algorithm>
#include <cstdio>

#include "link/CatalogueTypeScope.h"
#include "link/DriveLinkCodec.h"
#include "link/DriveTypeProbe.h"
#include "link/LinkSession.h"
#include "link/ModbusCodec.h"
#include "link/ModbusExchange.h"
#include "link/Protocol.h"
#include "link/SerialFormat.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"

namespace zavo {
namespace {

// The model code the connect reads.
constexpr const char* kModelCode = "Cn030";
constexpr std::size_t kReplyCapacity = 64;
constexpr int kMsPerSecond = 1000;

ProbeAnswer driveLinkRead(CSerial& port, int page, int address, int* value = nullptr) {
  std::uint8_t reply[protocol::kReadReplyLength];
  if (checkedExchange(port, drivelink::readRequest(page, address), reply, sizeof reply) == protocol::kExchangeData) {
    if (value) *value = drivelink::hexValue16(&reply[1]);
    return ProbeAnswer::Has;
  }
  return reply[0] == protocol::kReplyRefused ? ProbeAnswer::Refuses : ProbeAnswer::Failed;
}

bool driveLinkWrite(CSerial& port, int address, int value) {
  std::uint8_t reply[protocol::kWriteReplyLength];
  return checkedExchange(port, drivelink::writeRequest5(address, value), reply, sizeof reply) ==
         protocol::kExchangeWriteAck;
}

ProbeAnswer modbusRead(CSerial& port, int station, int reg, bool ascii, int* value = nullptr) {
  const auto rq = modbus::readRequest(station, reg, 1, ascii);
  std::uint8_t reply[kReplyCapacity];
  std::size_t got = 0;
  const int rc = ascii ? modbus::asciiExchange(port, rq.frame, reply, rq.expectedReply, 1, &got)
                       : modbus::rtuExchange(port, rq.frame, reply, rq.expectedReply, kScanDetailTimeoutMs, &got);
  if (rc == protocol::kModbusException) return ProbeAnswer::Refuses;
  if (rc != protocol::kModbusNormal) return ProbeAnswer::Failed;
  if (value) *value = ascii ? modbus::asciiReadValue({reply, got}) : modbus::rtuReadValue({reply, got});
  return ProbeAnswer::Has;
}

// The read address, then the fetch command: Has when the drive carried it out, Refuses when
// its memory has no such word.
ProbeAnswer fetchCommand(CSerial& port, const protocol::WindowLayout& w, int linear) {
  if (!driveLinkWrite(port, w.readAddress, linear)) return ProbeAnswer::Failed;
  std::uint8_t reply[protocol::kWriteReplyLength];
  if (checkedExchange(port, drivelink::writeRequest5(w.command, protocol::kWindowFetch), reply, sizeof reply) ==
      protocol::kExchangeWriteAck)
    return ProbeAnswer::Has;
  return reply[0] == protocol::kReplyRefused ? ProbeAnswer::Refuses : ProbeAnswer::Failed;
}

void setLine(CSerial& port, unsigned long baud, const SerialFormat& f) {
  port.Setup(static_cast<CSerial::EBaudrate>(baud), f.data, f.parity, f.stop);
}

// The station a Modbus reply comes from (-1 when it is too short to say).
int stationOfReply(std::span<const std::uint8_t> reply, bool ascii) {
  if (!ascii) return reply.empty() ? -1 : reply[0];
  if (reply.size() < 3) return -1;
  const int hi = drivelink::hexDigit(reply[1]), lo = drivelink::hexDigit(reply[2]);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

}  // namespace

int StationScan::probeTimeoutMs(unsigned long baud, int bitsPerCharacter, std::size_t requestChars,
                                std::size_t replyChars) {
  if (baud == 0) return kScanTurnaroundAllowanceMs;
  const auto bits = static_cast<unsigned long>(bitsPerCharacter) * (requestChars + replyChars);
  return static_cast<int>((bits * kMsPerSecond + baud - 1) / baud) + kScanTurnaroundAllowanceMs;
}

std::string FoundDrive::versionText() const {
  if (version < 0) return "-";
  const bool aSeries = driveType == 0 || driveType == 2 || driveType == 4;
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d.%02d", aSeries ? 'A' : 'E', version / 100 % 100, version % 100);
  return text;
}

std::string FoundDrive::text() const {
  char text[128];
  const std::string where = modbus ? "station " + std::to_string(station) : std::string("drivelink");
  const std::string line = modbus ? formatText(format) : "8N1";
  const std::string type = driveType >= 0 ? std::to_string(driveType) : "?";
  char modelText[8] = "-";
  if (model >= 0) std::snprintf(modelText, sizeof modelText, "%04X", model & 0xFFFF);
  std::snprintf(text, sizeof text, "%s  %lu %s  type %s  %s  motor %s", where.c_str(), baud, line.c_str(),
                type.c_str(), versionText().c_str(), modelText);
  return text;
}

bool StationScan::probeDriveLink(unsigned long baud, FoundDrive& found) {
  setLine(port_, baud, kDriveLinkFormat);
  port_.SetupReadTimer(static_cast<int>(baud),
                       probeTimeoutMs(baud, characterBits(kDriveLinkFormat), protocol::kReadRequestLength,
                                      protocol::kReadReplyLength));
  // The version register sits at the same place on every type, as register 0 does on Modbus.
  int version = 0;
  if (driveLinkRead(port_, protocol::kVersionRegister.page, protocol::kVersionRegister.address, &version) !=
      ProbeAnswer::Has)
    return false;
  found = FoundDrive{};
  found.baud = baud;
  found.version = version;
  return true;
}

void StationScan::detailDriveLink(FoundDrive& found) {
  port_.SetupReadTimer(static_cast<int>(found.baud), kScanDetailTimeoutMs);
  const int preferred = driveContext().driveType;
  const bool preferM7 = preferred >= protocol::kFirstM7DriveType;
  // The window of the program's own type first, as the connect would use it. A drive of the
  // other family has plain registers there, which keep the command instead of carrying it out.
  for (const bool m7 : {preferM7, !preferM7}) {
    const auto& w = m7 ? protocol::kWindowM7 : protocol::kWindowOlder;
    const std::vector<int> family = m7 ? std::vector<int>{2, 3, 4} : std::vector<int>{0, 1};
    int model = 0;
    if (!fetchThroughWindow(w, family.front(), model)) continue;
    found.model = model;
    found.driveType = DriveTypeProbe::identify(
        DriveTypeProbe::Registers::Words, [&](int linear) { return fetchCommand(port_, w, linear); }, family,
        preferred);
    return;
  }
}

bool StationScan::fetchThroughWindow(const protocol::WindowLayout& w, int driveType, int& model) {
  int address = 0, command = 0;
  if (driveLinkRead(port_, protocol::kPage5, w.readAddress, &address) != ProbeAnswer::Has ||
      driveLinkRead(port_, protocol::kPage5, w.command, &command) != ProbeAnswer::Has)
    return false;
  int linear = 0;
  {
    CatalogueTypeScope scope(driveType);
    linear = catalogue::wordAddress(kModelCode);
  }
  int after = -1;
  if (fetchCommand(port_, w, linear) == ProbeAnswer::Has &&
      driveLinkRead(port_, protocol::kPage5, w.command, &after) == ProbeAnswer::Has && after == protocol::kWindowIdle)
    return driveLinkRead(port_, protocol::kPage5, w.readData, &model) == ProbeAnswer::Has;
  // Not a window: what the two registers held is put back.
  driveLinkWrite(port_, w.readAddress, address);
  driveLinkWrite(port_, w.command, command);
  return false;
}

int StationScan::probeStation(unsigned long baud, int format, int station, FoundDrive& found) {
  const bool ascii = modbusFormat(format).ascii;
  const auto rq = modbus::readRequest(station, protocol::kModbusProbeRegister, 1, ascii);
  const int timeout = probeTimeoutMs(baud, characterBits(modbusFormat(format)), rq.frame.size, rq.expectedReply);
  std::uint8_t reply[kReplyCapacity];
  std::size_t got = 0;
  const int rc = modbus::probeExchange(port_, rq.frame, ascii, reply, rq.expectedReply,
                                       static_cast<unsigned long>(timeout), &got);
  // An exception is a drive too: it is there, it only does not serve the register.
  if (rc != protocol::kModbusNormal && rc != protocol::kModbusException) return 0;
  const int answered = stationOfReply({reply, got}, ascii);
  found = FoundDrive{};
  found.modbus = true;
  found.station = answered;
  found.baud = baud;
  found.format = format;
  if (rc == protocol::kModbusNormal && answered == station)
    found.version = ascii ? modbus::asciiReadValue({reply, got}) : modbus::rtuReadValue({reply, got});
  return answered;
}

void StationScan::detailModbus(FoundDrive& found) {
  const bool ascii = modbusFormat(found.format).ascii;
  port_.SetupReadTimer(static_cast<int>(found.baud), kScanDetailTimeoutMs);
  if (found.version < 0) modbusRead(port_, found.station, protocol::kModbusProbeRegister, ascii, &found.version);
  found.driveType = DriveTypeProbe::identify(
      DriveTypeProbe::Registers::Modbus, [&](int reg) { return modbusRead(port_, found.station, reg, ascii); },
      {0, 1, 2, 3, 4}, driveContext().driveType);
  int model = 0;
  if (modbusRead(port_, found.station, catalogue::modbusRegister(kModelCode), ascii, &model) == ProbeAnswer::Has)
    found.model = model;
}

std::vector<FoundDrive> StationScan::run(const ScanPlan& plan, ScanObserver& observer) {
  cancelled_ = false;
  std::vector<FoundDrive> drives;
  const int savedTimer = port_.ReadTimerMs();
  ScanProgress progress;
  progress.total = plan.probeCount();
  // False when the scan is to end: cancelled before the probe.
  const auto next = [&](unsigned long baud, int format, int station) {
    progress.baud = baud;
    progress.format = format;
    progress.station = station;
    if (!observer.progress(progress)) cancelled_ = true;
    ++progress.done;
    return !cancelled_;
  };
  const auto take = [&](const FoundDrive& d) {
    drives.push_back(d);
    observer.found(d);
    return !plan.first;
  };
  const auto known = [&](const FoundDrive& d) {
    return std::any_of(drives.begin(), drives.end(), [&](const FoundDrive& k) {
      return k.modbus && k.station == d.station && k.baud == d.baud && k.format == d.format;
    });
  };
  bool going = true;
  for (const unsigned long baud : plan.bauds) {
    if (!going) break;
    FoundDrive d;
    if (plan.driveLink && (going = next(baud, -1, 0)) && probeDriveLink(baud, d)) {
      detailDriveLink(d);
      going = take(d);
    }
    for (const int format : plan.formats) {
      if (!going) break;
      setLine(port_, baud, modbusFormat(format));
      for (const int station : plan.stations) {
        if (!(going = next(baud, format, station))) break;
        const int answered = probeStation(baud, format, station, d);
        // A reply that names another station of the plan is that station's, late.
        const bool planned = std::find(plan.stations.begin(), plan.stations.end(), answered) != plan.stations.end();
        if (answered <= 0 || !planned || known(d)) continue;
        detailModbus(d);
        setLine(port_, baud, modbusFormat(format));
        if (!(going = take(d))) break;
      }
    }
  }
  port_.SetupReadTimer(0, savedTimer);
  return drives;
}

}  // namespace zavo
