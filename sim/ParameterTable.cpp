#include "sim/ParameterTable.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ParameterImages.h"
#include "params/catalogue/ValueConversion.h"

namespace zavo::sim {
namespace {

// The monitor groups' item ranges.
constexpr int kDisplayItems = 89;
constexpr int kDiagnosticItems = 12;
// Probe values for reading a conversion's factor off the catalogue: large enough that the
// rounding to whole display units costs nothing, small enough to stay inside a 16-bit word.
constexpr std::int32_t kProbe16 = 16384;
constexpr std::int32_t kProbe32 = 1 << 28;
// The linear-motor items (OnE05-OnE16): the drive keeps them, though no parameter list shows
// them. Their words share linear numbers with the tuning parameters' page ('D' 0x58 and 'B'
// 0x58 are both 0x258): one stored word serves both.
constexpr int kLastLinearMotorItem = 16;
constexpr int kFirstTuningItem = 8, kLastTuningItem = 21;

// The drive context of a freshly powered drive of one type, for as long as it lives.
class PowerOnContext {
 public:
  explicit PowerOnContext(int driveType) : saved_(driveContext()) {
    driveContext().reset(driveType);
    // A current drive: not of the legacy series, with the extended monitor.
    driveContext().legacySeries = false;
    driveContext().extendedMonitor = true;
  }
  ~PowerOnContext() { driveContext() = saved_; }
  PowerOnContext(const PowerOnContext&) = delete;
  PowerOnContext& operator=(const PowerOnContext&) = delete;

 private:
  DriveContext saved_;
};

std::optional<RegisterRef> registerOfCode(std::uint16_t code) {
  if (code == 0) return std::nullopt;
  return registerAt(code >> 8, code & 0xFF);
}

std::string itemCode(const char* prefix, int item) {
  char code[8];
  std::snprintf(code, sizeof code, "%s%02d", prefix, item);
  return code;
}

}  // namespace

int linearNumberOf(RegisterRef r) {
  return catalogue::linearNumber(static_cast<std::uint16_t>((r.page << 8) | r.address));
}

const ParameterTable& ParameterTable::of(int driveType) {
  static std::mutex m;
  static std::array<std::unique_ptr<const ParameterTable>, catalogue::kDriveTypeCount> tables;
  if (driveType < 0 || driveType >= catalogue::kDriveTypeCount)
    throw std::invalid_argument("no drive type " + std::to_string(driveType));
  std::lock_guard lk(m);
  auto& t = tables[static_cast<std::size_t>(driveType)];
  if (!t) t = std::make_unique<const ParameterTable>(build(driveType));
  return *t;
}

ParameterTable ParameterTable::build(int driveType) {
  PowerOnContext context(driveType);
  ParameterTable t;
  t.driveType = driveType;
  t.ratedSpeed = driveContext().ratedSpeed;
  t.modelCode = driveContext().modelCode;

  ParameterImages images;
  catalogue::fillDefaults(images);
  const auto add = [&t, driveType](const std::string& code, std::int32_t display) {
    const auto live = registerOfCode(catalogue::addressCode(code));
    if (!live) return;  // not transferred: the drive has no word for it
    StoredParameter p;
    p.code = code;
    p.live = *live;
    p.linear = linearNumberOf(*live);
    if (catalogue::is32Bit(code)) {
      p.highLive = registerOfCode(catalogue::highWordCode(code));
      if (p.highLive) p.highLinear = linearNumberOf(*p.highLive);
    }
    p.powerOn = conversion::toRaw(code, display);
    const int modbusRegister = catalogue::modbusRegister(code);
    if (modbusRegister >= 0)
      t.modbus.add(modbusRegister, ModbusTarget{p.live, p.linear, catalogue::storeOnly(code, driveType)});
    t.parameters.push_back(std::move(p));
  };
  for (const catalogue::Entry& e : catalogue::parameters(driveType)) {
    const auto& group = images[e.group];
    add(e.code, group.has(e.slot) ? group.def[static_cast<std::size_t>(e.slot)] : 0);
  }
  for (int item = 1; item <= kLastLinearMotorItem; ++item) {
    const std::string code = itemCode("OnE", item);
    catalogue::Limits l;
    if (catalogue::exists(code, driveType) && catalogue::limitsOf(code, l)) add(code, l.def);
  }
  for (int item = kFirstTuningItem; item <= kLastTuningItem; ++item) {
    const std::string code = itemCode("tn", item);
    catalogue::Limits l;
    const auto r = registerOfCode(catalogue::addressCode(code));
    if (r && !t.find(code) && catalogue::limitsOf(code, l)) t.tuningDefaults.emplace_back(*r, static_cast<std::uint16_t>(l.def));
  }

  for (int item = 1; item <= kDisplayItems; ++item) {
    const std::string code = itemCode("Un", item);
    const auto low = registerOfCode(catalogue::addressCode(code));
    if (!low) continue;
    DisplayItem d;
    d.item = item;
    d.low = *low;
    if (catalogue::is32Bit(code)) d.high = registerOfCode(catalogue::highWordCode(code));
    const std::int32_t probe = d.high ? kProbe32 : kProbe16;
    d.displayPerRaw = static_cast<double>(conversion::toDisplay(conversion::kMonitorLetter, item, probe)) / probe;
    t.display.push_back(d);
    const int modbusRegister = catalogue::modbusRegister(code);
    if (modbusRegister >= 0) t.modbus.add(modbusRegister, ModbusTarget{d.low, -1});
  }
  for (int item = 1; item <= kDiagnosticItems; ++item)
    if (const auto r = registerOfCode(catalogue::addressCode(itemCode("dn", item))))
      t.diagnostics.emplace_back(item, *r);
  for (int n = 1; n <= AlarmHistory::kEntries; ++n)
    if (const auto r = registerOfCode(catalogue::addressCode(itemCode("AL", n))))
      t.alarms[static_cast<std::size_t>(n - 1)] = *r;
  return t;
}

const StoredParameter* ParameterTable::find(const std::string& code) const {
  for (const auto& p : parameters)
    if (p.code == code) return &p;
  return nullptr;
}

const DisplayItem* ParameterTable::displayItem(int item) const {
  for (const auto& d : display)
    if (d.item == item) return &d;
  return nullptr;
}

std::optional<RegisterRef> ParameterTable::diagnostic(int item) const {
  for (const auto& [n, r] : diagnostics)
    if (n == item) return r;
  return std::nullopt;
}

}  // namespace zavo::sim
