// The full-closed-loop and notch filter pages against the virtual drive.

#include <gtest/gtest.h>

#include "editors/FullClosedLoopPage.h"
#include "editors/NotchFilterPage.h"
#include "params/catalogue/Catalogue.h"
#include "tests/editor/FieldFixture.h"

namespace zavo::test {
namespace {

TEST(FullClosedLoopPage, RowsStartFromWhatTheDriveHoldsAndPn346KeepsItsOtherField) {
  FieldDrive f;
  f.drive.setParameter("Pn346", 0x01);
  f.drive.setParameter("Pn348", 5000);
  FullClosedLoopPage page(f.ops);
  ASSERT_TRUE(page.readPresent());
  page.startFromPresent();
  EXPECT_EQ(page.present(FullClosedLoopPage::rowOf("Pn346.0")), 1);
  EXPECT_EQ(page.present(FullClosedLoopPage::rowOf("Pn348")), 5000);

  const struct {
    const char* row;
    const char* typed;  // nullptr: the field as it opened
    std::int32_t pn346, pn348;
    const char* box;
    const char* title;
  } writes[] = {
      // An untouched row writes back what the drive holds, not 0.
      {"Pn348", nullptr, 0x01, 5000, "Write successfully!!", ""},
      {"Pn346.1", "1", 17, 5000, "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)", "Write data"},
      {"Pn346.0", "0", 16, 5000, "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)", "Write data"},
      {"Pn348", "8388608", 16, 8388608, "Write successfully!!", ""},
  };
  for (const auto& w : writes) {
    const int r = FullClosedLoopPage::rowOf(w.row);
    if (w.typed) {
      ASSERT_TRUE(page.type(r, w.typed)) << w.row;
    }
    f.prompt.clear();
    EXPECT_EQ(page.write(r), FullClosedLoopPage::Outcome::Written) << w.row;
    EXPECT_EQ(*f.drive.storedParameter("Pn346") & 0xFFFF, w.pn346) << w.row;
    EXPECT_EQ(*f.drive.storedParameter("Pn348"), w.pn348) << w.row;
    ASSERT_EQ(f.prompt.shown().size(), 1u) << w.row;
    EXPECT_EQ(f.prompt.shown()[0].text, w.box) << w.row;
    EXPECT_EQ(f.prompt.shown()[0].title, w.title) << w.row;
  }
  EXPECT_FALSE(page.type(FullClosedLoopPage::rowOf("Pn348"), "0")) << "1-8388608";
  EXPECT_FALSE(page.type(FullClosedLoopPage::rowOf("Pn346.1"), "2"));
}

TEST(NotchFilterPage, ChecksBothFieldsThenStoresAndWritesEachFilterValue) {
  const struct {
    const char* frequency;
    const char* quality;
    NotchFilterPage::Outcome outcome;
    const char* box;
  } cases[] = {
      {"1001", "7", NotchFilterPage::Outcome::FrequencyOutOfRange, "Filter frequency is out of range!"},
      {"500", "101", NotchFilterPage::Outcome::QualityOutOfRange, "Filter quality factor is out of range!"},
      {"5x", "7", NotchFilterPage::Outcome::FrequencyOutOfRange, "Filter frequency is out of range!"},
  };
  FieldDrive f;
  NotchFilterPage page(f.ops, f.doc, 1500);
  EXPECT_EQ(page.frequencyText(), "1000");
  EXPECT_EQ(page.qualityText(), "7");
  for (const auto& c : cases) {
    f.drive.clearLog();
    EXPECT_EQ(page.write(c.frequency, c.quality), c.outcome) << c.frequency << " " << c.quality;
    EXPECT_EQ(f.lastText(), c.box);
    EXPECT_EQ(f.drive.requestCount(), 0);
  }
  f.drive.clearLog();
  EXPECT_EQ(page.write("500", "20"), NotchFilterPage::Outcome::Written);
  EXPECT_EQ(f.lastText(), "Write successfully!!\n\nRestart servo!!\n(Power off, then power on.)");
  EXPECT_EQ(f.storedLinears(), (std::vector<int>{catalogue::wordAddress("Cn013"), catalogue::wordAddress("Cn014")}));
  EXPECT_EQ(f.drive.count(sim::RequestKind::DirectWrite), 2);
  EXPECT_EQ(*f.drive.liveParameter("Cn013") & 0xFFFF, 500);
  EXPECT_EQ(*f.drive.liveParameter("Cn014") & 0xFFFF, 20);
  ParamGroup g{};
  int n = 0;
  ASSERT_TRUE(catalogue::slotOf("Cn014", g, n));
  EXPECT_EQ(f.doc.value(g, n), 20);
}

TEST(NotchFilterPage, AFrameTheDriveDoesNotTakeIsSaid) {
  FieldDrive f(driveOf(2, "refuse-reg=C41"));  // Cn014's register
  NotchFilterPage page(f.ops, f.doc, 300);
  EXPECT_EQ(page.write("300", "9"), NotchFilterPage::Outcome::Failed);
  EXPECT_EQ(f.lastText(), "Cn014 write error!");
  EXPECT_EQ(*f.drive.liveParameter("Cn013") & 0xFFFF, 300) << "the frequency went before";

  FieldDrive offline(driveOf(2), false);
  NotchFilterPage unlinked(offline.ops, offline.doc);
  EXPECT_EQ(unlinked.write("300", "9"), NotchFilterPage::Outcome::NoLink);
  EXPECT_EQ(offline.lastText(), "Communicate Error!");
}

}  // namespace
}  // namespace zavo::test
