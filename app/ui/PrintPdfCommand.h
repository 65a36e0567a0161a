#pragma once
// `ZavoServo --print-pdf OUT.pdf FILE.tec`: prints a parameter file's list to a PDF file and
// ends, without a window. For commissioning reports made by scripts, and for tests.

#include <QStringList>

#include <functional>

namespace zavo {

inline constexpr char kPrintPdfOption[] = "--print-pdf";

// Exit codes of the command.
inline constexpr int kPrintPdfOk = 0;
inline constexpr int kPrintPdfFailed = 1;
inline constexpr int kPrintPdfUsage = 2;

// True when the command line (after the program name) asks for it.
bool wantsPrintPdf(const QStringList& arguments);
// True when the raw command line asks for it, before any QApplication exists (the program then
// needs no display).
bool wantsPrintPdf(int argc, char** argv);

// Runs the command: loads the language library (`loadLanguage`), opens the file under its own
// drive type and prints. Reasons for a failure go to standard error.
int runPrintPdf(const QStringList& arguments, const std::function<bool()>& loadLanguage);

}  // namespace zavo
