#include "platform/qt/QtProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zavo {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent), label_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  label_->setMinimumWidth(320);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::reject);
}

void ProgressWindow::reject() {
  cancelled_ = true;
  cancel_->setEnabled(false);
}

QtProgress::QtProgress(QWidget* parent) : window_(new ProgressWindow(parent)) {}

QtProgress::~QtProgress() { delete window_; }

void QtProgress::open(const std::string& title, int lower, int upper) {
  window_->resetCancel();
  window_->cancelButton()->setEnabled(true);
  window_->setWindowTitle(QString::fromStdString(title));
  window_->bar()->setRange(lower, upper);
  window_->bar()->setValue(lower);
  window_->show();
  window_->raise();
}

void QtProgress::setText(const std::string& text) { window_->label()->setText(QString::fromStdString(text)); }

void QtProgress::step() {
  QProgressBar* bar = window_->bar();
  if (bar->value() < bar->maximum()) bar->setValue(bar->value() + 1);
}

bool QtProgress::pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return window_->cancelled();
}

void QtProgress::close() { window_->hide(); }

}  // namespace zavo
