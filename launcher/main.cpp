// Client: the launcher. The user picks the drive family; the matching ZavoServo starts.

#include <QApplication>
#include <QDir>

#include "app/ui/AppIcon.h"
#include "launcher/SelectDialog.h"
#include "platform/qt/QtPrompt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Client"));
  QApplication::setWindowIcon(zavo::appIcon());
  zavo::QtPrompt prompt;
  zavo::setPrompt(&prompt);
  // The installation is the folder the launcher lies in; the families' programs are below it.
  zavo::SelectDialog dialog({QCoreApplication::applicationDirPath(), QDir::tempPath(), {}});
  dialog.exec();
  zavo::setPrompt(nullptr);
  return 0;
}
