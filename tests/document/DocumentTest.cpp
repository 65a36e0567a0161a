#include <gtest/gtest.h>

#include "params/catalogue/Catalogue.h"
#include "params/document/DatListing.h"
#include "params/document/DocumentTexts.h"
#include "tests/document/DocumentFixture.h"

namespace zavo {
namespace {

using test::DocumentFixture;
using test::RecordingHost;

class DocumentTest : public DocumentFixture {};

TEST_F(DocumentTest, NewMakesEveryWorkingValueItsDefault) {
  CZavoServoDoc doc;
  for (int type = 0; type <= 4; ++type) {
    SCOPED_TRACE(type);
    driveContext().reset(type);
    doc.monitor[3] = 7;
    doc.alarmHistory[0] = 9;
    doc.statusWord = 5;
    doc.ramImage[100] = 0x55;
    doc.setValue(ParamGroup::Cn, 1, 12345);
    doc.setValue(ParamGroup::OnS, 1, 1);
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.initialised);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.statusWord, 0);
    EXPECT_EQ(doc.monitor[3], 0);
    EXPECT_EQ(doc.alarmHistory[0], 0);
    EXPECT_EQ(doc.ramImage[100], 0);
    for (const auto& g : doc.images.groups) EXPECT_EQ(g.value, g.def);
    for (int n = 1; n <= 20; ++n)
      EXPECT_EQ(doc.contactCopy[static_cast<std::size_t>(n - 1)], doc.images[ParamGroup::Hn].def[static_cast<std::size_t>(n)]);
    EXPECT_EQ(doc.auxiliaryA, doc.auxiliaryDefaultsA);
    EXPECT_EQ(doc.auxiliaryB, doc.auxiliaryDefaultsB);
  }
}

// The document's tables are the catalogue's for the drive type and motor data as they stand
// when New runs, not those the document was built with.
TEST_F(DocumentTest, TablesFollowTheDriveTypeAtNew) {
  CZavoServoDoc doc;
  for (int type : {4, 0, 3}) {
    SCOPED_TRACE(type);
    driveContext().reset(type);
    driveContext().ratedSpeed = 2000 + type;
    doc.OnNewDocument();
    ParameterImages expected;
    catalogue::fillDefaults(expected);
    catalogue::fillLimits(expected);
    for (std::size_t g = 0; g < kParamGroupCount; ++g) {
      EXPECT_EQ(doc.images.groups[g].def, expected.groups[g].def) << g;
      EXPECT_EQ(doc.images.groups[g].min, expected.groups[g].min) << g;
      EXPECT_EQ(doc.images.groups[g].max, expected.groups[g].max) << g;
    }
  }
}

TEST_F(DocumentTest, SetValueMarksModifiedOnlyOnAChange) {
  CZavoServoDoc doc;
  doc.OnNewDocument();
  EXPECT_TRUE(doc.setValue(ParamGroup::Cn, 1, doc.value(ParamGroup::Cn, 1)));
  EXPECT_FALSE(doc.isModified());
  EXPECT_TRUE(doc.setValue(ParamGroup::Cn, 1, 5));
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(doc.value(ParamGroup::Cn, 1), 5);
  EXPECT_FALSE(doc.setValue(ParamGroup::Cn, 99, 1));
  EXPECT_FALSE(doc.setValue(ParamGroup::Cn, 0, 1));
  EXPECT_EQ(doc.value(ParamGroup::Cn, 99), 0);
}

