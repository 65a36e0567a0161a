#pragma once
// The requests of the trace function, built by the DriveLink codec: a write to a trace
// register by its number, the poll of the ready word, and the block read of N records of one
// half at an offset.

#include "link/Frame.h"

namespace zavo::trace {

// A write request to register number `number` (0x7D2 → page '7', address 0xD2).
Frame registerWrite(int number, long value);
// A single block read of register number `number`.
Frame registerRead(int number);
// The five-area block read of the records of half `half` from `offset` on.
Frame recordBlockRead(int half, int offset);
// The set-up write (sources, interval, 0x7D0) and the trigger write.
Frame setupWrite(int sources12, int sources34, int interval);
Frame triggerWrite(int channel, int position, int level, int edge);

}  // namespace zavo::trace
