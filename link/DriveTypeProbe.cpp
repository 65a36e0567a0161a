#include "link/DriveTypeProbe.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

#include "link/CatalogueTypeScope.h"
#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"

namespace zavo {
namespace {

constexpr int kTypes = catalogue::kDriveTypeCount;

std::set<int> collect(DriveTypeProbe::Registers kind, int driveType) {
  CatalogueTypeScope scope(driveType);
  std::set<int> regs;
  if (kind == DriveTypeProbe::Registers::Words)
    for (int linear = 0; linear < protocol::imageWordsOf(driveType); ++linear) regs.insert(linear);
  for (const auto& e : catalogue::parameters(driveType)) {
    if (kind == DriveTypeProbe::Registers::Modbus) {
      if (const int reg = catalogue::modbusRegister(e.code); reg >= 0) regs.insert(reg);
      continue;
    }
    // Parameters beyond the image have words of their own.
    for (const int linear : {catalogue::wordAddress(e.code), catalogue::highWordAddress(e.code)})
      if (linear >= 0) regs.insert(linear);
  }
  return regs;
}

}  // namespace

const std::set<int>& DriveTypeProbe::registersOf(Registers kind, int driveType) {
  static std::array<std::array<std::set<int>, kTypes>, 2> sets;
  static std::once_flag made;
  std::call_once(made, [] {
    for (int t = 0; t < kTypes; ++t) {
      sets[0][static_cast<std::size_t>(t)] = collect(Registers::Words, t);
      sets[1][static_cast<std::size_t>(t)] = collect(Registers::Modbus, t);
    }
  });
  const auto t = static_cast<std::size_t>(std::clamp(driveType, 0, kTypes - 1));
  return sets[kind == Registers::Modbus ? 1 : 0][t];
}

int DriveTypeProbe::identify(Registers kind, const Reader& read, std::vector<int> candidates, int preferred) {
  while (candidates.size() > 1) {
    // The register whose answer leaves the fewest types in the worse case.
    std::set<int> all;
    for (const int t : candidates) all.insert(registersOf(kind, t).begin(), registersOf(kind, t).end());
    int best = -1;
    std::size_t bestWorst = candidates.size();
    for (const int reg : all) {
      const auto having = static_cast<std::size_t>(std::count_if(
          candidates.begin(), candidates.end(), [&](int t) { return registersOf(kind, t).count(reg) != 0; }));
      const std::size_t worst = std::max(having, candidates.size() - having);
      if (worst < bestWorst) {
        bestWorst = worst;
        best = reg;
      }
    }
    if (best < 0) break;  // the registers cannot tell the rest apart
    const ProbeAnswer answer = read(best);
    if (answer == ProbeAnswer::Failed) return -1;
    const bool has = answer == ProbeAnswer::Has;
    std::erase_if(candidates, [&](int t) { return (registersOf(kind, t).count(best) != 0) != has; });
  }
  if (candidates.empty()) return -1;
  if (std::find(candidates.begin(), candidates.end(), preferred) != candidates.end()) return preferred;
  return candidates.front();
}

}  // namespace zavo
