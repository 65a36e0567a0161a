#pragma once
// Which drive type answers on the line. No register says so; but each type has its own set
// of Modbus parameter registers and its own words of parameter memory, and a drive refuses a
// register or a word it does not have. Starting from the types still possible, each probe
// asks for the register (or word) that best splits them, until one is left: a handful of
// reads, each of them one a connection makes.

#include <functional>
#include <set>
#include <vector>

namespace zavo {

enum class ProbeAnswer { Has, Refuses, Failed };

class DriveTypeProbe {
 public:
  // Words: the linear numbers of the parameter memory, fetched through the indirect access
  // window. Modbus: the parameters' Modbus registers.
  enum class Registers { Words, Modbus };

  // `read` asks the drive for one register or word. Among `candidates`, what the answers
  // leave; `preferred` where they cannot tell the rest apart, else the lowest. -1 when a
  // read fails.
  using Reader = std::function<ProbeAnswer(int reg)>;
  static int identify(Registers kind, const Reader& read, std::vector<int> candidates, int preferred = -1);

  // The registers of `driveType`'s parameters (for tests).
  static const std::set<int>& registersOf(Registers kind, int driveType);
};

}  // namespace zavo
