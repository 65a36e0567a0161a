// ZavoServo: the desktop commissioning program.

#include <QApplication>

#include "app/ui/AppIcon.h"
#include "app/ui/CZavoServoApp.h"
#include "app/ui/PrintPdfCommand.h"
#include "app/ui/TraceImageCommand.h"

int main(int argc, char** argv) {
  // Printing to a file opens no window, so it must not need a display either.
  const bool printPdf = zavo::wantsPrintPdf(argc, argv);
  const bool traceImage = zavo::wantsTraceImage(argc, argv);
  if (printPdf || traceImage) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZavoServo"));
  QApplication::setWindowIcon(zavo::appIcon());
  if (printPdf) return zavo::runPrintPdf(QApplication::arguments().mid(1), &zavo::CZavoServoApp::loadLanguageLibrary);
  if (traceImage) {
    zavo::CZavoServoApp::loadLanguageLibrary();
    return zavo::runTraceImage(QApplication::arguments().mid(1));
  }
  zavo::StartupOptions options;
  options.arguments = QApplication::arguments().mid(1);
  zavo::CZavoServoApp app(std::move(options));
  if (!app.InitInstance()) return 0;
  return QApplication::exec();
}
