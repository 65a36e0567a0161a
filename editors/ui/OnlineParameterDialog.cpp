#include "editors/ui/OnlineParameterDialog.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "editors/FieldTexts.h"
#include "editors/ui/OnlineSetDialog.h"
#include "link/LinkState.h"
#include "params/document/OnpFile.h"
#include "platform/Prompt.h"
#include "platform/qt/UiText.h"
#include "resources/StringIds.h"

namespace zavo {
namespace {

constexpr int kStepColumns = 9;
constexpr int kWideSteps = 4;
constexpr int kSlotColumns = 2;
constexpr int kButtonSize = 22;
constexpr double kDisplayScale = 1.4;
constexpr int kDisplayPadding = 6;
constexpr int kTitleLines = 3;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The file dialogs want "text (pattern)"; the table keeps "text|pattern||".
QString filterOf(unsigned id, const char* english) {
  QStringList parts = uiText(static_cast<int>(id), english).split(QLatin1Char('|'), Qt::SkipEmptyParts);
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) filters << parts[i];
  return filters.join(QStringLiteral(";;"));
}

QLabel* valueDisplay(QWidget* parent) {
  auto* l = new QLabel(parent);
  QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  digits.setPointSizeF(digits.pointSizeF() * kDisplayScale);
  digits.setBold(true);
  l->setFont(digits);
  l->setMinimumHeight(QFontMetrics(digits).height() + kDisplayPadding);
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return l;
}

}  // namespace

OnlineParameterDialog::OnlineParameterDialog(DriveOperations& ops, const CZavoServoDoc& doc, QWidget* parent)
    : ResourceDialog(kIddOnlineParameter, fieldtext::kOnlineCaption, parent), editor_(ops, doc), doc_(doc) {
  auto* grid = new QGridLayout;
  for (int s = 0; s < kOnlineSlotCount; ++s) grid->addWidget(makeSlot(s), s / kSlotColumns, s % kSlotColumns);

  auto* buttons = new QHBoxLayout;
  QPushButton* set = addButton(kIdcOnlineSet, "Set");
  QPushButton* save = addButton(kIdcOnlineSave, "Save...");
  QPushButton* load = addButton(kIdcOnlineLoad, "Load...");
  connect(set, &QPushButton::clicked, this, &OnlineParameterDialog::setCommand);
  connect(save, &QPushButton::clicked, this, &OnlineParameterDialog::saveCommand);
  connect(load, &QPushButton::clicked, this, &OnlineParameterDialog::loadCommand);
  buttons->addWidget(set);
  buttons->addWidget(save);
  buttons->addWidget(load);
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdCancel, "Close"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  rebuild(onlineSlotSet());
}

QWidget* OnlineParameterDialog::makeSlot(int s) {
  SlotControls& c = slots_[static_cast<std::size_t>(s)];
  auto* box = new QGroupBox(this);
  c.code = addControl(slotControl(s, kIdcSlotCode), new QLabel(box));
  QFont strong = c.code->font();
  strong.setBold(true);
  c.code->setFont(strong);
  c.title = addControl(slotControl(s, kIdcSlotTitle), new QLabel(box));
  c.title->setWordWrap(true);
  // Room for the longest titles: a wrapped label does not ask the grid for the lines it needs.
  c.title->setMinimumHeight(c.title->fontMetrics().lineSpacing() * kTitleLines);
  c.title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  c.unit = addControl(slotControl(s, kIdcSlotUnit), new QLabel(box));
  c.range = addControl(slotControl(s, kIdcSlotRange), new QLabel(box));
  c.value = addControl(slotControl(s, kIdcSlotValue), valueDisplay(box));
  c.wide = addControl(slotControl(s, kIdcSlotValueWide), valueDisplay(box));
  c.hex = addControl(slotControl(s, kIdcSlotValueHex), valueDisplay(box));

  auto* steps = new QGridLayout;
  steps->setSpacing(1);
  for (int k = 0; k < kStepColumns; ++k) {
    const bool wideStep = k < kWideSteps;
    const int upId = wideStep ? kIdcSlotWideUp[static_cast<std::size_t>(k)] : kIdcSlotUp[static_cast<std::size_t>(k - kWideSteps)];
    const int downId =
        wideStep ? kIdcSlotWideDown[static_cast<std::size_t>(k)] : kIdcSlotDown[static_cast<std::size_t>(k - kWideSteps)];
    for (const bool up : {true, false}) {
      auto* b = addControl(slotControl(s, up ? upId : downId), new QPushButton(up ? QStringLiteral("▲") : QStringLiteral("▼"), box));
      b->setFixedSize(kButtonSize, kButtonSize);
      b->setAutoDefault(false);
      steps->addWidget(b, up ? 0 : 2, k);
      (up ? c.up : c.down)[static_cast<std::size_t>(k)] = b;
    }
  }
  // The three displays stand on one another; the slot's kind brings one to the front.
  auto* displays = new QWidget(box);
  displays->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  c.displays = new QStackedLayout(displays);
  for (QLabel* display : {c.value, c.hex, c.wide}) c.displays->addWidget(display);
  steps->addWidget(displays, 1, 0, 1, kStepColumns);

  auto* head = new QHBoxLayout;
  head->addWidget(c.code, 0, Qt::AlignTop);
  head->addWidget(c.title, 1);
  auto* foot = new QGridLayout;
  foot->addWidget(staticText("Unit"), 0, 0);
  foot->addWidget(c.unit, 0, 1);
  foot->addWidget(staticText("Range"), 1, 0);
  foot->addWidget(c.range, 1, 1);
  foot->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(head);
  layout->addLayout(steps);
  layout->addLayout(foot);
  return box;
}

