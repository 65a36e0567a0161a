#include "sim/VirtualDrive.h"

#include <cstdio>
#include <filesystem>

#include "sim/DriveBus.h"
#include "sim/DriveEngine.h"
#include "sim/LineServer.h"

namespace zavo::sim {
namespace {

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

std::optional<RegisterRef> at(int page, int address) { return registerAt(page, address); }

std::unique_ptr<DriveBus> drivesOf(const SimOptions& o) {
  std::vector<DriveBus::Member> members;
  for (const StationSetup& d : o.drives())
    members.push_back({d.station, d.baud, std::make_unique<DriveEngine>(d.driveType, d.station, o.seed, o.axis)});
  return std::make_unique<DriveBus>(std::move(members));
}

}  // namespace

VirtualDrive::VirtualDrive(SimOptions options)
    : options_(std::move(options)),
      drives_(drivesOf(options_)),
      engine_(&drives_->first()),
      server_(std::make_unique<LineServer>(options_, *drives_, log_)) {
  for (const int station : drives_->stations()) drives_->atStation(station)->refuseWrites(options_.faults.refusedRegisters);
  engine_->setTracePortRefused(options_.tracePortRefused);
}

DriveEngine* VirtualDrive::stationDrive(int station) { return drives_->atStation(station); }

VirtualDrive::~VirtualDrive() { stop(); }

bool VirtualDrive::start(std::string* error) {
  if (running()) return true;
  if (!options_.statePath.empty()) {
    DriveState state;
    std::string why;
    // A missing file is a drive that was never switched on before; anything else that is
    // wrong with it must not be silently overwritten by the next save.
    if (StateFile::load(options_.statePath, state, &why)) {
      if (!engine_->restore(state, &why)) return fail(error, options_.statePath + ": " + why);
    } else if (std::error_code ec; std::filesystem::exists(options_.statePath, ec)) {
      return fail(error, why);
    }
  }
  // What the command line sets wins over what the drive kept.
  if (options_.alarms) engine_->setAlarms(*options_.alarms);
  for (const auto& pin : options_.pins) setRegister(pin.page, pin.address, pin.value);
  savedRevision_ = engine_->stateRevision();
  stateInUse_ = !options_.statePath.empty();
  if (!options_.logPath.empty() && !log_.writeTo(options_.logPath))
    return fail(error, "cannot write the log " + options_.logPath);
  if (!server_->open(error)) return false;
  server_->afterRequest([this] { saveState(); });
  thread_ = std::thread([this] { server_->run(); });
  return true;
}

void VirtualDrive::stop() {
  if (thread_.joinable()) {
    server_->stop();
    thread_.join();
  }
  server_->close();
  saveState();
}

void VirtualDrive::saveState() {
  // Only a state file this drive has taken on is written: one it refused stays as it is.
  if (!stateInUse_) return;
  const std::uint64_t revision = engine_->stateRevision();
  if (revision == savedRevision_) return;
  std::string why;
  if (StateFile::save(options_.statePath, engine_->state(), &why))
    savedRevision_ = revision;
  else
    std::fprintf(stderr, "zavodrive-sim: %s\n", why.c_str());
}

long VirtualDrive::traceOverruns() const { return engine_->traceOverruns(); }
void VirtualDrive::setTracePortRefused(bool refused) { engine_->setTracePortRefused(refused); }
void VirtualDrive::spoilTraceBlocks(int n) { engine_->spoilTraceBlocks(n); }

std::string VirtualDrive::portPath() const { return server_->portPath(); }
int VirtualDrive::plugCount() const { return server_->plugCount(); }

void VirtualDrive::onPortChanged(std::function<void(const std::string&)> callback) {
  server_->onPortChanged(std::move(callback));
}

std::optional<int> VirtualDrive::readRegister(int page, int address) {
  const auto r = at(page, address);
  return r ? engine_->readRegister(*r) : std::nullopt;
}

void VirtualDrive::setRegister(int page, int address, int value) {
  if (const auto r = at(page, address)) engine_->poke(*r, static_cast<std::uint16_t>(value));
}

int VirtualDrive::storedWord(int linear) const { return engine_->storedWord(linear); }

bool VirtualDrive::setStoredWord(int linear, int value) {
  return engine_->setStoredWord(linear, static_cast<std::uint16_t>(value));
}

std::optional<std::int32_t> VirtualDrive::storedParameter(const std::string& code) const {
  return engine_->storedParameter(code);
}

std::optional<std::int32_t> VirtualDrive::liveParameter(const std::string& code) {
  return engine_->liveParameter(code);
}

bool VirtualDrive::setParameter(const std::string& code, std::int32_t raw) {
  return engine_->setParameter(code, raw);
}

void VirtualDrive::powerCycle() { engine_->powerCycle(); }
AlarmHistory::Codes VirtualDrive::alarms() const { return engine_->alarms(); }
void VirtualDrive::setAlarms(const AlarmHistory::Codes& codes) { engine_->setAlarms(codes); }
void VirtualDrive::setFaults(const FaultPlan& faults) {
  for (const int station : drives_->stations()) drives_->atStation(station)->refuseWrites(faults.refusedRegisters);
  server_->setFaults(faults);
}

}  // namespace zavo::sim
