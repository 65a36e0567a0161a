#include "cli/ParameterArgs.h"

#include "params/catalogue/Catalogue.h"
#include "params/document/ParameterImages.h"

namespace zavo::cli {

bool knownParameter(const std::string& code) {
  return catalogue::exists(code) && catalogue::addressCode(code) != 0;
}

bool parameterLimits(const std::string& code, std::int32_t& min, std::int32_t& max) {
  ParamGroup group;
  int slot = 0;
  if (!catalogue::slotOf(code, group, slot)) return false;
  ParameterImages limits;
  catalogue::fillLimits(limits);
  min = limits[group].min[static_cast<std::size_t>(slot)];
  max = limits[group].max[static_cast<std::size_t>(slot)];
  return true;
}

}  // namespace zavo::cli
