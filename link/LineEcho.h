#pragma once
// A two-wire RS-485 adapter without echo suppression hands the program its own request back
// before the drive's reply. The exchanges recognise that echo, read on past it and take the
// reply that follows, so such a line works; the frame log names the echo.

#include <cstddef>
#include <cstdint>
#include <span>

#include "comtrak/CSerial.h"

namespace zavo::lineecho {

// True when what arrived so far begins as the request does, as far as both go.
bool startsWithEcho(std::span<const std::uint8_t> request, std::span<const std::uint8_t> received);

// `line` holds `got` bytes that begin with the echo; reads on, within `timeoutMs`, until
// `line` is full or `complete` says the reply after the echo is whole. Returns the byte
// count, or -1 when the line is gone.
using CompleteFn = bool (*)(std::span<const std::uint8_t> reply);
long readOn(CSerial& port, std::span<std::uint8_t> line, std::size_t got, std::size_t echoLength,
            unsigned long timeoutMs, CompleteFn complete = nullptr);

// Whether the line on `port` was last seen to echo. A Modbus write's reply is the request
// itself, so an echo of it can only be told from the reply on a line known to echo.
bool echoes(const CSerial& port);
void remember(const CSerial& port, bool echoes);

}  // namespace zavo::lineecho
