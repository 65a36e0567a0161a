#include "params/listing/PrintLayout.h"

#include <algorithm>

#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo {
namespace {

using namespace printx;

// Room between the group rule and the column headings, and below the headings.
constexpr int kRuleGap = 3;
constexpr int kHeadingGap = 2;

struct Heading {
  unsigned id;
  int x;
};
constexpr Heading kHeadings[] = {
    {ids::kNoteHeader, kCode},  {ids::kParameterNameHeader, kTitle}, {ids::kValueHeader, kValueHeading},
    {ids::kUnitHeader, kUnit},  {ids::kSetRangeHeader, kRange},      {ids::kDefaultHeader, kDefault},
};

// Fills pages from the top down, opening a new page (with its header) when the next block
// does not fit.
class Flow {
 public:
  Flow(const PrintContent& content, const PageGeometry& page, const PrintTextWidth& widthOf)
      : content_(content), page_(page), widthOf_(widthOf) {}

  void group(const PrintGroup& g) {
    // The title, its rule, the headings and the first row stay together.
    const int firstRow = g.rows.empty() ? 0 : rowHeight(g.rows.front());
    const int gap = atPageTop() ? 0 : printLineHeight(PrintFont::Row);
    if (pages_.empty() || y_ + gap + titleBlockHeight() + firstRow > bottom())
      newPage();
    else
      y_ += gap;
    put(kGroupTitle, g.title, PrintFont::GroupTitle);
    y_ += printLineHeight(PrintFont::GroupTitle);
    pages_.back().rules.push_back({kGroupRuleLeft, kGroupRuleRight, y_, 1});
    y_ += kRuleGap;
    headings();
    for (const PrintRow& r : g.rows) row(r);
  }

  // A list without a single parameter still prints its header.
  std::vector<PrintPage> take() {
    if (pages_.empty()) newPage();
    return std::move(pages_);
  }

 private:
  int bottom() const { return page_.height - page_.bottomMargin; }
  bool atPageTop() const { return !pages_.empty() && y_ == page_.topMargin; }
  int titleBlockHeight() const {
    return printLineHeight(PrintFont::GroupTitle) + kRuleGap + printLineHeight(PrintFont::Heading) + kHeadingGap;
  }

  void newPage() {
    pages_.emplace_back();
    y_ = page_.topMargin - kHeaderAboveTop;
    put(kHeader, content_.header, PrintFont::Header);
    y_ += printLineHeight(PrintFont::Header);
    pages_.back().rules.push_back({kHeaderRuleLeft, page_.right() - kHeaderRuleInset, y_, kHeaderRuleWidth});
    y_ = page_.topMargin;
  }

  void put(int x, std::string text, PrintFont font, bool right = false, bool blue = false) {
    if (text.empty()) return;
    pages_.back().texts.push_back({x, y_, std::move(text), font, right, blue});
  }

  void headings() {
    for (const Heading& h : kHeadings) put(h.x, text(h.id), PrintFont::Heading);
    y_ += printLineHeight(PrintFont::Heading) + kHeadingGap;
  }

  struct Cells {
    std::vector<std::string> title, unit, range, def;
    std::size_t lines() const { return std::max({std::size_t{1}, title.size(), unit.size(), range.size(), def.size()}); }
  };

  Cells cells(const PrintRow& r) const {
    // The title gives way to a value wider than its column, which is right-aligned.
    const double valueLeft = kValueRight - widthOf_(PrintFont::Row, r.value);
    const double titleRight = std::min<double>(kValueHeading, valueLeft) - kColumnGap;
    Cells c;
    c.title = wrapPrintText(r.title, titleRight - kTitle, PrintFont::Row, widthOf_);
    c.unit = wrapPrintText(r.unit, kRange - kColumnGap - kUnit, PrintFont::Row, widthOf_);
    c.range = wrapPrintText(r.range, kDefault - kColumnGap - kRange, PrintFont::Row, widthOf_);
    c.def = wrapPrintText(r.def, page_.right() - kDefault, PrintFont::Row, widthOf_);
    return c;
  }

  int rowHeight(const PrintRow& r) const {
    return static_cast<int>(cells(r).lines()) * printLineHeight(PrintFont::Row);
  }

  void row(const PrintRow& r) {
    const Cells c = cells(r);
    const int height = static_cast<int>(c.lines()) * printLineHeight(PrintFont::Row);
    if (y_ + height > bottom()) {
      newPage();
      headings();
    }
    put(kCode, r.code, PrintFont::Code);
    put(kValueRight, r.value, PrintFont::Row, true, true);
    const int top = y_;
    column(kTitle, c.title, top);
    column(kUnit, c.unit, top);
    column(kRange, c.range, top);
    column(kDefault, c.def, top);
    y_ = top + height;
  }

  void column(int x, const std::vector<std::string>& lines, int top) {
    y_ = top;
    for (const std::string& line : lines) {
      put(x, line, PrintFont::Row);
      y_ += printLineHeight(PrintFont::Row);
    }
  }

  const PrintContent& content_;
  const PageGeometry& page_;
  const PrintTextWidth& widthOf_;
  std::vector<PrintPage> pages_;
  int y_ = 0;
};

// The longest head of `word` that fits, preferring to break just after a '~'.
std::size_t fittingHead(std::string_view word, double width, PrintFont font, const PrintTextWidth& widthOf) {
  std::size_t n = 1;
  while (n < word.size() && widthOf(font, word.substr(0, n + 1)) <= width) ++n;
  if (n < word.size()) {
    const auto tilde = word.substr(0, n).rfind('~');
    if (tilde != std::string_view::npos) return tilde + 1;
  }
  return n;
}

}  // namespace

int printFontHeight(PrintFont font) {
  switch (font) {
    case PrintFont::Header:
    case PrintFont::GroupTitle: return 16;
    case PrintFont::Heading: return 12;
    case PrintFont::Code:
    case PrintFont::Row: return 14;
  }
  return 14;
}

int printLineHeight(PrintFont font) { return printFontHeight(font) + 2; }

std::vector<std::string> wrapPrintText(std::string_view text, double width, PrintFont font,
                                       const PrintTextWidth& widthOf) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const std::size_t end = std::min(text.find(' ', at), text.size());
    std::string_view word = text.substr(at, end - at);
    at = end;
    const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
    if (widthOf(font, joined) <= width) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    // A word wider than the column alone is cut into pieces that fit.
    while (widthOf(font, word) > width && word.size() > 1) {
      const std::size_t head = fittingHead(word, width, font, widthOf);
      lines.emplace_back(word.substr(0, head));
      word.remove_prefix(head);
    }
    line = std::string(word);
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::vector<PrintPage> layoutParameterList(const PrintContent& content, const PageGeometry& page,
                                           const PrintTextWidth& widthOf) {
  Flow flow(content, page, widthOf);
  for (const PrintGroup& g : content.groups) flow.group(g);
  return flow.take();
}

}  // namespace zavo
