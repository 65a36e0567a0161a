#pragma once
// The two Modbus exchanges over a port. Result codes as the reply checks: 0 no or failed
// transfer, 1 corrupt reply, 2 normal reply, 3 exception reply. They leave the connected
// flag alone; callers decide.

#include <cstddef>
#include <cstdint>

#include "comtrak/CSerial.h"
#include "link/Frame.h"

namespace zavo::modbus {

// Writes the request and reads the reply (up to `capacity` bytes), each within `timeoutMs`.
// `received`, when given, gets the number of reply bytes.
int rtuExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                unsigned long timeoutMs, std::size_t* received = nullptr);
// Tries up to `tries` times; a try counts when the reply starts with ':'.
int asciiExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t capacity,
                  int tries, std::size_t* received = nullptr);
// One try with a short time-out, for a search of the line. A reply names its station, so a
// late one cannot pass for another station's: a miss costs only its time-out, and the
// caller checks the station of what came.
int probeExchange(CSerial& port, const Frame& request, bool ascii, std::uint8_t* reply, std::size_t capacity,
                  unsigned long timeoutMs, std::size_t* received = nullptr);

}  // namespace zavo::modbus
