#include "tuning/ui/LoopGainDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "platform/qt/PostedMessage.h"
#include "tuning/TuningRegisters.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {
namespace {

constexpr const char* kSetNames[kLoopGainItems] = {"Acceleration time (tn08, ms)", "Test revolutions (tn09)",
                                                   "Speed loop bandwidth (tn10, Hz)", "Resonance sensitivity (tn11)",
                                                   "Inertia estimation acceleration (tn12, rps/s)"};
constexpr const char* kResultNames[kResultCount] = {"Inertia ratio", "Current loop gain (C9C)", "Current loop Ki",
                                                    "Speed loop gain (530)", "Speed integral time (531)",
                                                    "Position loop gain (55A)"};
constexpr const char* kKeepNames[kResultCount] = {"Inertia ratio (Cn025)", "C9C", "C9D", "530", "531", "55A"};

}  // namespace

LoopGainSetDialog::LoopGainSetDialog(QObject* view, const std::array<int, kLoopGainItems>& current, QWidget* parent)
    : ResourceDialog(kLoopGainSetDialog, "Off-line Auto gain adjust with loop gains", parent), view_(view) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(staticText("Current"), 0, 1);
  grid->addWidget(staticText("Set"), 0, 2);
  for (int i = 0; i < kLoopGainItems; ++i) {
    const auto k = static_cast<std::size_t>(i);
    current_[k] = addControl(kLoopCurrentFirst + i, new QLineEdit(QString::number(current[k]), this));
    current_[k]->setReadOnly(true);
    set_[k] = addControl(kLoopSetFirst + i, new QLineEdit(QString::number(current[k]), this));
    auto* w = addButton(kLoopWriteFirst + i, "Write");
    connect(w, &QPushButton::clicked, this, [this, i] { write(i); });
    grid->addWidget(staticText(kSetNames[i]), i + 1, 0);
    grid->addWidget(current_[k], i + 1, 1);
    grid->addWidget(set_[k], i + 1, 2);
    grid->addWidget(w, i + 1, 3);
  }
  grid->addWidget(addButton(kIdOk, "Start"), kLoopGainItems + 1, 2);
  grid->addWidget(addButton(kIdCancel, "Cancel"), kLoopGainItems + 1, 3);
}

void LoopGainSetDialog::setCurrent(int item, int value) {
  const int i = item - kItemFirstLoopGain;
  if (i >= 0 && i < kLoopGainItems) current_[static_cast<std::size_t>(i)]->setText(QString::number(value));
}

void LoopGainSetDialog::write(int index) {
  bool ok = false;
  const long v = set_[static_cast<std::size_t>(index)]->text().toLong(&ok);
  if (!checkRange(ok ? v : -1, loopGainRange(index))) return;
  postMessage(view_, kMsgOfflineGainWrite, static_cast<quintptr>(kItemFirstLoopGain + index), v);
}

LoopGainStartDialog::LoopGainStartDialog(QObject* view, std::function<void()> quit, QWidget* parent)
    : ResourceDialog(kLoopGainStartDialog, "Auto gain adjust with loop gains running", parent), view_(view),
      quit_(std::move(quit)), timer_(kStartTimer, this) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kResultCount; ++i) {
    values_[static_cast<std::size_t>(i)] = addControl(kStartValueFirst + i, new QLabel(QStringLiteral("0"), this));
    grid->addWidget(staticText(kResultNames[i]), i, 0);
    grid->addWidget(values_[static_cast<std::size_t>(i)], i, 1);
  }
  progress_ = addControl(kStartProgress, new QProgressBar(this));
  progress_->setRange(0, kProgressDone);
  grid->addWidget(progress_, kResultCount, 0, 1, 2);
  auto* next = addButton(kStartNext, "Next");
  auto* quitButton = addButton(kIdCancel, "Quit");
  next->setEnabled(false);
  quitButton->setEnabled(false);
  connect(next, &QPushButton::clicked, this, [this] {
    timer_.stop();
    accept();
  });
  grid->addWidget(next, kResultCount + 1, 0);
  grid->addWidget(quitButton, kResultCount + 1, 1);
  connect(&timer_, &QTimer::timeout, this, [this] {
    postMessage(view_, kMsgTuningMonitor, kMonitorProgress, 0);
    postMessage(view_, kMsgTuningMonitor, kMonitorResults, 0);
  });
  timer_.start(kStartMs);
}

void LoopGainStartDialog::showResults(const LoopGainResults& r) {
  const ShownResults s = shownResults(r);
  const QString texts[kResultCount] = {QString::number(s.ratio, 'f', 1), QString::number(s.currentGain, 'f', 4),
                                       QString::number(s.currentKi),     QString::number(s.speedGain),
                                       QString::number(s.speedIntegral), QString::number(s.positionGain)};
  for (int i = 0; i < kResultCount; ++i) values_[static_cast<std::size_t>(i)]->setText(texts[i]);
  control<QPushButton>(kStartNext)->setEnabled(true);
  control<QPushButton>(kIdCancel)->setEnabled(true);
}

void LoopGainStartDialog::showProgress(int percent) { progress_->setValue(percent); }

QString LoopGainStartDialog::valueText(int index) const { return values_[static_cast<std::size_t>(index)]->text(); }

void LoopGainStartDialog::onCancel() {
  timer_.stop();
  if (quit_) quit_();
  ResourceDialog::onCancel();
}

LoopGainEndDialog::LoopGainEndDialog(QWidget* parent)
    : ResourceDialog(kLoopGainEndDialog, "Keep the adjusted values", parent) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(staticText("Write these results to the drive:"), 0, 0, 1, 2);
  for (int i = 0; i < kResultCount; ++i) {
    keep_[static_cast<std::size_t>(i)] = addControl(kKeepFirst + i, new QCheckBox(this), kKeepNames[i]);
    keep_[static_cast<std::size_t>(i)]->setChecked(true);
    grid->addWidget(keep_[static_cast<std::size_t>(i)], i + 1, 0, 1, 2);
  }
  grid->addWidget(addButton(kIdOk, "Yes"), kResultCount + 1, 0);
  grid->addWidget(addButton(kIdCancel, "No"), kResultCount + 1, 1);
}

std::array<bool, kResultCount> LoopGainEndDialog::chosen() const {
  std::array<bool, kResultCount> c{};
  for (int i = 0; i < kResultCount; ++i) c[static_cast<std::size_t>(i)] = keep_[static_cast<std::size_t>(i)]->isChecked();
  return c;
}

}  // namespace zavo::tuning
