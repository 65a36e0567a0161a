#include "tuning/ui/OnlineGainDialog.h"

#include <QLabel>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {
namespace {
constexpr int kDigitValues = 16;
constexpr const char* kDigitNames[kLearningDigits] = {"Pn345.1 ASRKi", "Pn345.2 ASRKp", "Pn345.3 APRKp"};
constexpr const char* kResultNames[3] = {"Sn212", "Sn211", "Pn310"};
constexpr int kResultIds[3] = {kOnlineSpeedIntegral, kOnlineSpeedGain, kOnlinePositionGain};
}  // namespace

OnlineGainDialog::OnlineGainDialog(DriveOperations& ops, QWidget* parent)
    : ResourceDialog(kOnlineGainDialog, "Online Gain Tune", parent), ops_(ops), timer_(kOnlineTimer, this) {
  auto* grid = new QGridLayout(this);
  for (int d = 0; d < kLearningDigits; ++d) {
    digits_[static_cast<std::size_t>(d)] = addControl(kDigitCombo[d], new QComboBox(this));
    for (int n = 0; n < kDigitValues; ++n) digits_[static_cast<std::size_t>(d)]->addItem(QString::number(n, 16).toUpper());
    auto* w = addButton(kDigitWrite[d], "Write");
    connect(w, &QPushButton::clicked, this, [this, d] { write(d + 1); });
    grid->addWidget(staticText(kDigitNames[d]), d, 0);
    grid->addWidget(digits_[static_cast<std::size_t>(d)], d, 1);
    grid->addWidget(w, d, 2);
  }
  for (int r = 0; r < 3; ++r) {
    results_[static_cast<std::size_t>(r)] = addControl(kResultIds[r], new QLineEdit(this));
    results_[static_cast<std::size_t>(r)]->setReadOnly(true);
    grid->addWidget(staticText(kResultNames[r]), kLearningDigits + r, 0);
    grid->addWidget(results_[static_cast<std::size_t>(r)], kLearningDigits + r, 1);
  }
  grid->addWidget(addButton(kIdCancel, "Close"), kLearningDigits + 3, 2);
  if (readLearningRates(ops_, pn345_)) showDigits();
  connect(&timer_, &QTimer::timeout, this, &OnlineGainDialog::refresh);
  timer_.start(kOnlineMs);
}

void OnlineGainDialog::showDigits() {
  for (int d = 0; d < kLearningDigits; ++d) digits_[static_cast<std::size_t>(d)]->setCurrentIndex(learningDigit(pn345_, d + 1));
}

void OnlineGainDialog::refresh() {
  OnlineGains g;
  if (!readOnlineGains(ops_, pn345_, g)) return;
  showDigits();
  const int values[3] = {g.speedIntegral, g.speedGain, g.positionGain};
  for (int r = 0; r < 3; ++r) results_[static_cast<std::size_t>(r)]->setText(QString::number(values[r]));
}

void OnlineGainDialog::write(int digit) {
  const int n = digits_[static_cast<std::size_t>(digit - 1)]->currentIndex();
  if (writeLearningDigit(ops_, pn345_, digit, n)) pn345_ = withLearningDigit(pn345_, digit, n);
}

void OnlineGainDialog::onCancel() {
  timer_.stop();
  ResourceDialog::onCancel();
}

}  // namespace zavo::tuning
