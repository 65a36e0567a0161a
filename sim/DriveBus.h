#pragma once
// The drives on one line: one, as usual, or a bus of several (--stations), each with its own
// memory and drive type, answering Modbus only at its own station, and each perhaps at its
// own baud rate, deaf to a program that talks at another. A DriveLink request names no
// station: only a drive alone on its line takes it.

#include <memory>
#include <vector>

#include "sim/DriveEngine.h"
#include "sim/RequestFramer.h"

namespace zavo::sim {

class DriveBus {
 public:
  struct Member {
    int station = 1;
    long baud = 0;  // the only rate it understands; 0: any
    std::unique_ptr<DriveEngine> engine;
  };

  explicit DriveBus(std::vector<Member> members);

  // The answer of whichever drive the request is for, heard at `lineBaud` (0: unknown).
  Answer answer(const RequestFramer::Request& request, double ms, long lineBaud);
  Bytes refusal(const RequestFramer::Request& request) const;

  DriveEngine& first() { return *members_.front().engine; }
  // The drive at `station`; null when there is none.
  DriveEngine* atStation(int station);
  std::vector<int> stations() const;
  bool anyBaudBound() const;

 private:
  std::vector<Member> members_;
};

}  // namespace zavo::sim
