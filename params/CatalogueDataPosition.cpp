// Catalogue rows (being filled in).
#include "params/CatalogueRow.h"

namespace zavo::catalogue {
namespace {
constexpr CatalogueRow kRows[] = {
    {"Cn001", kAllTypes, 0x1F020, 0x3510, 0, 12, 2, Rule::Fixed, 61964, 0, Unit::None, 0x11111},
};
}  // namespace

std::span<const CatalogueRow> positionRows() { return std::span<const CatalogueRow>(kRows).first(0); }

}  // namespace zavo::catalogue
