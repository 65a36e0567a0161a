// ZavoServo: the desktop commissioning program.

#include <QApplication>

#include "app/ui/AppIcon.h"
#include "app/ui/CZavoServoApp.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ZavoServo"));
  QApplication::setWindowIcon(zavo::appIcon());
  zavo::StartupOptions options;
  options.arguments = QApplication::arguments().mid(1);
  zavo::CZavoServoApp app(std::move(options));
  if (!app.InitInstance()) return 0;
  return QApplication::exec();
}