TEST_F(DocumentTest, SaveModifiedFollowsTheAnswer) {
  struct Case {
    const char* what;
    bool modified;
    bool hasPath;
    PromptAnswer answer;
    std::optional<std::string> dialogPath;
    bool goOn;
    bool saved;
  };
  const Case cases[] = {
      {"unmodified asks nothing", false, true, PromptAnswer::Yes, {}, true, false},
      {"No goes on unsaved", true, true, PromptAnswer::No, {}, true, false},
      {"Cancel abandons", true, true, PromptAnswer::Cancel, {}, false, false},
      {"Yes saves to the path", true, true, PromptAnswer::Yes, {}, true, true},
      {"Yes without a path asks for one", true, false, PromptAnswer::Yes, std::string("chosen.tec"), true, true},
      {"cancelled path dialog abandons", true, false, PromptAnswer::Yes, std::nullopt, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    prompt_.clear();
    RecordingHost host;
    host.savePath = c.dialogPath ? std::optional(path(*c.dialogPath)) : std::nullopt;
    CZavoServoDoc doc(&host);
    doc.OnNewDocument();
    const std::string target = c.hasPath ? path("current.tec") : path("chosen.tec");
    std::filesystem::remove(target);
    if (c.hasPath) {
      ASSERT_TRUE(doc.OnSaveDocument(target).ok);
      std::filesystem::remove(target);  // so that only the save under test can bring it back
    }
    doc.setModifiedFlag(c.modified);
    prompt_.script(c.answer);
    EXPECT_EQ(doc.SaveModified(), c.goOn);
    EXPECT_EQ(prompt_.texts().size(), c.modified ? 1u : 0u);
    if (c.modified) {
      EXPECT_EQ(prompt_.shown()[0].buttons, PromptButtons::YesNoCancel);
    }
    EXPECT_EQ(doc.isModified(), c.modified && !c.saved);
    EXPECT_EQ(host.pathQuestions, !c.hasPath && c.modified && c.answer == PromptAnswer::Yes ? 1 : 0);
    EXPECT_EQ(std::filesystem::exists(target), c.saved);
  }
}

TEST_F(DocumentTest, SaveModifiedReportsAFailedSaveAndAbandons) {
  RecordingHost host;
  host.savePath = path("no-such-folder/x.tec");
  CZavoServoDoc doc(&host);
  doc.OnNewDocument();
  doc.setModifiedFlag();
  prompt_.script(PromptAnswer::Yes);
  EXPECT_FALSE(doc.SaveModified());
  ASSERT_EQ(prompt_.texts().size(), 2u);
  EXPECT_NE(prompt_.texts()[1].find("no-such-folder"), std::string::npos);
  EXPECT_TRUE(doc.isModified());
}

TEST_F(DocumentTest, RamListingRoundTripsThroughTheDocument) {
  for (int type : {0, 2, 4}) {
    SCOPED_TRACE(type);
    CZavoServoDoc doc;
    startNew(doc, type);
    const int words = type >= 2 ? 512 : 256;
    for (int i = 0; i < kRamImageWords; ++i) doc.ramImage[static_cast<std::size_t>(i)] = (i * 131 + 7) & 0xFFFF;
    const std::string file = path("image.dat");
    ASSERT_TRUE(doc.exportRamListing(file).ok);
    const std::string text = slurp(file);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\''), words);

    CZavoServoDoc other;
    ASSERT_TRUE(other.importRamListing(file));
    for (int i = 0; i < kRamImageWords; ++i) {
      const auto expected = i < words ? static_cast<std::int16_t>(doc.ramImage[static_cast<std::size_t>(i)]) : 0;
      ASSERT_EQ(other.ramImage[static_cast<std::size_t>(i)], expected) << i;
    }
    EXPECT_TRUE(prompt_.texts().empty());
  }
}

TEST_F(DocumentTest, RefusedListingShowsTheMessageAndKeepsTheImage) {
  CZavoServoDoc doc;
  startNew(doc, 2);
  doc.ramImage[0] = 0x77;
  std::vector<std::int32_t> image(512, 1);
  const std::string short511 = path("short.dat");
  spit(short511, formatRamListing(image, 511));
  const std::string wrongExt = path("image.txt");
  spit(wrongExt, formatRamListing(image, 512));
  for (const auto& file : {short511, wrongExt, path("missing.dat")}) {
    prompt_.clear();
    EXPECT_FALSE(doc.importRamListing(file)) << file;
    EXPECT_EQ(prompt_.texts(), std::vector<std::string>{doctext::text(doctext::kInvalidFile)});
    EXPECT_EQ(doc.ramImage[0], 0x77);
  }
  // The same 256 words are what drive type 0 needs.
  driveContext().reset(0);
  spit(path("type0.dat"), formatRamListing(image, 256));
  EXPECT_TRUE(doc.importRamListing(path("type0.dat")));
  EXPECT_EQ(doc.ramImage[0], 1);
}

}  // namespace
}  // namespace zavo
