#include "tuning/ui/JogDialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cstdlib>

#include "platform/qt/PostedMessage.h"
#include "tuning/JogSession.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {

JogDialog::JogDialog(QObject* view, int ratedSpeed, int savedSpeed, std::function<void()> closed, QWidget* parent)
    : ResourceDialog(kJogDialog, "JOG Mode (dn-05)", parent), view_(view), savedSpeed_(savedSpeed),
      closed_(std::move(closed)) {
  speed_ = addControl(kJogSpeedEdit, new QSpinBox(this));
  // Up to the rated speed: a typed text above it is not taken and the previous one stays.
  speed_->setRange(0, ratedSpeed);
  if (auto* edit = speed_->findChild<QLineEdit*>()) edit->setMaxLength(kJogSpeedDigits);
  speed_->setValue(std::abs(savedSpeed));
  auto* cw = addButton(kJogCwButton, "CW");
  auto* ccw = addButton(kJogCcwButton, "CCW");
  auto* stop = addButton(kJogStopButton, "Stop");
  auto* close = addButton(kIdCancel, "Close");
  cw->setAutoDefault(true);
  ccw->setAutoDefault(true);
  connect(cw, &QPushButton::clicked, this, [this] { post(kJogCw, std::abs(speed())); });
  connect(ccw, &QPushButton::clicked, this, [this] { post(kJogCcw, -std::abs(speed())); });
  connect(stop, &QPushButton::clicked, this, [this] { post(kJogStop, 0); });

  auto* grid = new QGridLayout(this);
  grid->addWidget(staticText("Operate speed set"), 0, 0);
  grid->addWidget(speed_, 0, 1);
  grid->addWidget(staticText("rpm"), 0, 2);
  grid->addWidget(cw, 1, 0);
  grid->addWidget(ccw, 1, 1);
  grid->addWidget(stop, 1, 2);
  grid->addWidget(close, 2, 2);
}

JogDialog::~JogDialog() {
  if (closed_) closed_();
}

int JogDialog::speed() const { return speed_->value(); }

void JogDialog::setSpeed(int rpm) { speed_->setValue(std::abs(rpm)); }

void JogDialog::post(int request, long value) { postMessage(view_, kMsgJog, static_cast<quintptr>(request), value); }

void JogDialog::postExit() {
  if (exitPosted_) return;
  exitPosted_ = true;
  post(kJogExit, savedSpeed_);
}

void JogDialog::onCancel() {
  postExit();
  if (closed_) {
    closed_();
    closed_ = nullptr;
  }
  hide();
  deleteLater();
}

void JogDialog::closeEvent(QCloseEvent* e) {
  // The title bar's close: the exit request now, then the same way as Close (which finds it
  // already posted).
  postExit();
  e->accept();
  onCancel();
}

void JogDialog::keyPressEvent(QKeyEvent* e) {
  // Enter in the speed edit only takes the value; on a button it presses that button.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && speed_->hasFocus()) {
    speed_->interpretText();
    return;
  }
  ResourceDialog::keyPressEvent(e);
}

}  // namespace zavo::tuning
