#include "editors/ui/FullClosedLoopDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/ui/RangeValidator.h"
#include "link/LinkState.h"

namespace zavo {
namespace {

constexpr const char* kMeanings[kFullClosedLoopRows] = {
    "Full-closed-loop function (0 off, 1 on)",
    "Dividing output source (0 motor encoder, 1 load encoder)",
    "Maximum full-closed-loop error [pulse]",
    "Load encoder resolution [pulse/rev]",
    "Running direction (0 positive, 1 negative)",
};

}  // namespace

FullClosedLoopDialog::FullClosedLoopDialog(DriveOperations& ops, QWidget* parent)
    : ResourceDialog(kIddFullClosedLoop, "Full-closed Loop Function", parent), page_(ops) {
  auto* grid = new QGridLayout;
  grid->addWidget(staticText("Present value"), 0, 2);
  grid->addWidget(staticText("Set value"), 0, 3);
  const auto specs = FullClosedLoopPage::specs();
  for (int r = 0; r < kFullClosedLoopRows; ++r) {
    const FullClosedLoopRowSpec& spec = specs[static_cast<std::size_t>(r)];
    const auto i = static_cast<std::size_t>(r);
    present_[i] = addControl(spec.presentControl, new QLabel(this));
    present_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    set_[i] = addControl(spec.setControl, new QLineEdit(this));
    set_[i]->setValidator(new RangeValidator(spec.range, set_[i]));
    connect(set_[i], &QLineEdit::textEdited, this, [this, r](const QString& t) { page_.type(r, t.toStdString()); });
    QPushButton* write = addButton(spec.writeControl, "Write");
    connect(write, &QPushButton::clicked, this, [this, r] { page_.write(r); });
    grid->addWidget(new QLabel(QString::fromLatin1(spec.name), this), r + 1, 0);
    grid->addWidget(new QLabel(text(0, kMeanings[i]), this), r + 1, 1);
    grid->addWidget(present_[i], r + 1, 2);
    grid->addWidget(set_[i], r + 1, 3);
    grid->addWidget(write, r + 1, 4);
  }
  grid->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdCancel, "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  connect(&timer_, &QTimer::timeout, this, &FullClosedLoopDialog::timerTick);
  if (!linkState().isConnected()) return;
  page_.readPresent();
  page_.startFromPresent();
  showPresent();
  for (int r = 0; r < kFullClosedLoopRows; ++r) set_[static_cast<std::size_t>(r)]->setText(present_[static_cast<std::size_t>(r)]->text());
  timer_.start(kFullClosedLoopTimerMs);
}

FullClosedLoopDialog::~FullClosedLoopDialog() { timer_.stop(); }

void FullClosedLoopDialog::showPresent() {
  for (int r = 0; r < kFullClosedLoopRows; ++r) {
    const auto v = page_.present(r);
    present_[static_cast<std::size_t>(r)]->setText(v ? QString::number(*v) : QString());
  }
}

void FullClosedLoopDialog::timerTick() {
  if (!linkState().isConnected()) return;
  page_.readPresent();
  showPresent();
}

}  // namespace zavo
