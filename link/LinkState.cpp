#include "link/LinkState.h"

#include <array>

namespace zavo {

void LinkState::reset() {
  connected = 0;
  comPortIndex = 0;
  baudIndex = 1;
  modbusMode = 0;
  modbusFormat = 0;
  modbusAscii = 0;
  station = 1;
}

LinkState& linkState() {
  static LinkState state;
  return state;
}

unsigned long baudOfIndex(int index) {
  static constexpr std::array<unsigned long, 6> kBauds{4800, 9600, 19200, 38400, 57600, 115200};
  return (index >= 0 && index < static_cast<int>(kBauds.size())) ? kBauds[static_cast<std::size_t>(index)]
                                                                   : 9600;
}

}  // namespace zavo
