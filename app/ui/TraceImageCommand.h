#pragma once
// `ZavoServo --trace-image OUT.png|OUT.ppm FILE.trd`: opens a trace file in a trace window
// that is never shown, as the drive type the file was written for, and writes the picture
// Copy to Clipboard would copy. For reports made by scripts, and for tests.

#include <QStringList>

namespace zavo {

inline constexpr char kTraceImageOption[] = "--trace-image";

inline constexpr int kTraceImageOk = 0;
inline constexpr int kTraceImageFailed = 1;
inline constexpr int kTraceImageUsage = 2;

bool wantsTraceImage(int argc, char** argv);
// Runs the command; reasons for a failure go to standard error.
int runTraceImage(const QStringList& arguments);

}  // namespace zavo
