// Write, Read, Default and Compare of the editor against the virtual drive over a pty.

#include <gtest/gtest.h>

#include <optional>

#include "editors/ParameterSetCommands.h"
#include "params/catalogue/ValueConversion.h"
#include "platform/Progress.h"
#include "tests/editor/EditorFixture.h"
#include "tests/link/DriveFixture.h"

namespace zavo::test {
namespace {

using Outcome = ParameterSetCommands::Outcome;

// The person at the progress window: presses Cancel before step `at` (counting from 0).
class CancellingProgress final : public Progress {
 public:
  explicit CancellingProgress(int at) : at_(at) {}
  void open(const std::string&, int, int) override {}
  void setText(const std::string&) override {}
  void step() override {}
  bool pump() override { return pumps_++ >= at_; }
  void close() override {}

 private:
  int at_;
  int pumps_ = 0;
};

class ParameterSetCommandsTest : public EditorTest {
 protected:
  void link(sim::SimOptions o = {}) {
    drive.emplace(o);
    useType(o.driveType);
    drive->link();
    drive->ops.setPauseMs(0);
  }
  ParameterSetCommands commands(Progress& p) { return ParameterSetCommands(*model, drive->ops, p); }
  ParameterSetCommands commands() { return commands(progress); }
  std::int32_t driveValue(const char* code) {
    EXPECT_EQ(drive->ops.readParameter(code), 1) << code;
    return drive->ops.lastValue();
  }
  void checkOnly(std::initializer_list<const char*> codes) {
    model->setAllChecked(false);
    for (const char* code : codes) model->setChecked(rowOf(code), true);
  }
  std::vector<PromptRequest> shown() const { return drive->prompt.shown(); }

