// 32-bit items (being filled in).
#include "params/CatalogueRow.h"

namespace zavo::catalogue {
namespace {
constexpr WideRow kWide[] = {
    {"Cn005", kAllTypes, 0x4306, 0x513, 0xC06, false},
};
}  // namespace

std::span<const WideRow> wideRows() { return kWide; }

}  // namespace zavo::catalogue
