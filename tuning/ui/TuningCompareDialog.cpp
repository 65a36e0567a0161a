#include "tuning/ui/TuningCompareDialog.h"

#include <QPushButton>
#include <QGridLayout>
#include <QLabel>

#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {

TuningCompareDialog::TuningCompareDialog(const std::vector<CompareRow>& rows, bool withFrictionNote, QWidget* parent)
    : ResourceDialog(kTuningCompareDialog, "Self-tuning result", parent) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(staticText("Before self-tuning"), 0, 1);
  grid->addWidget(staticText("After self-tuning"), 0, 2);
  int row = 1;
  for (std::size_t i = 0; i < rows.size() && i < kMaxRows; ++i, ++row) {
    const int k = static_cast<int>(i);
    grid->addWidget(addControl(kCompareNameFirst + k, new QLabel(QString::fromStdString(rows[i].name), this)), row, 0);
    grid->addWidget(addControl(kCompareBeforeFirst + k, new QLabel(QString::number(rows[i].before), this)), row, 1);
    grid->addWidget(addControl(kCompareAfterFirst + k, new QLabel(QString::number(rows[i].after), this)), row, 2);
  }
  grid->addWidget(staticText("After OK the drive works with the self-tuned values."), row++, 0, 1, 3);
  if (withFrictionNote)
    grid->addWidget(addControl(kCompareNfcNote, new QLabel(this),
                               "The friction compensation (NFC) is not affected: it is stored directly."),
                    row++, 0, 1, 3);
  grid->addWidget(addButton(kIdOk, "OK"), row, 1);
  grid->addWidget(addButton(kIdCancel, "Cancel"), row, 2);
}

}  // namespace zavo::tuning
