#include "app/ui/RegisterListingCommands.h"

#include <QFileDialog>
#include <QStringList>

#include "app/ui/CZavoServoView.h"
#include "link/LinkState.h"
#include "link/RegisterImageTransfer.h"
#include "platform/Prompt.h"
#include "platform/qt/QtProgress.h"
#include "platform/qt/UiText.h"
#include "resources/StringIds.h"

namespace zavo {
namespace {

const char* const kDatSuffix = "dat";

}  // namespace

QString fileDialogFilter(const QString& classic) {
  const QStringList parts = classic.split(QLatin1Char('|'), Qt::SkipEmptyParts);
  QStringList filters;
  // Pairs of shown text and pattern; the shown text already names the pattern.
  for (qsizetype i = 0; i < parts.size(); i += 2) filters << parts[i];
  return filters.join(QStringLiteral(";;"));
}

void copyToComputer(CZavoServoView& view) {
  if (!linkState().isConnected()) return;
  QFileDialog dialog(&view);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromLatin1(kDatSuffix));
  dialog.setNameFilter(fileDialogFilter(uiText(static_cast<int>(ids::kDatSaveFilter), "Zavo Servo Files (*.dat)|*.dat||")));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  copyDriveToListing(view, dialog.selectedFiles().first().toStdString());
}

bool copyDriveToListing(CZavoServoView& view, const std::string& path) {
  if (!linkState().isConnected()) return false;
  QtProgress progress(&view);
  RegisterImageTransfer transfer(view.operations(), progress);
  const LinkBusyScope busy(view.linkFlags());
  // No file from a failed or cancelled read: half an image would restore as a whole one.
  if (transfer.read(view.document()) != 1) return false;
  const SaveResult saved = view.document().exportRamListing(path);
  if (!saved) showMessage(saved.error, {}, PromptIcon::Stop);
  return saved.ok;
}

void copyToDevice(CZavoServoView& view) {
  if (!linkState().isConnected()) return;
  const QString file = QFileDialog::getOpenFileName(
      &view, QString(), QString(),
      fileDialogFilter(uiText(static_cast<int>(ids::kDatOpenFilter), "Zavo Servo Files (*.dat)|*.dat|All Files (*.*)|*.*||")));
  if (!file.isEmpty()) copyListingToDrive(view, file.toStdString());
}

bool copyListingToDrive(CZavoServoView& view, const std::string& path) {
  if (!linkState().isConnected()) return false;
  if (!view.document().importRamListing(path)) return false;  // refused with its message
  QtProgress progress(&view);
  RegisterImageTransfer transfer(view.operations(), progress);
  const LinkBusyScope busy(view.linkFlags());
  return transfer.write(view.document()) == 1;
}

}  // namespace zavo
