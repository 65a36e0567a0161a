#include "tuning/ui/AutoGainChoiceDialog.h"

#include <QLabel>
#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {

AutoGainChoiceDialog::AutoGainChoiceDialog(QWidget* parent)
    : ResourceDialog(kAutoGainChoiceDialog, "Auto Gain Adjust", parent), group_(new QButtonGroup(this)) {
  auto* grid = new QGridLayout(this);
  const struct {
    int id;
    const char* text;
  } radios[] = {{kChoiceDisable, "Auto gain adjust disable"},
                {kChoiceOffline, "Off-line Auto gain adjust"},
                {kChoiceOnline, "On-line Auto gain adjust"},
                {kChoiceLoopGains, "Off-line Auto gain adjust with loop gains"}};
  int row = 0;
  for (const auto& r : radios) {
    auto* b = addControl(r.id, new QRadioButton(this), r.text);
    group_->addButton(b, row);
    grid->addWidget(b, row++, 0, 1, 2);
  }
  group_->button(kDisable)->setChecked(true);
  grid->addWidget(addButton(kIdOk, "OK"), row, 0);
  grid->addWidget(addButton(kIdCancel, "Cancel"), row, 1);
}

int AutoGainChoiceDialog::choice() const { return group_->checkedId(); }

}  // namespace zavo::tuning
