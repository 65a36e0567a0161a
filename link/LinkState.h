#pragma once
// The process-wide state of the one drive link. Every drive operation looks at `connected`
// first; the worker thread reads it too, so it is atomic. The rest is written by the
// user-interface thread only.

#include <atomic>

namespace zavo {

struct LinkState {
  std::atomic<int> connected{0};
  int comPortIndex = 0;
  int baudIndex = 1;  // 0-5: 4800, 9600, 19200, 38400, 57600, 115200
  int modbusMode = 0;
  int modbusFormat = 0;
  int modbusAscii = 0;
  int station = 1;

  bool isConnected() const { return connected.load() != 0; }
  void reset();
};

LinkState& linkState();

// Baud rate of a baud index; an index outside 0-5 gives 9600.
unsigned long baudOfIndex(int index);

}  // namespace zavo
