// The printed parameter list without a printer: what it says for each drive type, and where
// every text and rule goes on which page.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "params/catalogue/Catalogue.h"
#include "params/listing/ParameterListPrint.h"
#include "params/listing/PrintLayout.h"
#include "params/document/ZavoServoDoc.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

// A monospaced stand-in for the printer's fonts: 0.6 of the font height per character.
double monoWidth(PrintFont font, std::string_view text) { return 0.6 * printFontHeight(font) * static_cast<double>(text.size()); }

using PrintContentTest = CatalogueTest;
// The headings come from the text table too.
using PrintLayoutTest = CatalogueTest;

TEST_F(PrintContentTest, EveryDriveTypeListsEveryParameterOfItsPrintedGroups) {
  const char* headers[] = {"Zavo Servo -- PDXR Parameter List", "Zavo Servo -- PDXA Parameter List",
                           "Zavo Servo -- M7 Parameter List", "Zavo Servo -- PDXAP Parameter List",
                           "Zavo Servo -- M7 Parameter List"};
  for (int type = 0; type < catalogue::kDriveTypeCount; ++type) {
    useType(type);
    CZavoServoDoc doc;
    doc.OnNewDocument();
    const PrintContent content = parameterListContent(doc, type);
    EXPECT_EQ(content.header, headers[type]);

    std::vector<std::string> titles;
    std::map<std::string, PrintRow> rows;
    for (const PrintGroup& g : content.groups) {
      titles.push_back(g.title);
      for (const PrintRow& r : g.rows) EXPECT_TRUE(rows.emplace(r.code, r).second) << "twice: " << r.code;
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Control parameter", "Torque parameter", "Speed Parameter",
                                                "Position Parameter", "Quick Parameter",
                                                "Multi-function contact set parameter"}))
        << type;
    for (const catalogue::Entry& e : catalogue::parameters(type)) {
      const bool printed = e.group != ParamGroup::tn && static_cast<int>(e.group) < static_cast<int>(ParamGroup::OnT);
      const auto it = rows.find(e.code);
      ASSERT_EQ(it != rows.end(), printed) << type << " " << e.code;
      if (!printed) continue;
      const GroupImage& image = doc.images[e.group];
      const auto slot = static_cast<std::size_t>(e.slot);
      EXPECT_EQ(it->second.value, catalogue::valueText(e.code, image.value[slot])) << e.code;
      EXPECT_EQ(it->second.def, catalogue::valueText(e.code, image.def[slot])) << e.code;
      EXPECT_EQ(it->second.range, catalogue::rangeText(e.code, image.min[slot], image.max[slot])) << e.code;
      EXPECT_EQ(it->second.title, catalogue::titleOf(e.code)) << e.code;
    }
    EXPECT_EQ(rows.count("Pn401") + rows.count("ECA01"), type >= 2 ? 2u : 0u) << type;
  }
}

TEST_F(PrintContentTest, ValuesComeFromTheDocument) {
  CZavoServoDoc doc;
  doc.OnNewDocument();
  doc.setValue(ParamGroup::Cn, 10, 123);
  doc.setValue(ParamGroup::Hn, 1, 0x10A);
  const PrintContent content = parameterListContent(doc, 2);
  std::map<std::string, std::string> value;
  for (const auto& g : content.groups)
    for (const auto& r : g.rows) value[r.code] = r.value;
  EXPECT_EQ(value["Cn010"], "123");
  EXPECT_EQ(value["Hn601"], "010A");
}

PrintContent sampleContent(int groups, int rowsPerGroup) {
  PrintContent c;
  c.header = "Zavo Servo -- M7 Parameter List";
  for (int g = 0; g < groups; ++g) {
    PrintGroup group;
    group.title = "Group " + std::to_string(g);
    for (int r = 0; r < rowsPerGroup; ++r) {
      PrintRow row;
      row.code = "X" + std::to_string(g) + "-" + std::to_string(r);
      row.title = r % 7 == 3 ? "A title long enough to need a second and even a third line of print" : "Short title";
      row.value = r % 5 == 0 ? "-2147483647" : std::to_string(r);
      row.unit = r % 4 == 1 ? "1/10000 rev(pulse)" : "ms";
      row.range = r % 3 == 2 ? "-2147483647~2147483647" : "0~100";
      row.def = std::to_string(r);
      group.rows.push_back(row);
    }
    c.groups.push_back(group);
  }
  return c;
}

