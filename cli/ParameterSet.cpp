#include "cli/ParameterSet.h"

namespace zavo::cli {
namespace {

bool storedInFile(ParamGroup g) {
  switch (g) {
    case ParamGroup::Cn:
    case ParamGroup::Tn:
    case ParamGroup::Sn:
    case ParamGroup::Pn3:
    case ParamGroup::Pn4:
    case ParamGroup::qn:
    case ParamGroup::Hn:
    case ParamGroup::ECA: return true;
    default: return false;
  }
}

}  // namespace

std::vector<catalogue::Entry> backupParameters(int driveType) {
  std::vector<catalogue::Entry> out;
  for (const auto& e : catalogue::parameters(driveType))
    if (storedInFile(e.group) && catalogue::wordAddress(e.code) >= 0) out.push_back(e);
  return out;
}

bool skippedByRestore(const std::string& code, int driveType) {
  return code == "Cn030" || code == "Cn029" || code == "En15" || (code == "Tn110" && driveType >= 2);
}

}  // namespace zavo::cli
