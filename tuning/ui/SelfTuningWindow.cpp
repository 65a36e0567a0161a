#include "tuning/ui/SelfTuningWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tuning/SelfTuning.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {
namespace {
constexpr const char* kWaiting = "waiting!";
constexpr const char* kDone = "OK!";
constexpr int kFirstPartTimer = 1, kLastPartTimer = 7;
constexpr int kBlockWidth = 320;  // pixels: eleven values in a row

QString joined(const std::vector<int>& v) {
  QStringList parts;
  for (const int x : v) parts << QString::number(x);
  return parts.join(QLatin1Char(' '));
}
}  // namespace

SelfTuningWindow::SelfTuningWindow(int resourceId, const char* title, DriveOperations& ops,
                                   std::span<const SelfTuningTest> tests, std::span<const TuningField* const> fields,
                                   bool withProposals, bool partsPoll, QWidget* parent)
    : ResourceDialog(resourceId, title, parent), ops_(ops), tests_(tests), partsPoll_(partsPoll),
      grid_(new QGridLayout(this)) {
  grid_->addWidget(staticText("Current"), 0, 1);
  if (withProposals) grid_->addWidget(staticText("Self-tuned"), 0, 2);
  int row = 1;
  for (const TuningField* f : fields) {
    const int id = kFieldFirst + row - 1;
    auto* value = addControl(id, new QLineEdit(this));
    value->setReadOnly(true);
    if (f->count > 1) value->setMinimumWidth(kBlockWidth);
    QLineEdit* proposal = nullptr;
    if (withProposals && f->hasProposal()) {
      proposal = addControl(id + kProposalOffset, new QLineEdit(this));
      proposal->setReadOnly(true);
      grid_->addWidget(proposal, row, 2);
    }
    grid_->addWidget(new QLabel(QString::fromUtf8(f->label.data(), static_cast<int>(f->label.size())), this), row, 0);
    // A block of values (NFC, DtTab) takes the room of both columns.
    grid_->addWidget(value, row, 1, 1, f->count > 1 ? 2 : 1);
    shown_.push_back({f, value, proposal});
    ++row;
  }
  const int col = 3;
  int buttonRow = 1;
  for (const SelfTuningTest& t : tests_) {
    auto* b = addButton(t.button, t.caption.data());
    connect(b, &QPushButton::clicked, this, [this, id = t.button] { pressed(id); });
    grid_->addWidget(b, buttonRow++, col);
    auto* w = new WindowTimer(t.timer, this);
    timers_[t.timer] = w;
    connect(w, &QTimer::timeout, this, [this, id = t.timer] { tick(id); });
  }
  auto* stop = addButton(kButtonStop, "Stop");
  connect(stop, &QPushButton::clicked, this, [this] { stopTuning(ops_); });
  grid_->addWidget(stop, buttonRow++, col);
  status_ = addControl(kStatusLine, new QLabel(this));
  grid_->addWidget(status_, buttonRow++, col);
  grid_->addWidget(addButton(kIdCancel, "Close"), buttonRow, col);
}

WindowTimer* SelfTuningWindow::timer(int id) {
  const auto it = timers_.find(id);
  return it == timers_.end() ? nullptr : it->second;
}

bool SelfTuningWindow::timerActive(int id) const {
  const auto it = timers_.find(id);
  return it != timers_.end() && it->second->isActive();
}

void SelfTuningWindow::disableButton(int id) {
  if (auto* b = control<QPushButton>(id)) b->setEnabled(false);
}

QString SelfTuningWindow::status() const { return status_->text(); }

QString SelfTuningWindow::fieldText(std::string_view label) const {
  for (const Shown& s : shown_)
    if (s.field->label == label) return s.value->text();
  return {};
}

QString SelfTuningWindow::proposalText(std::string_view label) const {
  for (const Shown& s : shown_)
    if (s.field->label == label && s.proposal) return s.proposal->text();
  return {};
}

void SelfTuningWindow::readFields(std::span<const TuningField* const> fields) {
  // A read that fails leaves the field as it was.
  for (const TuningField* f : fields)
    for (const Shown& s : shown_) {
      if (s.field != f) continue;
      std::vector<int> v;
      if (readField(ops_, *f, v)) s.value->setText(joined(v));
      int p = 0;
      if (s.proposal && readProposal(ops_, *f, p)) s.proposal->setText(QString::number(p));
    }
}

void SelfTuningWindow::pressed(int button) {
  const SelfTuningTest* t = testOfButton(tests_, button);
  if (!t || !startTest(*t)) return;
  status_->setText(text(kStatusLine, kWaiting));
  timer(t->timer)->start(kPollMs);
}

void SelfTuningWindow::tick(int timerId) {
  const SelfTuningTest* t = nullptr;
  for (const SelfTuningTest& x : tests_)
    if (x.timer == timerId) t = &x;
  if (!t) return;
  if (timerId == kFullSetTimer && partsPoll_) {
    // The full motor identification: its parts poll, each for its own block of results.
    timer(kFullSetTimer)->stop();
    for (int id = kFirstPartTimer; id <= kLastPartTimer; ++id) timer(id)->start(kPollMs);
    return;
  }
  if (!tuning::finished(ops_)) return;
  timer(timerId)->stop();
  finishTest(*t);
}

void SelfTuningWindow::finishTest(const SelfTuningTest& test) {
  readFields(test.shows);
  decideProposals(test);
  status_->setText(text(kStatusLine, kDone));
  stopTuning(ops_);
}

void SelfTuningWindow::onCancel() {
  for (auto& [id, t] : timers_) t->stop();
  ResourceDialog::onCancel();
}

}  // namespace zavo::tuning
