#pragma once
// Where every text and rule of the printed parameter list goes, page by page, in logical
// units of 1/100 inch with x growing to the right and y growing down from the paper's top
// edge. The layout only needs the width of a text in a font; the drawing layer measures with
// the printer's fonts and paints what this produces.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "params/listing/ParameterListPrint.h"

namespace zavo {

// The five fonts of the printout by role, each with its nominal height in logical units.
enum class PrintFont {
  Header,      // Arial 16 bold
  GroupTitle,  // Courier New 16 bold
  Heading,     // Arial 12
  Code,        // Courier New 14
  Row,         // Times New Roman 14
};
int printFontHeight(PrintFont font);
// One printed line: the font's height plus two units.
int printLineHeight(PrintFont font);

namespace printx {
inline constexpr int kHeader = 50;
inline constexpr int kHeaderRuleLeft = 30;
inline constexpr int kHeaderRuleInset = 30;  // the header rule ends this far inside the right margin
inline constexpr int kHeaderAboveTop = 30;   // the header stands this far above the top margin
inline constexpr int kHeaderRuleWidth = 2;
inline constexpr int kGroupTitle = 50;
inline constexpr int kGroupRuleLeft = 40;
inline constexpr int kGroupRuleRight = 750;
inline constexpr int kCode = 50;
inline constexpr int kTitle = 110;
inline constexpr int kValueHeading = 410;
inline constexpr int kValueRight = 460;
inline constexpr int kUnit = 480;
inline constexpr int kRange = 550;
inline constexpr int kDefault = 680;
inline constexpr int kColumnGap = 6;  // kept free between a wrapped text and the next column
}  // namespace printx

struct PageGeometry {
  int width = 827;         // A4
  int height = 1169;
  int topMargin = 100;
  int bottomMargin = 80;
  int sideMargin = 50;     // the right margin stands this far inside the paper's right edge
  int right() const { return width - sideMargin; }
};

struct PrintText {
  int x = 0;  // left edge, or the right edge of a right-aligned text
  int y = 0;  // top of the line
  std::string text;
  PrintFont font = PrintFont::Row;
  bool rightAligned = false;
  bool blue = false;
  bool operator==(const PrintText&) const = default;
};

struct PrintRule {
  int x1 = 0;
  int x2 = 0;
  int y = 0;
  int width = 1;
};

struct PrintPage {
  std::vector<PrintText> texts;
  std::vector<PrintRule> rules;
};

// Width of `text` in `font`, in logical units.
using PrintTextWidth = std::function<double(PrintFont font, std::string_view text)>;

// The pages of the list. Titles, units, ranges and defaults that are wider than their column
// wrap onto further lines of the same row, so no text runs into its neighbour; a row never
// splits across pages, and a page that continues a group repeats the column headings.
std::vector<PrintPage> layoutParameterList(const PrintContent& content, const PageGeometry& page,
                                           const PrintTextWidth& widthOf);

// Splits `text` into lines no wider than `width`: at spaces, else after a '~', else between
// characters. Never returns an empty list for a non-empty text.
std::vector<std::string> wrapPrintText(std::string_view text, double width, PrintFont font,
                                       const PrintTextWidth& widthOf);

}  // namespace zavo
