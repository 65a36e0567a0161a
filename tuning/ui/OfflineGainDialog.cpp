#include "tuning/ui/OfflineGainDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/PostedMessage.h"
#include "platform/qt/UiText.h"
#include "resources/StringIds.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {
namespace {

struct Item {
  const char* title;
  const char* unit;
  int current, set, button;
  int initial;
  int digits;
};
constexpr Item kItems[3] = {
    {"Max. Speed", "rpm", kSpeedCurrent, kSpeedSet, kSpeedWrite, 1000, 4},
    {"Acceleration", "rpm/s", kAccelCurrent, kAccelSet, kAccelWrite, 7400, 5},
    {"Constant Speed or Zero Speed Time", "*0.1ms", kTimeCurrent, kTimeSet, kTimeWrite, 2000, 5},
};
constexpr const char* kWarning = "  [ Attention!If the status is Servo ON and press 'OK', motor will RUN immediatly.";

}  // namespace

OfflineGainDialog::OfflineGainDialog(DriveOperations& ops, QObject* view, int driveType, int ratedSpeed,
                                     const Profile& current, QWidget* parent)
    : ResourceDialog(kOfflineGainDialog, "Off-line Auto gain adjust", parent), ops_(ops), view_(view),
      driveType_(driveType), ratedSpeed_(ratedSpeed), blinkTimer_(kBlinkTimer, this), inertiaTimer_(kInertiaTimer, this) {
  auto* grid = new QGridLayout(this);
  const int values[3] = {current.speed, current.acceleration, current.time};
  for (int i = 0; i < 3; ++i) {
    const Item& it = kItems[i];
    auto* box = groupBox(it.title);
    auto* g = new QGridLayout(box);
    current_[i] = addControl(it.current, new QLineEdit(QString::number(values[i]), box));
    current_[i]->setReadOnly(true);
    set_[i] = addControl(it.set, new QLineEdit(QString::number(it.initial), box));
    set_[i]->setMaxLength(it.digits);
    set_[i]->setValidator(new QIntValidator(0, 99999, set_[i]));
    auto* w = addButton(it.button, "Write");
    connect(w, &QPushButton::clicked, this, [this, i] { write(i + kItemSpeed); });
    g->addWidget(staticText("Current"), 0, 0);
    g->addWidget(current_[i], 0, 1);
    g->addWidget(staticText("Set"), 1, 0);
    g->addWidget(set_[i], 1, 1);
    g->addWidget(new QLabel(QString::fromUtf8(it.unit), box), 1, 2);
    g->addWidget(w, 1, 3);
    grid->addWidget(box, i, 0, 1, 2);
  }
  auto* hint = addControl(kSpeedHint, new QLabel(this));
  hint->setText(uiText(ids::kJogSpeedHint, "(Default: 1000 rpm, Range 0~%d)").replace(QStringLiteral("%d"), QString::number(ratedSpeed)));
  grid->addWidget(hint, 3, 0, 1, 2);
  warning_ = addControl(kRunWarning, new QLabel(text(kRunWarning, kWarning), this));
  warning_->setStyleSheet(QStringLiteral("color: red"));
  grid->addWidget(warning_, 4, 0, 1, 2);
  grid->addWidget(staticText("Total inertia (0.01 kg·cm²)"), 5, 0);
  inertia_ = addControl(kInertiaShown, new QLabel(this));
  grid->addWidget(inertia_, 5, 1);
  grid->addWidget(addButton(kIdOk, "OK"), 6, 0);
  grid->addWidget(addButton(kIdCancel, "Cancel"), 6, 1);
  connect(&blinkTimer_, &QTimer::timeout, this, &OfflineGainDialog::blink);
  connect(&inertiaTimer_, &QTimer::timeout, this, &OfflineGainDialog::showInertia);
  blinkTimer_.start(kBlinkMs);
  inertiaTimer_.start(kBlinkMs);
}

void OfflineGainDialog::setCurrent(int item, int value) {
  if (item >= kItemSpeed && item <= kItemTime) current_[static_cast<std::size_t>(item - kItemSpeed)]->setText(QString::number(value));
}

QString OfflineGainDialog::inertiaText() const { return inertia_->text(); }

void OfflineGainDialog::write(int item) {
  bool ok = false;
  const long v = set_[static_cast<std::size_t>(item - kItemSpeed)]->text().toLong(&ok);
  if (!checkRange(ok ? v : -1, profileRange(item, ratedSpeed_))) return;
  postMessage(view_, kMsgOfflineGainWrite, static_cast<quintptr>(item), v);
}

void OfflineGainDialog::blink() { warning_->setVisible(!warning_->isVisible()); }

void OfflineGainDialog::showInertia() {
  int inertia = 0;
  if (readTotalInertia(ops_, inertia)) inertia_->setText(QString::number(inertia));
}

void OfflineGainDialog::onOk() {
  // The drive runs the adjustment on its own once started; the window stays to show what
  // it finds.
  if (!startOffline(ops_, driveType_)) return;
  showInertia();
  blinkTimer_.stop();
  warning_->setVisible(true);
}

void OfflineGainDialog::onCancel() {
  blinkTimer_.stop();
  inertiaTimer_.stop();
  ResourceDialog::onCancel();
}

}  // namespace zavo::tuning
