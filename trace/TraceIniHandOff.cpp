#include "trace/TraceIniHandOff.h"

#include <cstdio>

#include "trace/TraceIni.h"

namespace zavo::trace {

std::string traceIniPath(const std::string& programDir) {
  if (programDir.empty()) return kTraceIniName;
  return programDir + (programDir.back() == '/' ? "" : "/") + kTraceIniName;
}

bool takeTraceIniAtOpen(const std::string& programDir, TraceSettingsBlock& block, TraceExchange& exchange) {
  if (takeTraceIni(traceIniPath(programDir), block) == TraceIniFound::None) return false;
  exchange.readBack = true;
  return true;
}

void removeTraceIni(const std::string& programDir) { std::remove(traceIniPath(programDir).c_str()); }

}  // namespace zavo::trace
