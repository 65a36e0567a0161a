// The `.onp` reader on arbitrary text: bounded, and entries written back read back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "params/document/OnpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zavo::OnlineSlotCodes codes;
  zavo::parseOnp(text, codes);
  for (const auto& code : codes) {
    if (code.find('\n') != std::string::npos) std::abort();
    if (!code.empty() && code.back() == '\r') return 0;  // a second CR would be taken as the line end
  }
  zavo::OnlineSlotCodes back;
  zavo::parseOnp(zavo::formatOnp(codes), back);
  if (back != codes) std::abort();
  return 0;
}
