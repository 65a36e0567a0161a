// trace.ini's reader on arbitrary text: bounded, a file of ours leaves a present flag of 0 or
// 1, and what it took in writes back as text that reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "trace/TraceIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zavo::trace;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TraceSettingsBlock block;
  if (!parseTraceIni(text, block)) return 0;
  if (block.present != 0 && block.present != 1) std::abort();
  TraceSettingsBlock back;
  if (!parseTraceIni(traceIniText(block), back) || !(back == block)) std::abort();
  return 0;
}
