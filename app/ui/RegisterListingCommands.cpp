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
  const std::string path = dialog.selectedFiles().first().toStdString();

  QtProgress progress(&view);
  RegisterImageTransfer transfer(view.operations(), progress);
  const LinkBusyScope busy(view.linkFlags());
  if (transfer.read(view.document()) != 1) return;  // the transfer has said why
  const SaveResult saved = view.document().exportRamListing(path);
  if (!saved) showMessage(saved.error, {}, PromptIcon::Stop);
}

void copyToDevice(CZavoServoView& view) {
  if (!linkState().isConnected()) return;
  const QString file = QFileDialog::getOpenFileName(
      &view, QString(), QString(),
      fileDialogFilter(uiText(static_cast<int>(ids::kDatOpenFilter), "Zavo Servo Files (*.dat)|*.dat|All Files (*.*)|*.*||")));
  if (file.isEmpty()) return;
  if (!view.document().importRamListing(file.toStdString())) return;  // refused with its message

  QtProgress progress(&view);
  RegisterImageTransfer transfer(view.operations(), progress);
  const LinkBusyScope busy(view.linkFlags());
  transfer.write(view.document());
}

}  // namespace zavo
