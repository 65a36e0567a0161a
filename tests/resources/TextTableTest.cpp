// The text tables and the loader that makes one of them active.

#include <string>

#include <gtest/gtest.h>

#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo::test {
namespace {

class TextTableTest : public ::testing::Test {
 protected:
  void TearDown() override { TextTable::active().useBuiltin(); }
};

TEST_F(TextTableTest, BuiltinTableCarriesTheProgramsOwnTitles) {
  TextTable& t = TextTable::active();
  t.useBuiltin();
  EXPECT_FALSE(t.fromLibrary());
  EXPECT_EQ(t.text(ids::kTitleType0), "ZavoServo(PDXR) V1.03");
  EXPECT_EQ(t.text(ids::kTitleType1), "ZavoServo(PDXA) V1.03");
  EXPECT_EQ(t.text(ids::kTitleType2), "ZavoServo(M7) V0.072");
  EXPECT_EQ(t.text(ids::kTitleOther), "ZavoServo(M7-R) V0.072");
  EXPECT_EQ(t.text(ids::kHelpType2), "servo");
  EXPECT_EQ(t.text(ids::kCommunicationMessage), "");
  EXPECT_FALSE(t.has(ids::kCommunicationMessage));
}

TEST_F(TextTableTest, LanguageLibraryHoldsTheQuotedTextsExactly) {
  TextTable& t = TextTable::active();
  ASSERT_TRUE(t.loadLibrary(TOLKAR_PATH));
  EXPECT_TRUE(t.fromLibrary());
  const struct {
    unsigned id;
    const char* text;
  } cases[] = {
      {ids::kTitleType0, "ZavoServo(M7Q) V1.218"},
      {ids::kTitleType1, "ZavoServo(M7Q-R) V1.218"},
      {ids::kTitleType2, "ZavoServo(M7-R) V1.218"},
      {ids::kTitleOther, "ZavoServo(N5) V1.218"},
      {ids::kHelpType0, "SERVO"},
      {ids::kAlarm9, "Emergency  Stop"},
      {ids::kAlarm13, "ncorrect parameter setting"},
      {ids::kOnlineEditFailed, "Online parameter eidt failed!!"},
      {ids::kOverRange, "Over Range!!\n\n"},
      {ids::kRestartServo, "Restart servo!!\n(Power off, then power on.)"},
      {ids::kServoOnRunRefused, "Servo ON!\n Servo Off and Run\u00a1I"},
      {ids::kDiConflict, "[Note: Pin function can be same, but active level must be same?]"},
      {ids::kDiDescriptionFirst, "01: SON - Servo On\n"},
      {ids::kDiDescriptionLast, "1F: POS6 - Internal Position  select 6"},
      {ids::kDoDescriptionFirst, "01: RDY - Servo Ready\n"},
      {ids::kEncoderPulsePerRotation, "Encoder pulse per rotation"},
      {ids::kTecFileFilter, "Zavo Servo Files (*.tec)|*.tec||"},
      {ids::kOnpOpenFilter, "online parameter files (*.onp)|*.onp|all files(*.*)|*.*||"},
      {ids::kPointPulseFormat, "Internal Position Command %d-Pulse Number"},
      {ids::kGroupContact, "Multi-function contact set parameter"},
      {ids::kModeToolTurret, "Tool Turret mode(Pt)"},
      {61599, "09: P1 - Position Display 1 for Tool Turret mode"},
  };
  for (const auto& c : cases) EXPECT_EQ(t.text(c.id), c.text) << c.id;
}

TEST_F(TextTableTest, EveryNamedIdHasAnEnglishText) {
  TextTable& t = TextTable::active();
  ASSERT_TRUE(t.loadLibrary(TOLKAR_PATH));
  const unsigned named[] = {ids::kNoteHeader,         ids::kWordToolTurret,    ids::kAlarm16,     ids::kAlarm24,
                            ids::kAlarm32,            ids::kInvalidFile,       ids::kReadOnlyNotice, ids::kCamSlaveRotary,
                            ids::kCamDiOn,            ids::kAutoOffsetQuestion, ids::kDiLevelLow, ids::kReservedTitle};
  for (unsigned id : named) EXPECT_FALSE(t.text(id).empty()) << id;
  // The read-only notice and the contact question are formats with exactly their arguments.
  EXPECT_NE(std::string(t.text(ids::kReadOnlyNotice)).find("%s"), std::string::npos);
  const std::string question(t.text(ids::kAutoOffsetQuestion));
  const auto first = question.find("%s");
  ASSERT_NE(first, std::string::npos);
  const auto second = question.find("%s", first + 2);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(question.find('%', second + 2), std::string::npos);
  // Entries come out sorted and unique.
  unsigned last = 0;
  for (const auto& e : t.entries()) {
    EXPECT_GT(e.id, last);
    last = e.id;
  }
}

TEST_F(TextTableTest, AFailedLoadKeepsTheActiveTable) {
  TextTable& t = TextTable::active();
  ASSERT_TRUE(t.loadLibrary(TOLKAR_PATH));
  EXPECT_FALSE(t.loadLibrary("/nonexistent/libTolkar.so"));
  EXPECT_FALSE(t.loadLibrary("libc.so.6"));  // loads, but carries no table
  EXPECT_TRUE(t.fromLibrary());
  EXPECT_EQ(t.text(ids::kCommunicationMessage), "Communication Message");
  t.useBuiltin();
  EXPECT_EQ(t.text(ids::kCommunicationMessage), "");
  EXPECT_EQ(text(ids::kTitleType0), "ZavoServo(PDXR) V1.03");
}

}  // namespace
}  // namespace zavo::test
