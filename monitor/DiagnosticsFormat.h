#pragma once
// How the diagnostics page shows the drive's words: the control mode, the terminal states as
// strings of '0'/'1' and as on/off cells, the versions, and the terminal labels built from
// the drive's function assignment. What a drive type shows differs; the layout says how.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zavo::monitor {

struct TerminalLayout {
  int inputs = 0;             // input cells shown
  int outputs = 0;            // output cells shown
  int labels = 0;             // labels written, inputs first
  int inputChars = 0;         // length of the dn-03 string
  int outputChars = 0;        // length of the dn-02 string
  bool outputsActiveLow = false;  // the older families report their outputs inverted
  char versionLetter = 'A';   // dn-04 "A01.25" or "E01.25"
  bool fourthOutputUnused = false;  // the M7-R has three outputs to assign: "R4: ----"
};

TerminalLayout terminalLayout(int driveType);

// dn-01 by its value: "2: Position(Pe)", "B:CanOpen ", ...; "" for a value outside the table.
std::string controlModeText(std::int32_t value);
// Bit j at position length-1-j (output 1 rightmost); bits beyond the string set nothing here.
std::string terminalText(std::uint32_t word, int length);
// The on/off state of the first `count` terminals, bit j for terminal j+1.
std::vector<bool> terminalStates(std::uint32_t word, int count);
// dn-04 and dn-09: letter, then the value's hundreds and its last two digits ("A01.25").
std::string versionText(char letter, std::int32_t value);

// The function index an assignment value names: v-1 for 1-256, v-257 otherwise (level bit set).
int assignedFunction(std::int32_t value);
// "S1: SON" ... for the inputs and "R1: RDY" ... for the outputs that have an assignment,
// from the 20-word DI/DO block (inputs first, `layout.inputs` of them).
struct TerminalLabels {
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
};
TerminalLabels terminalLabels(const std::array<std::int32_t, 20>& assignment, const TerminalLayout& layout);

}  // namespace zavo::monitor
