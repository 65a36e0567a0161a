#include "params/listing/ParameterListPrint.h"

#include <array>

#include "params/catalogue/Catalogue.h"
#include "params/document/ZavoServoDoc.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo {
namespace {

struct PrintedGroup {
  unsigned titleId;
  std::array<ParamGroup, 3> members;
  int memberCount;
};

// The printed groups in order, with the document groups each one gathers. The M7 family's
// second position table (Pn4) and its cam group have no title of their own and print under
// "Position Parameter".
constexpr std::array<PrintedGroup, 6> kPrintedGroups{{
    {ids::kGroupControl, {ParamGroup::Cn}, 1},
    {ids::kGroupTorque, {ParamGroup::Tn}, 1},
    {ids::kGroupSpeed, {ParamGroup::Sn}, 1},
    {ids::kGroupPosition, {ParamGroup::Pn3, ParamGroup::Pn4, ParamGroup::ECA}, 3},
    {ids::kGroupQuick, {ParamGroup::qn}, 1},
    {ids::kGroupContact, {ParamGroup::Hn}, 1},
}};

PrintRow rowOf(const catalogue::Entry& e, const CZavoServoDoc& doc) {
  const GroupImage& image = doc.images[e.group];
  const auto slot = static_cast<std::size_t>(e.slot);
  PrintRow r;
  r.code = e.code;
  r.title = catalogue::titleOf(e.code);
  r.value = catalogue::valueText(e.code, image.value[slot]);
  r.unit = catalogue::unitOf(e.code);
  r.range = catalogue::rangeText(e.code, image.min[slot], image.max[slot]);
  r.def = catalogue::valueText(e.code, image.def[slot]);
  return r;
}

}  // namespace

std::string printModelName(int driveType) {
  switch (driveType) {
    case 0: return text(ids::kModelPdxr);
    case 2:
    case 4: return text(ids::kModelM7);
    case 3: return text(ids::kModelPdxa) + "P";
    default: return text(ids::kModelPdxa);
  }
}

PrintContent parameterListContent(const CZavoServoDoc& doc, int driveType) {
  PrintContent content;
  content.header = text(ids::kZavoServo) + " -- " + printModelName(driveType) + " " + text(ids::kParameterList);
  const auto& entries = catalogue::parameters(driveType);
  for (const PrintedGroup& pg : kPrintedGroups) {
    PrintGroup group;
    group.title = text(pg.titleId);
    for (int m = 0; m < pg.memberCount; ++m)
      for (const catalogue::Entry& e : entries)
        if (e.group == pg.members[static_cast<std::size_t>(m)] && doc.images[e.group].has(e.slot))
          group.rows.push_back(rowOf(e, doc));
    if (!group.rows.empty()) content.groups.push_back(std::move(group));
  }
  return content;
}

}  // namespace zavo
