#pragma once
// The worker's messages on their way to the user: queued to the user-interface thread and
// shown there as message boxes with the application's title, while the worker goes on (or
// ends) without waiting for anyone to press OK.

#include "trace/CMyThread.h"

namespace zavo {

// A poster for CMyThread that shows each message on the application's thread.
trace::PostMessageFn workerMessages();

}  // namespace zavo