struct Box {
  double left, right;
  int top, bottom;
};

Box boxOf(const PrintText& t) {
  const double w = monoWidth(t.font, t.text);
  const double left = t.rightAligned ? t.x - w : t.x;
  return {left, left + w, t.y, t.y + printLineHeight(t.font)};
}

TEST_F(PrintLayoutTest, HeaderRulesAndColumnsStandAtTheirPositions) {
  const PageGeometry page;
  PrintContent c = sampleContent(1, 1);
  c.groups[0].rows[0] = {"Cn001", "Control Mode selection", "2", "ms", "0~C", "3"};
  const auto pages = layoutParameterList(c, page, monoWidth);
  ASSERT_EQ(pages.size(), 1u);
  const PrintPage& p = pages[0];
  std::map<std::string, PrintText> at;
  for (const PrintText& t : p.texts) at[t.text] = t;

  EXPECT_EQ(at["Zavo Servo -- M7 Parameter List"], (PrintText{50, page.topMargin - 30, c.header, PrintFont::Header}));
  ASSERT_EQ(p.rules.size(), 2u);
  EXPECT_EQ(p.rules[0].x1, 30);
  EXPECT_EQ(p.rules[0].x2, page.right() - 30);
  EXPECT_EQ(p.rules[0].width, 2);
  EXPECT_GT(p.rules[0].y, page.topMargin - 30);
  EXPECT_LE(p.rules[0].y, page.topMargin);
  EXPECT_EQ(at["Group 0"].x, 50);
  EXPECT_EQ(at["Group 0"].font, PrintFont::GroupTitle);
  EXPECT_EQ(p.rules[1].x1, 40);
  EXPECT_EQ(p.rules[1].x2, 750);
  EXPECT_GT(p.rules[1].y, at["Group 0"].y);

  const std::pair<const char*, int> headings[] = {{"Note", 50},  {"Parameter Name", 110}, {"Value", 410},
                                                  {"Unit", 480}, {"Set Range", 550},      {"Default", 680}};
  for (const auto& [text, x] : headings) {
    EXPECT_EQ(at[text].x, x) << text;
    EXPECT_EQ(at[text].y, at["Note"].y) << text;
    EXPECT_GT(at[text].y, p.rules[1].y) << text;
  }
  const int rowY = at["Cn001"].y;
  EXPECT_GT(rowY, at["Note"].y);
  EXPECT_EQ(at["Cn001"].x, 50);
  EXPECT_EQ(at["Control Mode selection"], (PrintText{110, rowY, "Control Mode selection", PrintFont::Row}));
  EXPECT_EQ(at["2"].x, 460);
  EXPECT_TRUE(at["2"].rightAligned);
  EXPECT_TRUE(at["2"].blue);
  EXPECT_EQ(at["ms"].x, 480);
  EXPECT_EQ(at["0~C"].x, 550);
  EXPECT_EQ(at["3"].x, 680);
  for (const PrintText& t : p.texts) EXPECT_EQ(t.blue, t.text == "2") << t.text << ": only the value is blue";
}

