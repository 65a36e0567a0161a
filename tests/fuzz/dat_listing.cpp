// The `.dat` importer on arbitrary text, for both image sizes: bounded, and a listing it
// accepts exports and imports back to the same words.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "params/document/DatListing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (int words : {256, 512, 1}) {
    std::vector<std::int32_t> image;
    if (zavo::parseRamListing(text, words, image) != zavo::DatImportStatus::Ok) continue;
    if (image.size() != static_cast<std::size_t>(words)) std::abort();
    std::vector<std::int32_t> back;
    if (zavo::parseRamListing(zavo::formatRamListing(image, words), words, back) != zavo::DatImportStatus::Ok) std::abort();
    if (back != image) std::abort();
  }
  return 0;
}
