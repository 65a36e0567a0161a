#pragma once
// A drive that answers after the exchange gave up on it still answers: its reply arrives
// while the next request waits for its own. DriveLink replies do not name their register, so
// such a reply would pass for the next one's and every value after it would slip by one
// request. After a request went unanswered (or was answered with something unreadable), the
// line is given time to fall quiet and whatever it still carries is thrown away, before the
// next request goes out. This costs time only on the failure path.

#include "comtrak/CSerial.h"

namespace zavo {

// Reads and discards until the line has been quiet for `quietMs`, at most `quietMs` times
// kLateReplyLimitFactor in all, then purges the input. Holds the port's exchange mutex while
// it does (recursive for a caller that already holds it). A dead port ends it at once.
void discardLateReplies(CSerial& port, int quietMs);
inline constexpr int kLateReplyLimitFactor = 3;

}  // namespace zavo