TEST_F(PrintLayoutTest, LongListsFlowOverPagesWithoutLossOverlapOrSplitRows) {
  for (const PageGeometry page : {PageGeometry{}, PageGeometry{850, 1100, 100, 80, 50}}) {
    const PrintContent c = sampleContent(6, 70);
    const auto pages = layoutParameterList(c, page, monoWidth);
    ASSERT_GT(pages.size(), 2u);

    std::vector<std::string> codes;
    std::set<std::string> allCodes;
    for (const auto& g : c.groups)
      for (const auto& r : g.rows) allCodes.insert(r.code);
    for (std::size_t n = 0; n < pages.size(); ++n) {
      const PrintPage& p = pages[n];
      EXPECT_EQ(p.texts.front().text, c.header) << "every page has the header, page " << n;
      std::vector<Box> boxes;
      std::map<int, int> rowTopOfCode;
      for (const PrintText& t : p.texts) {
        const Box b = boxOf(t);
        EXPECT_GE(b.left, 30) << t.text;
        EXPECT_LE(b.right, page.right()) << t.text;
        EXPECT_LE(b.bottom, page.height - page.bottomMargin) << t.text;
        for (const Box& o : boxes)
          EXPECT_FALSE(b.left < o.right && o.left < b.right && b.top < o.bottom && o.top < b.bottom)
              << "page " << n << ": '" << t.text << "' overlaps another text";
        boxes.push_back(b);
        if (allCodes.count(t.text)) codes.push_back(t.text);
      }
      // A page that opens in the middle of a group repeats the headings above its first row.
      const auto firstCode = std::find_if(p.texts.begin(), p.texts.end(), [&](const PrintText& t) { return allCodes.count(t.text) > 0; });
      const auto note = std::find_if(p.texts.begin(), p.texts.end(), [](const PrintText& t) { return t.text == "Note"; });
      ASSERT_NE(note, p.texts.end()) << n;
      ASSERT_NE(firstCode, p.texts.end()) << n;
      EXPECT_LT(note->y, firstCode->y) << n;
    }
    EXPECT_EQ(codes.size(), allCodes.size());
    EXPECT_EQ(std::set<std::string>(codes.begin(), codes.end()), allCodes);
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end(), [&](const std::string& a, const std::string& b) {
      auto key = [](const std::string& s) { return std::make_pair(std::stoi(s.substr(1)), std::stoi(s.substr(s.find('-') + 1))); };
      return key(a) < key(b);
    })) << "rows print in list order";
  }
}

TEST_F(PrintLayoutTest, AWrappedRowIsAsTallAsItsLongestCell) {
  PrintContent c = sampleContent(1, 2);
  c.groups[0].rows[0] = {"Cn001", "One two three four five six seven eight nine ten eleven twelve", "1", "", "-2147483647~2147483647", "0"};
  c.groups[0].rows[1] = {"Cn002", "Short", "2", "", "", ""};
  const auto pages = layoutParameterList(c, PageGeometry{}, monoWidth);
  std::map<std::string, int> y;
  int titleLines = 0;
  for (const PrintText& t : pages[0].texts) {
    y[t.text] = t.y;
    if (t.x == printx::kTitle && t.font == PrintFont::Row && t.text != "Short") {
      ++titleLines;
      EXPECT_LE(printx::kTitle + monoWidth(t.font, t.text), printx::kValueHeading) << t.text;
    }
  }
  ASSERT_GE(titleLines, 2);
  EXPECT_EQ(y["Cn002"] - y["Cn001"], titleLines * printLineHeight(PrintFont::Row));
  EXPECT_TRUE(y.count("-2147483647~")) << "a range breaks after its '~'";
}

TEST_F(PrintLayoutTest, AnEmptyListStillPrintsItsHeader) {
  PrintContent c;
  c.header = "Zavo Servo -- M7 Parameter List";
  const auto pages = layoutParameterList(c, PageGeometry{}, monoWidth);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].texts.size(), 1u);
}

TEST_F(PrintLayoutTest, Wrapping) {
  struct Case {
    const char* text;
    double width;
    std::vector<std::string> lines;
  };
  // Row font: 8.4 units per character.
  const Case cases[] = {
      {"", 100, {}},
      {"Short", 100, {"Short"}},
      {"aaa bbb ccc", 8.4 * 7, {"aaa bbb", "ccc"}},
      {"  spaced   out  ", 1000, {"spaced out"}},
      {"-2147483647~2147483647", 8.4 * 14, {"-2147483647~", "2147483647"}},
      {"abcdefghij", 8.4 * 4, {"abcd", "efgh", "ij"}},
      {"x", 1, {"x"}},
  };
  for (const Case& c : cases) EXPECT_EQ(wrapPrintText(c.text, c.width, PrintFont::Row, monoWidth), c.lines) << c.text;
}

}  // namespace
}  // namespace zavo::test
