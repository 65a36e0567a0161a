#include "trace/TraceSources.h"

#include <cstdio>

#include "params/catalogue/Catalogue.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "trace/TraceSettings.h"

namespace zavo::trace {
namespace {

constexpr int kAnalogSources = 8;
constexpr int kHighLevelBase = 256;  // an assignment at or above this is active-high

struct Analog {
  const char* english;
  const char* unit;
};
// Sources 1-8; their names are the string ids 62024-62031 in order.
constexpr Analog kAnalog[kAnalogSources] = {
    {"Speed Command", "rpm"},
    {"Speed feedback detection", "rpm"},
    {"Torque command", "%"},
    {"Torque feedback detection", "%"},
    {"Position deviation value", "pulse"},
    {"Electrical angle", "degree"},
    {"Pulse reference value", "rpm"},
    {"U phase current feedback", "%"},
};
static_assert(ids::kTraceCurrentFeedback - ids::kTraceSpeedCommand + 1 == kAnalogSources);

struct Terminals {
  int inputs;
  int outputs;
};
// By drive type 0-4.
constexpr Terminals kTerminals[] = {{13, 4}, {6, 3}, {12, 4}, {12, 3}, {12, 4}};
constexpr int kDriveTypes = static_cast<int>(sizeof kTerminals / sizeof kTerminals[0]);

Terminals terminalsOf(int driveType) {
  return driveType >= 0 && driveType < kDriveTypes ? kTerminals[driveType] : kTerminals[2];
}

std::string analogName(int source) {
  const auto& a = kAnalog[source - 1];
  std::string t = text(ids::kTraceSpeedCommand + static_cast<unsigned>(source - 1));
  return t.empty() ? std::string(a.english) : t;
}

// The function an assignment value names.
int functionOf(int value) { return value < kHighLevelBase ? value - 1 : value - kHighLevelBase - 1; }

std::string terminalName(const char* prefix, int number, std::string_view function) {
  char head[16];
  std::snprintf(head, sizeof head, "%s-%d - ", prefix, number);
  return head + std::string(function);
}

}  // namespace

int digitalInputsOf(int driveType) { return terminalsOf(driveType).inputs; }
int digitalOutputsOf(int driveType) { return terminalsOf(driveType).outputs; }

TraceSources::TraceSources(int driveType, const TerminalAssignments& assignments)
    : inputs_(digitalInputsOf(driveType)), outputs_(digitalOutputsOf(driveType)), assignments_(assignments) {}

int TraceSources::count() const { return kFirstDigitalSource + inputs_ + outputs_; }

SourceKind TraceSources::kindOf(int source) {
  switch (source) {
    case kSourceNone: return SourceKind::None;
    case kSourceSpeedCommand:
    case kSourceSpeedFeedback:
    case kSourcePulseReference: return SourceKind::Speed;
    case kSourceTorqueCommand:
    case kSourceTorqueFeedback:
    case kSourceCurrentU: return SourceKind::Torque;
    case kSourceDeviation: return SourceKind::Deviation;
    case kSourceElectricalAngle: return SourceKind::Angle;
    default:
      return source >= kFirstDigitalSource && source < kFirstDigitalSource + kAssignmentWords ? SourceKind::Digital
                                                                                             : SourceKind::Unknown;
  }
}

std::string TraceSources::name(int source) const {
  if (source >= kSourceSpeedCommand && source <= kAnalogSources) return analogName(source);
  if (!exists(source) || source == kSourceNone) return "none";
  const int k = source - kFirstDigitalSource;
  if (k < inputs_)
    return terminalName("DI", k + 1, catalogue::diName(functionOf(assignments_[static_cast<std::size_t>(k)])));
  return terminalName("DO", k - inputs_ + 1, catalogue::doName(functionOf(assignments_[static_cast<std::size_t>(k)])));
}

std::string TraceSources::entryText(int source) const {
  if (source == kSourceNone) return "None";
  if (source >= kSourceSpeedCommand && source <= kAnalogSources) return std::to_string(source) + "." + analogName(source);
  return name(source);
}

std::string TraceSources::unit(int source) {
  if (source == kSourceNone) return " ";
  if (source >= kSourceSpeedCommand && source <= kAnalogSources) return kAnalog[source - 1].unit;
  return "";
}

}  // namespace zavo::trace
