#pragma once
// What a trace channel can show on one drive type: "None", the eight analog signals, then
// one entry per digital input and per digital output, named after the function the drive's
// terminal assignment gives that terminal. Digital inputs are sources 9 to 9 + nDI - 1, the
// outputs follow at 9 + nDI, on every drive type.

#include <array>
#include <string>

namespace zavo::trace {

// The drive's terminal assignment parameters as the view keeps them: the inputs' values
// first, then the outputs'. A value v names function v - 1 below 256 (active level 0), else
// v - 257 (active level 1).
inline constexpr int kAssignmentWords = 20;
using TerminalAssignments = std::array<int, kAssignmentWords>;

enum class SourceKind { None, Speed, Torque, Deviation, Angle, Digital, Unknown };

class TraceSources {
 public:
  TraceSources(int driveType, const TerminalAssignments& assignments);

  int inputCount() const { return inputs_; }
  int outputCount() const { return outputs_; }
  // Sources 0 .. count() - 1 exist (entries of a source combo).
  int count() const;
  bool exists(int source) const { return source >= 0 && source < count(); }

  static SourceKind kindOf(int source);
  bool isDigital(int source) const { return exists(source) && kindOf(source) == SourceKind::Digital; }

  // The combo entry: "None", "1.Speed Command", ..., "DI-1 - SON", "DO-1 - RDY".
  std::string entryText(int source) const;
  // The signal's name for legends and file headers: "none", "Speed Command", "DI-1 - SON".
  std::string name(int source) const;
  // Its unit: "rpm", "%", "pulse", "degree"; "" for a digital source, " " for none.
  static std::string unit(int source);

 private:
  int inputs_;
  int outputs_;
  TerminalAssignments assignments_;
};

// Digital inputs and outputs of a drive type (the DI/DO planning table).
int digitalInputsOf(int driveType);
int digitalOutputsOf(int driveType);

}  // namespace zavo::trace