QPushButton* OnlineParameterDialog::stepButton(int s, int index, bool up) const {
  const OnlineSlot& slot = editor_.slot(s);
  const int count = static_cast<int>(slot.stepping.steps.size());
  if (slot.empty() || index < 0 || index >= count) return nullptr;
  // The buttons stand right-aligned: a slot with five steps uses the last five columns.
  const auto& row = up ? slots_[static_cast<std::size_t>(s)].up : slots_[static_cast<std::size_t>(s)].down;
  return row[static_cast<std::size_t>(kStepColumns - count + index)];
}

void OnlineParameterDialog::rebuild(const OnlineSlotCodes& codes) {
  editor_.load(codes);
  for (int s = 0; s < kOnlineSlotCount; ++s) {
    SlotControls& c = slots_[static_cast<std::size_t>(s)];
    for (int k = 0; k < kStepColumns; ++k) {
      for (QPushButton* b : {c.up[static_cast<std::size_t>(k)], c.down[static_cast<std::size_t>(k)]}) {
        b->disconnect(this);
        b->setVisible(false);
      }
    }
    const OnlineSlot& slot = editor_.slot(s);
    for (int index = 0; index < static_cast<int>(slot.stepping.steps.size()) && !slot.empty(); ++index) {
      for (const bool up : {true, false}) {
        QPushButton* b = stepButton(s, index, up);
        b->setVisible(true);
        b->setToolTip(QString::number(slot.stepping.steps[static_cast<std::size_t>(index)].size,
                                      slot.stepping.steps[static_cast<std::size_t>(index)].digit ? 16 : 10));
        connect(b, &QPushButton::clicked, this, [this, s, index, up] { step(s, index, up); });
      }
    }
    paint(s);
  }
}

void OnlineParameterDialog::paint(int s) {
  SlotControls& c = slots_[static_cast<std::size_t>(s)];
  const OnlineSlot& slot = editor_.slot(s);
  c.code->setText(qs(slot.code));
  c.title->setText(qs(slot.title()));
  c.unit->setText(qs(slot.unit()));
  c.range->setText(qs(slot.range()));
  QLabel* shown = slot.stepping.wide ? c.wide : slot.stepping.hex ? c.hex : c.value;
  c.displays->setCurrentWidget(shown);
  shown->setText(qs(slot.valueText()));
}

bool OnlineParameterDialog::requireLink() {
  if (linkState().isConnected()) return true;
  prompt().ask({fieldtext::communicateError(), fieldtext::communicationTitle(), PromptIcon::Stop, PromptButtons::Ok});
  reject();
  return false;
}

void OnlineParameterDialog::step(int s, int index, bool up) {
  const OnlineSlot& slot = editor_.slot(s);
  if (index >= static_cast<int>(slot.stepping.steps.size())) return;
  std::vector<int> changed;
  const auto outcome = editor_.step(s, slot.stepping.steps[static_cast<std::size_t>(index)], up, changed);
  for (int c : changed) paint(c);
  if (outcome == OnlineEditor::Outcome::NoLink) reject();
}

void OnlineParameterDialog::setCommand() {
  if (!requireLink()) return;
  OnlineSlotCodes codes = editor_.codes();
  if (!OnlineSetDialog::edit(codes, doc_, this)) return;
  onlineSlotSet() = codes;
  rebuild(codes);
}

void OnlineParameterDialog::saveTo(const std::string& path) {
  // Another extension writes nothing, as the file commands always had it; a file that could
  // not be written is said.
  if (!isOnpPath(path)) return;
  const SaveResult saved = writeOnpFile(path, editor_.codes());
  if (!saved) prompt().ask({saved.error, windowTitle().toStdString(), PromptIcon::Stop, PromptButtons::Ok});
}

void OnlineParameterDialog::loadFrom(const std::string& path) {
  OnlineSlotCodes codes = editor_.codes();
  if (!readOnpFile(path, codes)) return;
  onlineSlotSet() = codes;
  rebuild(codes);
}

void OnlineParameterDialog::saveCommand() {
  QFileDialog dialog(this, QString(), QString(), filterOf(ids::kOnpSaveFilter, "online parameter files (*.onp)|*.onp||"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("onp"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  saveTo(dialog.selectedFiles().front().toStdString());
}

void OnlineParameterDialog::loadCommand() {
  const QString path = QFileDialog::getOpenFileName(
      this, QString(), QString(), filterOf(ids::kOnpOpenFilter, "online parameter files (*.onp)|*.onp|all files(*.*)|*.*||"));
  if (!path.isEmpty()) loadFrom(path.toStdString());
}

}  // namespace zavo