  std::optional<DriveFixture> drive;
  NullProgress progress;
};

TEST_F(ParameterSetCommandsTest, WriteThenReadRoundTrip) {
  link();
  model->fill(customSelection({"Cn003", "Sn211", "qn501", "Pn302", "Cn010", "Tn110"}));
  const struct {
    const char* code;
    std::int32_t value;
  } edits[] = {{"Cn003", -150}, {"Sn211", 123}, {"Pn302", 100000}, {"Cn010", 250}, {"Tn110", 50}};
  for (const auto& e : edits) model->store(rowOf(e.code), e.value);
  std::vector<int> changed;
  // Tn110 lives elsewhere on the M7: it is passed over, not failed.
  ASSERT_EQ(commands().write(changed), Outcome::Done) << (shown().empty() ? "" : shown().back().text);
  EXPECT_TRUE(shown().empty());
  for (const char* code : {"Cn003", "Sn211", "Pn302", "Cn010"}) EXPECT_FALSE(model->row(rowOf(code)).modified) << code;
  EXPECT_EQ(driveValue("Cn003"), -150);
  EXPECT_EQ(driveValue("Sn211"), 123);
  EXPECT_EQ(driveValue("qn501"), 123) << "the quick name reads the same word";
  EXPECT_EQ(driveValue("Pn302"), 100000);
  EXPECT_EQ(driveValue("Cn010"), 250);
  EXPECT_EQ(driveValue("Tn110"), 100) << "not written";

  // Edited again here; Read brings back what the drive holds.
  for (const auto& e : edits) model->store(rowOf(e.code), e.value + 1);
  changed.clear();
  ASSERT_EQ(commands().readChecked(changed), Outcome::Done);
  EXPECT_EQ(valueOf("Cn003"), -150);
  EXPECT_EQ(valueOf("Sn211"), 123);
  EXPECT_EQ(valueOf("qn501"), 123);
  EXPECT_EQ(valueOf("Pn302"), 100000);
  EXPECT_EQ(valueOf("Cn010"), 250);
  EXPECT_FALSE(model->row(rowOf("Cn003")).modified);
  EXPECT_EQ(changed.size(), 6u) << "the six read rows";
  EXPECT_TRUE(shown().empty());
}

TEST_F(ParameterSetCommandsTest, CompareShowsExactlyWhatChangedBehindTheProgramsBack) {
  link();
  model->fill(customSelection({"Cn003", "Sn212", "Pn310", "qn502", "Cn001", "ECA05"}));
  std::vector<int> changed;
  ASSERT_EQ(commands().readListed(changed), Outcome::Done);
  ASSERT_TRUE(drive->drive.setParameter("Sn212", conversion::toRaw("Sn212", 77)));
  ASSERT_TRUE(drive->drive.setParameter("Pn310", conversion::toRaw("Pn310", 99)));
  const std::int32_t before212 = valueOf("Sn212"), before310 = valueOf("Pn310");
  std::vector<ValueDifference> differences;
  ASSERT_EQ(commands().compare(differences), Outcome::Done);
  ASSERT_EQ(differences.size(), 3u);
  EXPECT_EQ(differences[0].row, rowOf("Sn212"));
  EXPECT_EQ(differences[0].edited, before212);
  EXPECT_EQ(differences[0].read, 77);
  EXPECT_EQ(differences[1].row, rowOf("Pn310"));
  EXPECT_EQ(differences[1].edited, before310);
  EXPECT_EQ(differences[1].read, 99);
  EXPECT_EQ(differences[2].row, rowOf("qn502")) << "the quick name of the same word differs too";
  EXPECT_EQ(valueOf("Sn212"), before212) << "comparing changes nothing";
  EXPECT_TRUE(shown().empty());

  ASSERT_EQ(commands().readListed(changed), Outcome::Done);
  ASSERT_EQ(commands().compare(differences), Outcome::Done);
  EXPECT_TRUE(differences.empty());
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "Parameter compare finished!");
  EXPECT_EQ(shown()[0].title, "Compare");
  EXPECT_EQ(shown()[0].icon, PromptIcon::Information);
  EXPECT_TRUE(shown()[0].topmost);
}

TEST_F(ParameterSetCommandsTest, RefusalsSendNothing) {
  link();
  model->fill(customSelection({"Cn001", "Cn003", "Cn029", "Cn030", "ECA05"}));
  using Run = Outcome (*)(ParameterSetCommands&);
  const Run write = [](ParameterSetCommands& c) { std::vector<int> ch; return c.write(ch); };
  const Run read = [](ParameterSetCommands& c) { std::vector<int> ch; return c.readChecked(ch); };
  const Run defaults = [](ParameterSetCommands& c) { std::vector<int> ch; return c.restoreDefaults(ch); };
  const struct {
    Run run;
    std::vector<const char*> checked;
    std::int32_t reset;
    const char* text;
    const char* title;
  } cases[] = {
      {write, {}, 0, "No parameter is selected!", "Parameter Set"},
      {read, {}, 0, "No parameter is selected!", "Parameter Set"},
      {defaults, {}, 0, "No parameter is selected!", "Parameter Set"},
      {write, {"Cn003", "Cn030"}, 0, "Cn030 Serial Type set, only read available!", "Error Message"},
      {write, {"Cn029", "Cn003"}, 1, "Cn029 parameter reset, can't be set with other parameters!", "Error Message"},
      {write, {"Cn003", "Cn001"}, 0, "Cn001 over range!", "Error Message"},
  };
  // As a file edited by hand brings it: a value the drive would take as another one.
  doc->setValue(ParamGroup::Cn, 1, 70000);
  for (const auto& c : cases) {
    drive->prompt.clear();
    drive->drive.clearLog();
    doc->setValue(ParamGroup::Cn, 29, c.reset);
    model->setAllChecked(false);
    for (const char* code : c.checked) model->setChecked(rowOf(code), true);
    auto cmds = commands();
    EXPECT_EQ(c.run(cmds), Outcome::Refused) << c.text;
    ASSERT_EQ(shown().size(), 1u) << c.text << ": one box, no question after it";
    EXPECT_EQ(shown()[0].text, c.text);
    EXPECT_EQ(shown()[0].title, c.title);
    EXPECT_EQ(drive->drive.requestCount(), 0) << c.text;
  }
  // Cn029 alone is written (and resets the drive's parameters).
  drive->prompt.clear();
  checkOnly({"Cn029"});
  std::vector<int> changed;
  EXPECT_EQ(commands().write(changed), Outcome::Done);
  EXPECT_TRUE(shown().empty());
}

TEST_F(ParameterSetCommandsTest, DefaultAsksFirstAndTouchesOnlyTheCheckedRow) {
  link();
  model->fill(customSelection({"ECA04", "ECA05", "ECA06"}));
  for (const char* code : {"ECA04", "ECA05", "ECA06"}) model->store(rowOf(code), 3);
  checkOnly({"ECA05"});
  drive->prompt.script(PromptAnswer::Cancel);
  std::vector<int> changed;
  EXPECT_EQ(commands().restoreDefaults(changed), Outcome::Cancelled);
  EXPECT_EQ(valueOf("ECA05"), 3);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "Do you want to set the parameters to default value?");
  EXPECT_EQ(shown()[0].title, "Set as default");
  EXPECT_EQ(shown()[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(commands().restoreDefaults(changed), Outcome::Done);
  EXPECT_EQ(changed, std::vector<int>{rowOf("ECA05")});
  EXPECT_EQ(valueOf("ECA05"), 30);
  EXPECT_EQ(valueOf("ECA04"), 3);
  EXPECT_EQ(valueOf("ECA06"), 3);
  EXPECT_TRUE(model->row(rowOf("ECA05")).modified);
  EXPECT_EQ(drive->drive.requestCount(), 0) << "the drive is not asked";
}

TEST_F(ParameterSetCommandsTest, LinkFailureStopsWithTheProgressText) {
  link();
  model->fill(customSelection({"Cn003", "Cn010", "Sn201"}));
  model->setAllChecked(true);
  linkState().connected = 0;
  std::vector<int> changed;
  EXPECT_EQ(commands().write(changed), Outcome::Failed);
  EXPECT_EQ(commands().readChecked(changed), Outcome::Failed);
  std::vector<ValueDifference> differences;
  EXPECT_EQ(commands().compare(differences), Outcome::Failed);
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[0].text, "Error:\n\nWriting parameters...");
  EXPECT_EQ(shown()[0].title, "Communication Message");
  EXPECT_EQ(shown()[0].icon, PromptIcon::Stop);
  EXPECT_EQ(shown()[1].text, "Error:\n\nReading parameters...");
  EXPECT_EQ(shown()[2].text, "Error:\n\nReading parameters...");
  EXPECT_EQ(drive->drive.requestCount(), 0);
  EXPECT_FALSE(drive->flags.linkBusy) << "busy only while the loop runs";
}

TEST_F(ParameterSetCommandsTest, ALineLostMidWayKeepsWhatWasWritten) {
  link();
  model->fill(customSelection({"Cn003", "Cn010", "Sn201"}));
  model->store(rowOf("Cn003"), -300);
  model->store(rowOf("Cn010"), 200);
  model->store(rowOf("Sn201"), 100);
  const auto firstWrite = static_cast<int>(drive->drive.requestCount());
  // Cn003 takes four exchanges (three window frames and the direct write); the line goes
  // during Cn010.
  sim::FaultPlan faults;
  faults.unplugAfter = 6;
  drive->drive.setFaults(faults);
  std::vector<int> changed;
  EXPECT_EQ(commands().write(changed), Outcome::Failed);
  EXPECT_EQ(changed, std::vector<int>{rowOf("Cn003")});
  EXPECT_FALSE(model->row(rowOf("Cn003")).modified);
  EXPECT_TRUE(model->row(rowOf("Cn010")).modified);
  ASSERT_EQ(shown().size(), 1u) << "one box: the list's own, not the parameter's as well";
  EXPECT_EQ(shown().back().text, "Error:\n\nWriting parameters...");
  EXPECT_EQ(drive->drive.storedParameter("Cn003").value_or(0) & 0xFFFF,
            conversion::toRaw("Cn003", -300) & 0xFFFF);
  EXPECT_EQ(firstWrite, 0);
}

TEST_F(ParameterSetCommandsTest, CancelStopsBetweenParameters) {
  link();
  model->fill(customSelection({"Cn003", "Cn010"}));
  model->store(rowOf("Cn003"), -300);
  model->store(rowOf("Cn010"), 200);
  CancellingProgress cancelAtSecond(1);
  std::vector<int> changed;
  EXPECT_EQ(commands(cancelAtSecond).write(changed), Outcome::Cancelled);
  EXPECT_TRUE(shown().empty()) << "a cancel says nothing";
  EXPECT_EQ(driveValue("Cn003"), -300);
  EXPECT_EQ(driveValue("Cn010"), 300) << "never written";
  EXPECT_TRUE(model->row(rowOf("Cn010")).modified);
}

}  // namespace
}  // namespace zavo::test
