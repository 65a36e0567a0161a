#include "app/ui/LinkPortSetDialog.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zavo {
namespace {

const char* const kBaudRates[] = {"4800", "9600", "19200", "38400", "57600", "115200"};

bool isRealPort(const std::string& entry) { return entry != kSimulatorEntry && entry != "TCPIP"; }

}  // namespace

LinkPortSetDialog::LinkPortSetDialog(const LinkPortRequest& request, QWidget* parent)
    : ResourceDialog(kIddLinkPortSet, "Link Port Set", parent),
      ports_(addControl(kIdcPortCombo, new QComboBox(this))),
      bauds_(addControl(kIdcBaudCombo, new QComboBox(this))) {
  for (const auto& e : request.entries) ports_->addItem(QString::fromStdString(e));
  for (const char* b : kBaudRates) bauds_->addItem(QString::fromLatin1(b));
  // Port names such as "ttyUSB0 : CP2102 USB to UART Bridge Controller" need room.
  ports_->setMinimumContentsLength(32);
  ports_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  selectInitialEntry(request);
  bauds_->setCurrentIndex(request.baudIndex >= 0 && request.baudIndex < bauds_->count() ? request.baudIndex : -1);

  QGroupBox* portGroup = groupBox("Comm. Port Selection");
  auto* portRow = new QHBoxLayout(portGroup);
  portRow->addWidget(staticText("COM Port:"));
  portRow->addWidget(ports_, 1);
  QGroupBox* protocolGroup = groupBox("Comm. Protocol");
  auto* baudRow = new QHBoxLayout(protocolGroup);
  baudRow->addWidget(staticText("Baud Rate(bps):"));
  baudRow->addWidget(bauds_, 1);

  QPushButton* ok = addButton(kIdOk, request.linkWanted ? "Disconnect" : "Connect");
  QPushButton* cancel = addButton(kIdCancel, "Cancel");
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch(1);

  auto* groups = new QVBoxLayout;
  groups->addWidget(portGroup);
  groups->addWidget(protocolGroup);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(groups, 1);
  layout->addLayout(buttons);

  ports_->setEnabled(!request.linkWanted);
  bauds_->setEnabled(!request.linkWanted);
}

void LinkPortSetDialog::selectInitialEntry(const LinkPortRequest& request) {
  if (ports_->count() > 0) ports_->setCurrentIndex(0);
  const int simulator = ports_->findText(QString::fromLatin1(kSimulatorEntry), Qt::MatchExactly);
  if (request.preferSimulator && simulator >= 0) {
    ports_->setCurrentIndex(simulator);
    return;
  }
  if (request.remembered) {
    // None matching the remembered entry leaves nothing selected.
    ports_->setCurrentIndex(*request.remembered < ports_->count() ? *request.remembered : -1);
    if (ports_->currentIndex() >= 0) return;
  }
  const bool anyRealPort =
      std::any_of(request.entries.begin(), request.entries.end(), [](const std::string& e) { return isRealPort(e); });
  if (!anyRealPort && simulator >= 0) ports_->setCurrentIndex(simulator);
}

void LinkPortSetDialog::onOk() {
  choice_.portIndex = ports_->currentIndex();
  choice_.portEntry = ports_->currentText().toStdString();
  choice_.baudIndex = bauds_->currentIndex();
  ResourceDialog::onOk();
}

std::optional<LinkPortChoice> askLinkPortSettings(const LinkPortRequest& request, QWidget* parent) {
  LinkPortSetDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace zavo
