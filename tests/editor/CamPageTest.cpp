// The electronic cam pages against the virtual drive: opening, the entry check, Write in the
// drive's order with failures named, and OK into the document.

#include <gtest/gtest.h>

#include "editors/CamPage.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "tests/editor/FieldFixture.h"

namespace zavo::test {
namespace {

std::int32_t docValue(const CZavoServoDoc& doc, const char* code) {
  ParamGroup g{};
  int n = 0;
  EXPECT_TRUE(catalogue::slotOf(code, g, n)) << code;
  return doc.value(g, n);
}

void type(CamPage& page, const char* row, const char* text) {
  ASSERT_TRUE(page.type(page.rowOf(row), text)) << row << " " << text;
}

TEST(CamPage, OpensFromTheDriveWithOnlyNegativeRangesSigned) {
  FieldDrive f;
  f.drive.setParameter("ECA03", 40000);
  f.drive.setParameter("ECA06", conversion::toRaw("ECA06", -4500));
  f.drive.setParameter("ECA02", 0x0135);
  f.drive.setParameter("ECA01", 0);
  CamPage page(CamKind::Flying, f.ops, f.doc);
  ASSERT_TRUE(page.open());
  const struct {
    const char* row;
    const char* text;
  } rows[] = {{"ECA01", "1"}, {"ECA02.0", "5"}, {"ECA02.2", "1"}, {"ECA03", "40000"}, {"ECA06", "-4500"}, {"ECA07", "2500"}};
  for (const auto& r : rows) EXPECT_EQ(page.row(page.rowOf(r.row)).text, r.text) << r.row;

  // The entry check: a text outside the row's range, or no number at all, is refused.
  const struct {
    const char* row;
    const char* text;
    bool accepted;
  } typed[] = {{"ECA05", "121", false}, {"ECA05", "120", true}, {"ECA06", "-", true},   {"ECA06", "-9001", false},
               {"ECA04", "", false},    {"ECA03", "12a", false}, {"ECA03", "65535", true}, {"ECA01", "2", false}};
  for (const auto& t : typed) EXPECT_EQ(page.type(page.rowOf(t.row), t.text), t.accepted) << t.row << " " << t.text;
  EXPECT_EQ(page.row(page.rowOf("ECA05")).text, "120");
}

TEST(CamPage, WriteSendsEveryRowInTheDrivesOrderOverTheDrivesOwnEca02) {
  for (const CamKind kind : {CamKind::Flying, CamKind::Chase}) {
    FieldDrive f;
    f.drive.setParameter("ECA02", 0x0135);
    CamPage page(kind, f.ops, f.doc);
    ASSERT_TRUE(page.open());
    std::vector<const char*> order;
    std::int32_t eca02 = 0;
    if (kind == CamKind::Flying) {
      type(page, "ECA02.0", "0");
      type(page, "ECA02.2", "1");
      eca02 = 0x0130;  // digit 1 of the drive's word stays
      order = {"ECA01", "ECA02", "ECA03", "ECA04", "ECA05", "ECA06", "ECA07", "ECA08",
               "ECA09", "ECA10", "ECA11", "ECA12", "ECA13", "Pn349"};
    } else {
      for (const auto& [row, index] : {std::pair{"ECA02.0", 1}, {"ECA02.1", 0}, {"ECA02.2", 1}, {"ECA02.3", 1}})
        page.choose(page.rowOf(row), index);
      eca02 = 0x1101;
      order = {"ECA01", "ECA02", "ECA03", "ECA07", "ECA08", "ECA09", "ECA10", "ECA11",
               "ECA12", "ECA13", "ECA14", "ECA15", "ECA16", "ECA17", "ECA18", "Pn349"};
    }
    type(page, "ECA03", "40000");
    f.drive.clearLog();
    std::vector<std::string> failed;
    EXPECT_EQ(page.write(&failed), CamPage::Outcome::Done);
    EXPECT_EQ(f.lastText(), "Write successfully!!");
    std::vector<int> expected;
    for (const char* code : order) {
      if (catalogue::is32Bit(code)) expected.push_back(catalogue::highWordAddress(code));
      expected.push_back(catalogue::wordAddress(code));
    }
    EXPECT_EQ(f.storedLinears(), expected);
    const auto log = f.drive.requestLog();
    const auto firstEca02Store = std::find_if(log.begin(), log.end(), [](const sim::LogEntry& e) {
      return std::string(e.request.begin(), e.request.end()).rfind("W5E9021D", 0) == 0;
    });
    EXPECT_TRUE(std::any_of(log.begin(), firstEca02Store,
                            [](const sim::LogEntry& e) { return std::string(e.request.begin(), e.request.end()).rfind("RD1D", 0) == 0; }))
        << "the drive's ECA02 is read before it is written";
    EXPECT_EQ(*f.drive.storedParameter("ECA02"), eca02);
    EXPECT_EQ(*f.drive.storedParameter("ECA01"), kind == CamKind::Flying ? 1 : 2);
    EXPECT_EQ(*f.drive.storedParameter("ECA03"), 40000);
  }
}

TEST(CamPage, AWholePageOutOfRangeWritesNothingAndRefusedRowsAreNamed) {
  {
    // The chase page's cutter diameter is checked with the rest.
    FieldDrive f;
    f.drive.setParameter("ECA10", 0);
    CamPage page(CamKind::Chase, f.ops, f.doc);
    ASSERT_TRUE(page.open());
    f.drive.clearLog();
    EXPECT_EQ(page.write(), CamPage::Outcome::Refused);
    EXPECT_EQ(f.lastText(), "overrange");
    EXPECT_EQ(f.drive.requestCount(), 0);
  }
  FieldDrive f(driveOf(2, "refuse-reg=D20"));  // ECA05's register
  CamPage page(CamKind::Flying, f.ops, f.doc);
  ASSERT_TRUE(page.open());
  type(page, "ECA06", "-300");
  std::vector<std::string> failed;
  EXPECT_EQ(page.write(&failed), CamPage::Outcome::Failed);
  EXPECT_EQ(failed, std::vector<std::string>{"ECA05"});
  EXPECT_EQ(f.lastText(), "ECA05 write error!");
  EXPECT_EQ(conversion::toDisplay("ECA06", *f.drive.storedParameter("ECA06")), -300) << "the rows after it still go";
}

TEST(CamPage, WithoutALinkThePageShowsTheDocumentAndOkHandsTheRowsBack) {
  FieldDrive f(driveOf(2), false);
  ParamGroup g{};
  int n = 0;
  ASSERT_TRUE(catalogue::slotOf("ECA02", g, n));
  f.doc.setValue(g, n, 0x0135);
  ASSERT_TRUE(catalogue::slotOf("ECA05", g, n));
  f.doc.setValue(g, n, 45);
  CamPage page(CamKind::Flying, f.ops, f.doc);
  ASSERT_TRUE(page.open());
  EXPECT_EQ(page.row(page.rowOf("ECA05")).text, "45");
  type(page, "ECA02.0", "0");
  type(page, "ECA05", "60");
  EXPECT_EQ(page.write(), CamPage::Outcome::NoLink);
  page.ok();
  EXPECT_EQ(docValue(f.doc, "ECA01"), 1);
  EXPECT_EQ(docValue(f.doc, "ECA02"), 0x0130);
  EXPECT_EQ(docValue(f.doc, "ECA05"), 60);
  EXPECT_TRUE(f.doc.isModified());
  EXPECT_EQ(f.drive.requestCount(), 0);
}

}  // namespace
}  // namespace zavo::test
