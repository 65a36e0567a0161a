// The editor's rows and the changes it makes to the document: cells, aliases, rigidity,
// defaults, the limits refresh and the Write refusals.

#include <gtest/gtest.h>

#include "params/catalogue/DriveContext.h"
#include "tests/editor/EditorFixture.h"

namespace zavo::test {
namespace {

class ParameterSetModelTest : public EditorTest {};

TEST_F(ParameterSetModelTest, CellsComeFromTheCatalogueAndTheDocument) {
  model->fill(customSelection({"Cn003", "Cn002", "Cn005"}));
  doc->setValue(ParamGroup::Cn, 3, -150);
  const RowCells brake = model->cells(rowOf("Cn003"));
  EXPECT_EQ(brake.code, "Cn003");
  EXPECT_EQ(brake.title, "Mechanical Brake Signal Output Delay Time");
  EXPECT_EQ(brake.value, "-150");
  EXPECT_EQ(brake.unit, "ms");
  EXPECT_EQ(brake.range, "-2000~2000");
  EXPECT_EQ(brake.def, "0");
  const RowCells contacts = model->cells(rowOf("Cn002"));
  EXPECT_EQ(contacts.range, "0000~1011");
  EXPECT_EQ(contacts.def, "0000");
  // Cn005's value 0 reads as the encoder's own pulses.
  doc->setValue(ParamGroup::Cn, 5, 0);
  EXPECT_EQ(model->cells(rowOf("Cn005")).value, "Encoder pulse per rotation");
}

TEST_F(ParameterSetModelTest, QuickParametersFollowTheParametersTheyName) {
  model->fill(customSelection({"Sn211", "Sn212", "Sn213", "Sn214", "Pn310", "Pn311", "Pn312", "qn501", "qn502", "qn503",
                               "qn504", "qn505", "qn506", "qn507", "Cn003"}));
  const struct {
    const char* stored;
    const char* alias;
  } pairs[] = {{"Sn211", "qn501"}, {"Sn212", "qn502"}, {"Sn213", "qn503"}, {"Sn214", "qn504"},
               {"Pn310", "qn505"}, {"Pn311", "qn506"}, {"Pn312", "qn507"}};
  std::int32_t v = 11;
  for (const auto& p : pairs) {
    for (const auto& [from, to] : {std::pair{p.stored, p.alias}, std::pair{p.alias, p.stored}}) {
      ++v;
      const auto changed = model->store(rowOf(from), v);
      EXPECT_EQ(valueOf(to), v) << from << " -> " << to;
      EXPECT_EQ(changed, (std::vector<int>{std::min(rowOf(from), rowOf(to)), std::max(rowOf(from), rowOf(to))})) << from;
      EXPECT_TRUE(model->row(rowOf(from)).modified);
      EXPECT_TRUE(model->row(rowOf(from)).checked);
    }
    // Both names reach the same drive word.
    EXPECT_EQ(catalogue::addressCode(p.stored), catalogue::addressCode(p.alias)) << p.stored;
  }
  EXPECT_EQ(model->store(rowOf("Cn003"), 5), std::vector<int>{rowOf("Cn003")}) << "no alias";
}

TEST_F(ParameterSetModelTest, RigiditySetsTheThreeGains) {
  model->fill(customSelection({"Cn026", "Pn310", "Sn211", "Sn212", "qn501"}));
  const struct {
    int level;
    int loopGain, integralTime;
  } cases[] = {{1, 15, 300}, {2, 20, 225}, {5, 60, 75}, {9, 200, 25}, {0, 250, 20}, {22, 250, 20}, {10, 250, 20}};
  for (const auto& c : cases) {
    model->setAllChecked(false);
    model->store(rowOf("Cn026"), c.level);
    EXPECT_EQ(valueOf("Pn310"), c.loopGain) << c.level;
    EXPECT_EQ(valueOf("Sn211"), c.loopGain) << c.level;
    EXPECT_EQ(valueOf("qn501"), c.loopGain) << c.level << ": the quick name of Sn211 follows";
    EXPECT_EQ(valueOf("Sn212"), c.integralTime) << c.level;
    for (const char* code : {"Cn026", "Pn310", "Sn211", "Sn212"}) {
      EXPECT_TRUE(model->row(rowOf(code)).checked) << code;
      EXPECT_TRUE(model->row(rowOf(code)).modified) << code;
    }
  }
  // The gains follow also when their rows are not listed.
  model->fill(customSelection({"Cn026"}));
  model->store(0, 3);
  EXPECT_EQ(valueOf("Pn310"), 30);
  EXPECT_EQ(valueOf("Sn212"), 150);
}

TEST_F(ParameterSetModelTest, DefaultTouchesOnlyTheCheckedRows) {
  model->fill(customSelection({"ECA04", "ECA05", "ECA06", "Cn003"}));
  for (const char* code : {"ECA04", "ECA05", "ECA06", "Cn003"}) model->store(rowOf(code), 2);
  model->setAllChecked(false);
  model->setChecked(rowOf("ECA05"), true);
  EXPECT_EQ(model->applyDefaults(), std::vector<int>{rowOf("ECA05")});
  EXPECT_EQ(valueOf("ECA05"), 30);
  for (const char* code : {"ECA04", "ECA06", "Cn003"}) EXPECT_EQ(valueOf(code), 2) << code;
  // Defaults follow the motor data as it now stands.
  driveContext().ratedSpeed = 6000;
  model->fill(customSelection({"Cn007"}));
  model->setAllChecked(true);
  model->applyDefaults();
  EXPECT_EQ(valueOf("Cn007"), (6000 + 2) / 3);
}

TEST_F(ParameterSetModelTest, AValueReadFromTheDriveClearsTheMarkAndAnUnchangedOneKeepsTheDocumentClean) {
  model->fill(customSelection({"Sn211", "qn501"}));
  model->store(0, 55);
  doc->setModifiedFlag(false);
  model->takeDriveValue(0, 55);
  EXPECT_FALSE(doc->isModified()) << "nothing changed";
  EXPECT_FALSE(model->row(0).modified);
  model->takeDriveValue(0, 66);
  EXPECT_TRUE(doc->isModified());
  EXPECT_EQ(valueOf("qn501"), 66);
}

TEST_F(ParameterSetModelTest, LimitsRefreshReportsTheRowsWhoseTextsChanged) {
  model->fill(customSelection({"Cn001", "Cn007", "Cn005", "Sn201"}));
  EXPECT_TRUE(model->refreshLimits().empty()) << "nothing moved";
  driveContext().ratedSpeed = 2000;
  const auto changed = model->refreshLimits();
  EXPECT_TRUE(std::find(changed.begin(), changed.end(), rowOf("Cn007")) != changed.end());
  EXPECT_TRUE(std::find(changed.begin(), changed.end(), rowOf("Cn001")) == changed.end());
  EXPECT_EQ(model->cells(rowOf("Cn007")).range, "0~8000");
  driveContext().encoderPulses = 20000;
  EXPECT_EQ(model->refreshLimits(), std::vector<int>{rowOf("Cn005")}) << "its unit is the encoder's class";
  EXPECT_EQ(model->cells(rowOf("Cn005")).unit, "2");
}

TEST_F(ParameterSetModelTest, WriteRefusals) {
  model->fill(customSelection({"Cn001", "Cn029", "Cn030", "Cn003"}));
  const struct {
    std::vector<const char*> checked;
    std::int32_t reset;
    WriteRefusal refusal;
  } cases[] = {
      {{}, 0, WriteRefusal::NothingChecked},
      {{"Cn029"}, 1, WriteRefusal::None},
      {{"Cn029", "Cn003"}, 1, WriteRefusal::ResetWithOthers},
      {{"Cn003", "Cn029"}, 1, WriteRefusal::ResetWithOthers},
      {{"Cn029", "Cn003"}, 0, WriteRefusal::None},
      {{"Cn030"}, 0, WriteRefusal::ModelCode},
      // The first refusing row in list order decides.
      {{"Cn001", "Cn030", "Cn029"}, 1, WriteRefusal::ResetWithOthers},
      {{"Cn001", "Cn030", "Cn029"}, 0, WriteRefusal::ModelCode},
      {{"Cn001", "Cn003"}, 0, WriteRefusal::None},
  };
  for (const auto& c : cases) {
    model->setAllChecked(false);
    doc->setValue(ParamGroup::Cn, 29, c.reset);
    for (const char* code : c.checked) model->setChecked(rowOf(code), true);
    EXPECT_EQ(model->checkWrite().refusal, c.refusal) << c.checked.size() << " checked, Cn029 " << c.reset;
  }
}

}  // namespace
}  // namespace zavo::test
