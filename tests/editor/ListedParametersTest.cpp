// Which rows the editor lists in each display mode, and the line that describes the selection.

#include <gtest/gtest.h>

#include <set>

#include "params/listing/DisplayDescription.h"
#include "params/listing/ListedParameters.h"
#include "tests/editor/EditorFixture.h"

namespace zavo::test {
namespace {

using DG = DisplayGroup;
using CM = DisplayControlMode;

class ListedParametersTest : public EditorTest {};

// The groups' rows appear in catalogue order, and only the chosen groups'.
TEST_F(ListedParametersTest, GroupModeListsTheChosenGroupsInCatalogueOrder) {
  struct Case {
    int type;
    DisplaySelection selection;
    std::set<ParamGroup> groups;
  } cases[] = {
      {2, groupSelection({DG::Cn}), {ParamGroup::Cn}},
      {2, groupSelection({DG::Pn}), {ParamGroup::Pn3, ParamGroup::Pn4}},
      {0, groupSelection({DG::Pn}), {ParamGroup::Pn3}},  // the old families keep their table in Pn3
      {2, groupSelection({DG::Sn, DG::qn, DG::ECA}), {ParamGroup::Sn, ParamGroup::qn, ParamGroup::ECA}},
      {4, groupSelection({DG::Cia402}),
       {ParamGroup::OnT, ParamGroup::OnS, ParamGroup::Ond, ParamGroup::OnC, ParamGroup::OnA}},
      {2, groupSelection({DG::tn}), {ParamGroup::tn}},
      // "All Parameters" stands for the seven boxes, not for tn and ECA.
      {2, groupSelection({DG::All}),
       {ParamGroup::Cn, ParamGroup::Tn, ParamGroup::Sn, ParamGroup::Pn3, ParamGroup::Pn4, ParamGroup::qn, ParamGroup::Hn}},
      // Nothing chosen (a damaged settings file) lists as All.
      {2, groupSelection({}),
       {ParamGroup::Cn, ParamGroup::Tn, ParamGroup::Sn, ParamGroup::Pn3, ParamGroup::Pn4, ParamGroup::qn, ParamGroup::Hn}},
  };
  for (const auto& c : cases) {
    useType(c.type);
    std::vector<std::string> expected;
    for (const auto& e : catalogue::parameters(c.type))
      if (c.groups.count(e.group)) expected.push_back(e.code);
    ASSERT_FALSE(expected.empty()) << "type " << c.type;
    EXPECT_EQ(codesOf(listedParameters(c.selection, c.type)), expected) << "type " << c.type;
  }
}

TEST_F(ListedParametersTest, EveryModeLeavesOutWhatTheDriveTypeLacks) {
  useType(3);
  ASSERT_FALSE(catalogue::exists("Cn094", 3));
  for (const DisplaySelection& s :
       {groupSelection({DG::All, DG::tn, DG::ECA}), modeSelection({CM::Torque, CM::Speed, CM::PositionInternal,
                                                                    CM::PositionExternal, CM::Pt}),
        customSelection({"Cn093", "Cn094", "Cn001"})}) {
    const auto codes = codesOf(listedParameters(s, 3));
    EXPECT_FALSE(contains(codes, "Cn094")) << static_cast<int>(s.mode);
    EXPECT_TRUE(contains(codes, "Cn001")) << static_cast<int>(s.mode);
  }
  useType(2);
  EXPECT_TRUE(contains(codesOf(listedParameters(groupSelection({DG::Cn}), 2)), "Cn094"));
}

TEST_F(ListedParametersTest, TorqueModeListsTheTorqueParametersAndThoseOfEveryMode) {
  const auto codes = codesOf(listedParameters(modeSelection({CM::Torque}), 2));
  std::set<std::string> expected;
  for (const auto& e : catalogue::parameters(2)) {
    if (e.group == ParamGroup::Tn || e.group == ParamGroup::Hn) expected.insert(e.code);
    if (e.group == ParamGroup::Cn && (catalogue::controlModeMask(e.code, 2) & catalogue::kModeTorque)) expected.insert(e.code);
  }
  // The two speed settings that every control mode uses on the M7 family.
  expected.insert({"Sn204", "Sn215"});
  EXPECT_EQ(std::set<std::string>(codes.begin(), codes.end()), expected);
  for (const char* code : {"Tn101", "Tn108", "Tn112", "Hn601", "Cn004", "Cn007", "Cn001"})
    EXPECT_TRUE(contains(codes, code)) << code;
  for (const char* code : {"Cn013", "Cn042", "Sn201", "Pn301", "qn501", "ECA01"}) EXPECT_FALSE(contains(codes, code)) << code;
}

TEST_F(ListedParametersTest, ControlModesListWhatTheirMasksShare) {
  struct Case {
    DisplaySelection selection;
    std::vector<const char*> in, out;
  } cases[] = {
      {modeSelection({CM::PositionExternal}), {"Pn313", "Pn301", "Cn013", "qn505"}, {"Pn316", "Pn322", "Pn401", "ECA01"}},
      {modeSelection({CM::PositionInternal}), {"Pn322", "Pn401", "ECA01", "qn501"}, {"Pn313", "Pn316", "Tn101"}},
      {modeSelection({CM::Pt}), {"Pn316", "Pn331", "Tn108"}, {"Pn313", "qn501", "Sn201"}},
      {modeSelection({CM::Speed}), {"Sn201", "qn504", "Cn004"}, {"qn505", "Pn310", "Tn101"}},
      // No mode chosen lists as every mode.
      {modeSelection({}), {"Pn313", "Pn322", "Pn316", "Sn201", "Tn101"}, {"Cn042"}},
  };
  for (const auto& c : cases) {
    const auto codes = codesOf(listedParameters(c.selection, 2));
    for (const char* code : c.in) EXPECT_TRUE(contains(codes, code)) << code;
    for (const char* code : c.out) EXPECT_FALSE(contains(codes, code)) << code;
  }
}

TEST_F(ListedParametersTest, CustomListKeepsItsOrderAndSpellsQuickCodesForTheType) {
  const DisplaySelection s = customSelection({"Pn310", "Cn001", "qn501", "ECA05", "Hn601", "Pn401"});
  EXPECT_EQ(codesOf(listedParameters(s, 2)),
            (std::vector<std::string>{"Pn310", "Cn001", "qn501", "ECA05", "Hn601", "Pn401"}));
  useType(0);
  // The old family names the same entries qn4nn and Hn5nn, and has no Pn4 table or cam.
  EXPECT_EQ(codesOf(listedParameters(s, 0)), (std::vector<std::string>{"Pn310", "Cn001", "qn401", "Hn501"}));
}

TEST_F(ListedParametersTest, TheModelListsARepeatedCustomEntryOnce) {
  model->fill(customSelection({"Cn003", "Sn211", "Cn003"}));
  EXPECT_EQ(listedCodes(), (std::vector<std::string>{"Cn003", "Sn211"}));
  EXPECT_EQ(model->rowOf("Sn211"), 1);
  EXPECT_EQ(model->rowOf("Cn001"), -1);
}

TEST_F(ListedParametersTest, DescriptionNamesTheChosenItems) {
  DisplaySelection all = groupSelection({DG::All, DG::Cn, DG::Tn, DG::qn, DG::Sn, DG::Pn, DG::Hn, DG::Cia402});
  struct Case {
    DisplaySelection selection;
    const char* text;
  } cases[] = {
      {all, "All Parameter"},
      {groupSelection({}), "All Parameter"},
      {groupSelection({DG::All, DG::Cn, DG::ECA}), "All Parameter+ECAM Parameter"},
      {groupSelection({DG::Cn, DG::Sn}), "System Parameter+Speed Parameter"},
      {groupSelection({DG::Hn, DG::tn, DG::ECA}), "DI/DO Planning Parameter+Tuning Parameter+ECAM Parameter"},
      {modeSelection({CM::Torque, CM::Pt}), "Torque Control Mode+Tool Turret Mode"},
      {modeSelection({CM::PositionInternal, CM::PositionExternal}),
       "Position Control Mode(Internal Position Command)+Position Control Mode(External Pulse Command)"},
      {customSelection({"Cn001"}), "Defined Parameter"},
  };
  for (const auto& c : cases) EXPECT_EQ(displayDescription(c.selection), c.text);
}

}  // namespace
}  // namespace zavo::test
