#pragma once
// The two exchange primitives every DriveLink frame passes through.

#include <cstddef>
#include <cstdint>

#include "comtrak/CSerial.h"
#include "link/Frame.h"

namespace zavo {

// One DriveLink request and its reply check: 2 a valid data reply, 1 an acknowledged write,
// 0 failure. A failure other than the drive's '!' refusal clears the connected flag.
// `reply` must hold at least `expected` bytes.
int checkedExchange(CSerial& port, const std::uint8_t* request, std::size_t length,
                    std::uint8_t* reply, std::size_t expected);
int checkedExchange(CSerial& port, const Frame& request, std::uint8_t* reply, std::size_t expected);

// One exchange without a reply check: 0 when CommandSend completed, 1 on an error. The
// caller parses the reply itself.
int rawExchange(CSerial& port, const std::uint8_t* request, std::size_t length,
                std::uint8_t* reply, std::size_t capacity);

// A read (R or single block read) on `port`: the 16-bit value, or -1 when the exchange failed.
int exchangeRead(CSerial& port, const Frame& request);

}  // namespace zavo
