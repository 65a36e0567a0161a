#include "params/ui/ParameterSetDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/ui/DigitEditorDialog.h"
#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "params/listing/DisplayDescription.h"
#include "params/catalogue/DriveContext.h"
#include "editors/ParameterSetTexts.h"
#include "params/document/ZavoServoDoc.h"
#include "params/ui/CompareDialog.h"
#include "params/ui/ParameterList.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr int kInitialWidth = 860;
constexpr int kInitialHeight = 620;

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ParameterSetDialog::ParameterSetDialog(CZavoServoDoc& doc, DriveOperations& ops, DisplaySelection& selection,
                                       QWidget* parent)
    : ResourceDialog(kIddParameterSet, settext::kParameterSetCaption, parent), model_(doc), ops_(ops),
      selection_(selection), list_(addControl(kIdcParameterList, new ParameterList(this))),
      description_(addControl(kIdcDisplayDescription, new QLabel(this))),
      all_(addControl(kIdcSetAll, new QCheckBox(this), "All")),
      counts_(addControl(kIdcSetStatusCount, new QLabel(this))),
      outcome_(addControl(kIdcSetStatusOutcome, new QLabel(this))) {
  setModal(false);
  // A tool window of the main window: it stays above it (after a message box, a preview, a
  // click into the maximised main window) and goes and comes with it.
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  caption_ = windowTitle();
  description_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  description_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

  auto* selectionRow = new QHBoxLayout;
  selectionRow->addWidget(staticText("Display Set"));
  selectionRow->addWidget(description_, 1);
  QPushButton* change = addButton(kIdcDisplayChange, "Change");
  change->setEnabled(false);
  selectionRow->addWidget(change);

  auto* commandRow = new QHBoxLayout;
  commandRow->addWidget(all_);
  const struct {
    int id;
    const char* english;
    void (ParameterSetDialog::*handler)();
  } commands[] = {{kIdcSetEdit, "Edit", &ParameterSetDialog::editCommand},
                  {kIdcSetWrite, "Write", &ParameterSetDialog::writeCommand},
                  {kIdcSetRead, "Read", &ParameterSetDialog::readCommand},
                  {kIdcSetDefault, "Default", &ParameterSetDialog::defaultCommand},
                  {kIdcSetCompare, "Compare", &ParameterSetDialog::compareCommand}};
  for (const auto& c : commands) {
    QPushButton* b = addButton(c.id, c.english);
    connect(b, &QPushButton::clicked, this, c.handler);
    commandRow->addWidget(b);
  }
  commandRow->addStretch(1);
  commandRow->addWidget(addButton(kIdOk, "OK"));
  commandRow->addWidget(addButton(kIdCancel, "Close"));

  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(counts_, 1);
  statusRow->addWidget(outcome_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(selectionRow);
  layout->addLayout(commandRow);
  layout->addLayout(statusRow);
  resize(kInitialWidth, kInitialHeight);

  connect(change, &QPushButton::clicked, this, &ParameterSetDialog::changeCommand);
  connect(all_, &QCheckBox::toggled, this, &ParameterSetDialog::allToggled);
  connect(list_, &ParameterList::rowChecked, this, [this](int row, bool checked) {
    model_.setChecked(row, checked);
    showCounts();
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editCommand(); });
  connect(&timer_, &QTimer::timeout, this, &ParameterSetDialog::timerTick);
  // While a transfer runs over the rows, nothing else may take the document or this window
  // away under it (New, Open, another command): only the progress window's Cancel is live.
  progress_.window()->setWindowModality(Qt::ApplicationModal);
  refill();
  timer_.start(kParameterSetTimerMs);
}

ParameterSetDialog::~ParameterSetDialog() { timer_.stop(); }

void ParameterSetDialog::setSelectionEditor(SelectionEditor editor) {
  selectionEditor_ = std::move(editor);
  control<QPushButton>(kIdcDisplayChange)->setEnabled(static_cast<bool>(selectionEditor_));
}

void ParameterSetDialog::refill() {
  if (busy_) {
    refillAfterCommand_ = true;
    return;
  }
  refillAfterCommand_ = false;
  model_.fill(selection_);
  list_->showRows(model_);
  description_->setText(qs(displayDescription(selection_)));
  updateTitle();
  {
    const QSignalBlocker quiet(all_);
    all_->setChecked(false);
  }
  showCounts();
}

void ParameterSetDialog::updateTitle() {
  const std::string& path = model_.document().pathName();
  const QString title = path.empty() ? caption_ : caption_ + QStringLiteral(" - ") + QFileInfo(qs(path)).fileName();
  if (windowTitle() != title) setWindowTitle(title);
}

void ParameterSetDialog::onOk() {
  if (!busy_) ResourceDialog::onOk();
}

void ParameterSetDialog::onCancel() {
  if (!busy_) ResourceDialog::onCancel();
}

void ParameterSetDialog::closeEvent(QCloseEvent* e) {
  // A transfer loop is still running under this window: it must finish or be cancelled first.
  if (busy_) {
    e->ignore();
    return;
  }
  ResourceDialog::closeEvent(e);
}

void ParameterSetDialog::redraw(const std::vector<int>& rows) {
  list_->updateRows(model_, rows);
  showCounts();
}

void ParameterSetDialog::showCounts() {
  counts_->setText(tr("%1 parameters listed, %2 checked").arg(model_.size()).arg(model_.checkedRows().size()));
}

void ParameterSetDialog::showOutcome(ParameterSetCommands::Outcome outcome, const QString& what, const QString& done) {
  using Outcome = ParameterSetCommands::Outcome;
  switch (outcome) {
    case Outcome::Done: outcome_->setText(tr("%1: %2").arg(what, done)); break;
    case Outcome::Cancelled: outcome_->setText(tr("%1: cancelled").arg(what)); break;
    case Outcome::Failed: outcome_->setText(tr("%1: failed").arg(what)); break;
    case Outcome::Refused: break;
  }
}

void ParameterSetDialog::runCommand(
    const std::function<ParameterSetCommands::Outcome(ParameterSetCommands&, std::vector<int>&)>& command,
    const QString& what) {
  if (busy_) return;
  busy_ = true;
  ParameterSetCommands commands(model_, ops_, progress_, caption_.toStdString());
  std::vector<int> changed;
  const auto outcome = command(commands, changed);
  busy_ = false;
  redraw(changed);
  showOutcome(outcome, what, tr("%1 parameters").arg(changed.size()));
  if (refillAfterCommand_) refill();
}

void ParameterSetDialog::editCommand() {
  if (busy_) return;
  const int r = list_->selectedRow();
  if (r < 0) {
    prompt().ask({settext::noParameterSelected(), caption_.toStdString(), PromptIcon::Exclamation,
                  PromptButtons::Ok});
    return;
  }
  const RowCells cells = model_.cells(r);
  ValueEditorRequest request;
  request.subject = {cells.code, model_.minimum(r), model_.maximum(r), driveContext().driveType};
  request.title = cells.title;
  request.unit = cells.unit;
  request.value = model_.value(r);
  const auto v = editParameterValue(request, this);
  if (!v || *v == model_.value(r)) return;
  redraw(model_.store(r, *v));
}

void ParameterSetDialog::writeCommand() {
  runCommand([](ParameterSetCommands& c, std::vector<int>& changed) { return c.write(changed); },
             qs(settext::writeTitle()));
}

void ParameterSetDialog::readCommand() {
  runCommand([](ParameterSetCommands& c, std::vector<int>& changed) { return c.readChecked(changed); },
             qs(settext::readTitle()));
}

void ParameterSetDialog::readListed() {
  runCommand([](ParameterSetCommands& c, std::vector<int>& changed) { return c.readListed(changed); },
             qs(settext::readTitle()));
}

void ParameterSetDialog::defaultCommand() {
  runCommand([](ParameterSetCommands& c, std::vector<int>& changed) { return c.restoreDefaults(changed); },
             qs(settext::setAsDefaultTitle()));
}

void ParameterSetDialog::compareCommand() {
  if (busy_) return;
  busy_ = true;
  ParameterSetCommands commands(model_, ops_, progress_, caption_.toStdString());
  std::vector<ValueDifference> differences;
  const auto outcome = commands.compare(differences);
  busy_ = false;
  // The texts are taken while the rows are still those that were compared.
  std::vector<CompareRow> rows;
  rows.reserve(differences.size());
  for (const auto& d : differences) {
    const std::string& code = model_.row(d.row).entry.code;
    rows.push_back({code, catalogue::titleOf(code), catalogue::valueText(code, d.edited, true),
                    catalogue::valueText(code, d.read, true)});
  }
  if (refillAfterCommand_) refill();
  showOutcome(outcome, qs(settext::compareTitle()), tr("%1 differ").arg(differences.size()));
  if (outcome != ParameterSetCommands::Outcome::Done || rows.empty()) return;
  CompareDialog dialog(rows, this);
  dialog.exec();
}

void ParameterSetDialog::changeCommand() {
  if (busy_ || !selectionEditor_) return;
  DisplaySelection copy = selection_;
  if (!selectionEditor_(copy, this)) return;
  selection_ = copy;
  refill();
}

void ParameterSetDialog::allToggled(bool checked) {
  model_.setAllChecked(checked);
  list_->updateChecks(model_);
  showCounts();
}

void ParameterSetDialog::timerTick() {
  const LinkFlags& flags = ops_.flags();
  if (busy_ || flags.linkBusy || flags.modalOperation) return;
  // The program may change the drive type under an open editor (the launcher's choice, a
  // file of another type): the rows of the old type must not stay.
  if (model_.driveType() != driveContext().driveType) refill();
  updateTitle();
  const bool linked = linkState().isConnected();
  if (linked) redraw(model_.refreshLimits());
  if (offer_.tick(linked, false, model_.document().isModified(), save_)) readListed();
}

}  // namespace zavo
