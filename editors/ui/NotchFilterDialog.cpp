#include "editors/ui/NotchFilterDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zavo {

NotchFilterDialog::NotchFilterDialog(DriveOperations& ops, CZavoServoDoc& doc, std::int32_t frequency, QWidget* parent)
    : ResourceDialog(kIddNotchFilter, "Resonance Notch Filter Set", parent), page_(ops, doc, frequency),
      frequency_(addControl(kIdcNotchFrequency, new QLineEdit(QString::fromStdString(page_.frequencyText()), this))),
      quality_(addControl(kIdcNotchQuality, new QLineEdit(QString::fromStdString(page_.qualityText()), this))) {
  frequency_->setMaxLength(kNotchFrequencyChars);
  quality_->setMaxLength(kNotchQualityChars);
  auto* grid = new QGridLayout;
  grid->addWidget(staticText("Filter frequency (Cn013)"), 0, 0);
  grid->addWidget(frequency_, 0, 1);
  grid->addWidget(staticText("Hz"), 0, 2);
  grid->addWidget(staticText("Filter quality factor (Cn014)"), 1, 0);
  grid->addWidget(quality_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "Write"));
  buttons->addWidget(addButton(kIdCancel, "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void NotchFilterDialog::onOk() {
  switch (page_.write(frequency_->text().toStdString(), quality_->text().toStdString())) {
    case NotchFilterPage::Outcome::NoLink: return;
    case NotchFilterPage::Outcome::FrequencyOutOfRange: frequency_->setFocus(); return;
    case NotchFilterPage::Outcome::QualityOutOfRange: quality_->setFocus(); return;
    case NotchFilterPage::Outcome::Written:
    case NotchFilterPage::Outcome::Failed: break;
  }
  ResourceDialog::onOk();
}

int NotchFilterDialog::run(DriveOperations& ops, CZavoServoDoc& doc, std::int32_t frequency, QWidget* parent) {
  NotchFilterDialog dialog(ops, doc, frequency, parent);
  return dialog.exec();
}

}  // namespace zavo
