#pragma once
// The command line of zavodrive-sim:
//   zavodrive-sim [--drive-type T] [--baud N] [--pace] [--turnaround-ms X]
//                 [--modbus ascii|rtu] [--station N] [--format F] [--link PATH]
//                 [--stations S1,S2,.. [--drive-type T1,T2,..]] [--bauds B1,B2,..]
//                 [--state FILE] [--log FILE] [--faults LIST] [--seed N]
//                 [--trace-port-refused]
//                 [--servo on|off] [--inertia-ratio R] [--motor-inertia J] [--friction PCT]
//                 [--viscous PCT]
//                 [--alarms C0,..,C9] [--pin REG=VALUE,...]

#include <string>
#include <vector>

#include "sim/SimOptions.h"

namespace zavo::sim {

struct CommandLine {
  SimOptions options;
  bool help = false;
  std::string error;  // non-empty: the arguments do not make a drive

  static CommandLine parse(const std::vector<std::string>& args);
  static const char* usage();
};

}  // namespace zavo::sim
