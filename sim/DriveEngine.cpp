#include "sim/DriveEngine.h"

#include <cstdio>

#include "link/Protocol.h"
#include "sim/HealthyDrive.h"
#include "sim/PoleAlignment.h"
#include "sim/TuningFirmware.h"
#include "sim/SimConstants.h"
#include "trace/TraceSources.h"
#include "tuning/TuningRegisters.h"

namespace zavo::sim {
namespace {

constexpr int kWordBits = 16;
constexpr std::uint32_t kWordMask = 0xFFFF;
constexpr int kSpeedUnit = 4096;
constexpr int kLegacySpeedUnit = 16384;

// The tuning parameters' registers, the off-line auto gain's profile as the drive comes from
// the factory (1000 rpm, about 7400 rpm/s, 200 ms) and the pole alignment's current.
void installTuningDefaults(DriveMemory& memory, const ParameterTable& table) {
  for (const auto& [r, value] : table.tuningDefaults) memory.poke(r, value);
  const auto& r = tuning::autoGainRegisters(table.driveType);
  memory.poke(r.maxSpeed, kAutoGainSpeedWord);
  memory.poke(r.acceleration, kAutoGainAccelerationWord);
  memory.poke(r.constantTime, kAutoGainTimeWord);
  memory.poke(tuning::kPoleAlignCurrent, PoleAlignment::kDefaultCurrent);
}

}  // namespace

DriveEngine::DriveEngine(int driveType, int station, std::uint64_t seed, const AxisSetup& axis)
    : table_(ParameterTable::of(driveType)),
      parameters_(protocol::imageWordsOf(driveType)),
      motion_(memory_, table_, axis.mechanics, seed, axis.noise),
      tuning_(memory_, parameters_, table_, motion_, axis.mechanics, seed, axis.noise),
      modbusMap_(table_.modbus),
      driveLink_(memory_, protocol::windowOf(driveType)),
      modbus_(memory_, parameters_, modbusMap_, station) {
  // The program's Modbus connect reads register 0 and wants a normal reply: the drive keeps
  // its software version there, read-only.
  modbusMap_.add(kModbusProbeRegister, ModbusTarget{protocol::kVersionRegister, -1});
  // Parameters the catalogue places beyond the image have a word of their own.
  for (const auto& p : table_.parameters) {
    parameters_.addExtensionWord(p.linear);
    if (p.highLinear >= 0) parameters_.addExtensionWord(p.highLinear);
  }
  // Precedence: the window over everything, then the alarm history, the tuning firmware
  // (whose state and progress words are display values too), the trace memory, then the
  // status words.
  window_ = &memory_.add<AccessWindow>(parameters_, protocol::windowOf(driveType));
  alarms_ = &memory_.add<AlarmHistory>(table_.alarms);
  firmware_ = &memory_.add<TuningFirmware>(tuning_, driveType);
  memory_.add<PoleAlignment>(tuning_, seed);
  // The trace memory samples before the status words follow the same moment.
  const int speedUnit = kSoftwareVersion < protocol::kLegacyVersionBelow ? kLegacySpeedUnit : kSpeedUnit;
  trace_ = &memory_.add<TraceEngine>(motion_, TraceSignals::Scale{table_.ratedSpeed, speedUnit}, seed,
                                      [this] { return terminals(); });
  driveLink_.setHook(trace_);
  status_ = &memory_.add<StatusRegisters>(motion_);
  HealthyDrive::installStatus(*status_, table_);
  status_->addFixed(protocol::kServoOnRegister, axis.servoOn ? tuning::kServoOnBit : 0);
  alarms_->setCodes(HealthyDrive::alarmHistory());
  installTuningDefaults(memory_, table_);

  for (const auto& p : table_.parameters) {
    const auto raw = static_cast<std::uint32_t>(p.powerOn);
    parameters_.store(p.linear, static_cast<std::uint16_t>(raw & kWordMask));
    if (p.highLinear >= 0) parameters_.store(p.highLinear, static_cast<std::uint16_t>(raw >> kWordBits));
  }
  powerCycleLocked();
}

Answer DriveEngine::answer(const RequestFramer::Request& request, double ms) {
  std::lock_guard lk(m_);
  memory_.advance(ms);
  switch (request.protocol) {
    case LineProtocol::DriveLink: return driveLink_.answer(request.bytes);
    case LineProtocol::ModbusAscii: return modbus_.answerAscii(request.bytes);
    case LineProtocol::ModbusRtu: return modbus_.answerRtu(request.bytes);
  }
  return Answer{};
}

Bytes DriveEngine::refusal(const RequestFramer::Request& request) const {
  if (request.protocol == LineProtocol::DriveLink) return DriveLinkResponder::refusal();
  return modbus_.refusal(request.bytes, request.protocol == LineProtocol::ModbusAscii);
}

std::optional<int> DriveEngine::readRegister(RegisterRef r) {
  std::lock_guard lk(m_);
  return memory_.read(r);
}

void DriveEngine::poke(RegisterRef r, std::uint16_t value) {
  std::lock_guard lk(m_);
  memory_.poke(r, value);
}

int DriveEngine::storedWord(int linear) const {
  std::lock_guard lk(m_);
  return parameters_.word(linear);
}

bool DriveEngine::setStoredWord(int linear, std::uint16_t value) {
  std::lock_guard lk(m_);
  return parameters_.store(linear, value);
}

std::optional<std::int32_t> DriveEngine::storedParameter(const std::string& code) const {
  std::lock_guard lk(m_);
  const StoredParameter* p = table_.find(code);
  if (!p) return std::nullopt;
  std::uint32_t raw = parameters_.word(p->linear);
  if (p->highLinear >= 0) raw |= static_cast<std::uint32_t>(parameters_.word(p->highLinear)) << kWordBits;
  return static_cast<std::int32_t>(raw);
}

std::optional<std::int32_t> DriveEngine::liveParameter(const std::string& code) {
  std::lock_guard lk(m_);
  const StoredParameter* p = table_.find(code);
  if (!p) return std::nullopt;
  const auto low = memory_.read(p->live);
  const auto high = p->highLive ? memory_.read(*p->highLive) : std::optional<std::uint16_t>{0};
  if (!low || !high) return std::nullopt;
  return static_cast<std::int32_t>(*low | (static_cast<std::uint32_t>(*high) << kWordBits));
}

bool DriveEngine::setParameter(const std::string& code, std::int32_t raw) {
  std::lock_guard lk(m_);
  const StoredParameter* p = table_.find(code);
  if (!p) return false;
  const auto u = static_cast<std::uint32_t>(raw);
  const auto low = static_cast<std::uint16_t>(u & kWordMask);
  const auto high = static_cast<std::uint16_t>(u >> kWordBits);
  parameters_.store(p->linear, low);
  mirror(p->live, low);
  if (p->highLinear >= 0) parameters_.store(p->highLinear, high);
  if (p->highLive) mirror(*p->highLive, high);
  return true;
}

void DriveEngine::powerCycle() {
  std::lock_guard lk(m_);
  powerCycleLocked();
}

void DriveEngine::refuseWrites(const std::vector<RegisterRef>& registers) {
  std::lock_guard lk(m_);
  std::vector<int> linears;
  for (const RegisterRef r : registers) linears.push_back(linearNumberOf(r));
  memory_.refuseWrites(registers);
  window_->refuseStores(std::move(linears));
}

void DriveEngine::powerCycleLocked() {
  // The working register of every parameter takes its stored word; the window and the
  // status words come up as they always do.
  for (const auto& p : table_.parameters) {
    mirror(p.live, parameters_.word(p.linear));
    if (p.highLive && p.highLinear >= 0) mirror(*p.highLive, parameters_.word(p.highLinear));
  }
}

void DriveEngine::mirror(RegisterRef live, std::uint16_t value) {
  // On the M7 family the catalogue places Pn357-Pn361 at the window's own registers; the
  // window keeps them, and their values stay reachable through it by linear number. The
  // tuning firmware's control registers (B55 and B58 are tn01's and tn04's) come up idle,
  // whatever is stored at their linear numbers.
  if (!window_->claims(live) && !firmware_->claims(live)) memory_.poke(live, value);
}

TraceSignals::Terminals DriveEngine::terminals() {
  // The terminal assignment words, inputs first (Hn5nn on the older families, Hn6nn on the
  // M7 family), as the drive runs with them now.
  const int type = table_.driveType;
  const int inputs = trace::digitalInputsOf(type);
  const int outputs = trace::digitalOutputsOf(type);
  TraceSignals::Terminals t;
  for (int k = 1; k <= inputs + outputs; ++k) {
    char code[16];
    std::snprintf(code, sizeof code, "Hn%d%02d", type < protocol::kFirstM7DriveType ? 5 : 6, k);
    const StoredParameter* p = table_.find(code);
    const auto word = p ? memory_.read(p->live) : std::nullopt;
    (k <= inputs ? t.inputs : t.outputs).push_back(word ? *word : 0);
  }
  return t;
}

long DriveEngine::traceOverruns() const {
  std::lock_guard lk(m_);
  return trace_->overruns();
}

void DriveEngine::setTracePortRefused(bool refused) {
  std::lock_guard lk(m_);
  trace_->setPortRefused(refused);
}

void DriveEngine::spoilTraceBlocks(int n) {
  std::lock_guard lk(m_);
  trace_->spoilBlocks(n);
}

AlarmHistory::Codes DriveEngine::alarms() const {
  std::lock_guard lk(m_);
  return alarms_->codes();
}

void DriveEngine::setAlarms(const AlarmHistory::Codes& codes) {
  std::lock_guard lk(m_);
  alarms_->setCodes(codes);
}

DriveState DriveEngine::state() const {
  std::lock_guard lk(m_);
  return DriveState{table_.driveType, alarms_->codes(), parameters_.words()};
}

std::uint64_t DriveEngine::stateRevision() const {
  std::lock_guard lk(m_);
  return parameters_.revision() + alarms_->revision();
}

bool DriveEngine::restore(const DriveState& state, std::string* error) {
  std::lock_guard lk(m_);
  if (state.driveType != table_.driveType) {
    if (error) *error = "the state is of drive type " + std::to_string(state.driveType);
    return false;
  }
  for (const auto& [linear, value] : state.words) parameters_.store(linear, value);
  alarms_->setCodes(state.alarms);
  powerCycleLocked();
  return true;
}

}  // namespace zavo::sim
