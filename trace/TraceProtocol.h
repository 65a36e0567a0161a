#pragma once
// The drive's trace function as the line sees it: its registers, the layout of its trace
// memory, the record format of a trace block read, and the ids the capture is known by.
// The program and the virtual drive both take these from here.

#include <array>
#include <cstddef>

namespace zavo::trace {

// ---- Registers (16-bit register numbers as B and P frames name them) ----------------------

inline constexpr int kRegConfig = 0x7D0;         // written 0 with the set-up
inline constexpr int kRegMode = 0x7D1;           // 0 Single, 1 Cycle, 2 Monitor
inline constexpr int kRegHandBack = 0x7D2;       // 2: a read half goes back to the drive; 0 at stop
inline constexpr int kRegTriggerPosition = 0x7D3;  // 0-50 percent of the record before the trigger
inline constexpr int kRegRun = 0x7D4;            // 1 starts the capture, 0 stops it
inline constexpr int kRegTriggerChannel = 0x7D5; // 0 none, 1-4
inline constexpr int kRegInterval = 0x7D6;       // sample interval in the mode's unit
inline constexpr int kRegTriggerEdge = 0x7D7;    // 0 rise, 1 fall, 2 both
inline constexpr int kRegTriggerLevel = 0x7D8;   // signed, in the trigger source's unit
inline constexpr int kRegSources12 = 0x7D9;      // source 1 + 256 × source 2
inline constexpr int kRegSources34 = 0x7DA;      // source 3 + 256 × source 4
inline constexpr int kRegEnable = 0x9F5;         // 1 before every set-up
inline constexpr int kRegReady = 0x9F6;          // ready flag and ring position
inline constexpr int kRegWarmUp = 0xC42;         // read over and over to settle a fresh link

inline constexpr int kRunStart = 1;
inline constexpr int kRunStop = 0;
inline constexpr int kHandBackHalf = 2;
inline constexpr int kHandBackNone = 0;
inline constexpr int kEnableTrace = 1;
inline constexpr int kWarmUpReads = 512;

// With the position deviation on data 1, 2 or 3 the drive is told 33 for data 4: the
// deviation's high word.
inline constexpr int kSourceDeviationHigh = 33;

// ---- Trace memory -------------------------------------------------------------------------

inline constexpr int kRecordsPerCapture = 1024;  // Single and Cycle
inline constexpr int kHalves = 2;
inline constexpr int kRecordsPerHalf = kRecordsPerCapture / kHalves;
inline constexpr int kMonitorRecordsPerHalf = 128;
inline constexpr int kBlocksPerHalf = 8;
inline constexpr int kRecordsPerBlock = kRecordsPerHalf / kBlocksPerHalf;               // 64
inline constexpr int kMonitorRecordsPerBlock = kMonitorRecordsPerHalf / kBlocksPerHalf;  // 16

// Start addresses of the five areas a record is spread over (index, data 1-4), per half.
// The index area is the same for both halves.
inline constexpr int kAreaCount = 5;
inline constexpr std::array<std::array<int, kAreaCount>, kHalves> kAreaStart{{
    {0x5000, 0x1000, 0x1400, 0x4000, 0x4400},
    {0x5000, 0x1200, 0x1600, 0x4200, 0x4600},
}};
inline constexpr int kHalfStride = 0x200;  // data area of half 1 = half 0 + this

// ---- Records on the line ------------------------------------------------------------------

// A block read of the five areas is answered by one ordinary block reply per record, back to
// back: '%', five fields of four hex digits (index, data 1-4), two checksum digits.
inline constexpr std::size_t kRecordFields = kAreaCount;
inline constexpr std::size_t kRecordLength = 1 + 4 * kRecordFields + 2;  // 23
// The block read request itself: "B5", five register numbers, checksum.
inline constexpr std::size_t kBlockRequestLength = 4 * kRecordFields + 4;  // 24

// Ring positions come from 0x9F6 as 0-1023; anything above is reported and taken as 0.
inline constexpr int kMaxRingPosition = kRecordsPerCapture - 1;

// A port that cannot carry the trace stream answers this instead of '%'.
inline constexpr unsigned char kReplyPortRefused = '#';

// ---- Program side -------------------------------------------------------------------------

// Window timers of the trace window (the view's monitor timer stops while the worker runs).
inline constexpr int kWorkerStartTimerId = 1120;  // 100 ms after START: start the worker
inline constexpr int kWorkerStartTimerMs = 100;
inline constexpr int kRollTimerId = 1130;         // Monitor mode display, 50 ms
inline constexpr int kSingleTimerId = 1140;       // Single without trigger, 100 ms
inline constexpr int kRecordTimerId = 1150;       // Single with trigger and Cycle, 100 ms
inline constexpr int kCycleTimerId = 1160;        // Cycle continuation, 100 ms

// The worker's exit codes: still running, and ended.
inline constexpr int kStillActive = 259;
inline constexpr int kWorkerExitCode = 18;

// Pause before the set-up failure is told (the drive may still be answering).
inline constexpr int kSetupFailurePauseMs = 100;

}  // namespace zavo::trace
