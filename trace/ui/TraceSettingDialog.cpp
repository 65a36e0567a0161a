#include "trace/ui/TraceSettingDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "link/DriveOperations.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "trace/TerminalAssignments.h"
#include "trace/TraceColours.h"
#include "trace/TraceRules.h"

namespace zavo {
namespace {

using namespace trace;

constexpr const char* kModes[] = {"Single mode", "Cycle mode", "Monitor mode"};
constexpr const char* kTriggers[] = {"None", "Data1", "Data2", "Data3", "Data4"};
constexpr const char* kEdges[] = {"Rise", "Fall", "Rise/Fall"};
constexpr int kSwatch = 14;

QIcon swatch(int index) {
  const Rgb c = colourOf(index);
  QPixmap p(2 * kSwatch, kSwatch);
  p.fill(QColor(c.r, c.g, c.b));
  return QIcon(p);
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::size_t at(int c) { return static_cast<std::size_t>(c); }

}  // namespace

TraceSettingDialog::TraceSettingDialog(const TraceSettings& initial, const TraceSources& sources, int ratedSpeed,
                                       QWidget* parent)
    : ResourceDialog(kIddTraceSetting, "Trace Setting", parent),
      sources_(sources),
      ratedSpeed_(ratedSpeed),
      settings_(initial),
      mode_(addControl(kIdcTraceMode, new QComboBox(this))),
      interval_(addControl(kIdcTraceInterval, new QSpinBox(this))),
      intervalRange_(addControl(kIdcTraceIntervalRange, new QLabel(this))),
      intervalUnit_(addControl(kIdcTraceIntervalUnit, new QLabel(this))),
      sampleTime_(addControl(kIdcTraceSampleTime, new QLabel(this))),
      points_(addControl(kIdcTracePoints, new QLabel(this))),
      lineTime_(addControl(kIdcTraceLineTime, new QLabel(this))),
      trigger_(addControl(kIdcTraceTrigger, new QComboBox(this))),
      level_(addControl(kIdcTraceLevel, new QSpinBox(this))),
      levelUnit_(addControl(kIdcTraceLevelUnit, new QLabel(this))),
      edge_(addControl(kIdcTraceEdge, new QComboBox(this))),
      position_(addControl(kIdcTracePosition, new QSpinBox(this))) {
  for (const char* m : kModes) mode_->addItem(QString::fromLatin1(m));
  for (const char* t : kTriggers) trigger_->addItem(QString::fromLatin1(t));
  for (const char* e : kEdges) edge_->addItem(QString::fromLatin1(e));
  const ValueRange position = positionRange();
  position_->setRange(position.lo, position.hi);

  auto* modeRow = new QHBoxLayout;
  modeRow->addWidget(staticText("Mode:"));
  modeRow->addWidget(mode_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(modeRow);
  layout->addWidget(channelRows());
  layout->addWidget(intervalRows());
  layout->addWidget(triggerRows());
  layout->addLayout(buttons);

  load(initial);
  connect(mode_, &QComboBox::currentIndexChanged, this, &TraceSettingDialog::modeChanged);
  connect(interval_, &QSpinBox::valueChanged, this, &TraceSettingDialog::refreshTimes);
  connect(trigger_, &QComboBox::currentIndexChanged, this, &TraceSettingDialog::triggerChanged);
  for (QComboBox* s : source_) connect(s, &QComboBox::currentIndexChanged, this, &TraceSettingDialog::sourcesChanged);
}

QWidget* TraceSettingDialog::channelRows() {
  QGroupBox* group = groupBox("Channel");
  auto* grid = new QGridLayout(group);
  for (int c = 0; c < kChannelCount; ++c) {
    auto* source = addControl(kIdcTraceSourceFirst + c, new QComboBox(this));
    for (int s = 0; s < sources_.count(); ++s) source->addItem(qs(sources_.entryText(s)));
    auto* colour = addControl(kIdcTraceColourFirst + c, new QComboBox(this));
    for (int i = 0; i < kColourCount; ++i) colour->addItem(swatch(i), QString());
    auto* reverse = addControl(kIdcTraceReverseFirst + c, new QCheckBox(this), "Reverse");
    grid->addWidget(new QLabel(QStringLiteral("Data%1").arg(c + 1), this), c, 0);
    grid->addWidget(source, c, 1);
    grid->addWidget(colour, c, 2);
    grid->addWidget(reverse, c, 3);
    source_[at(c)] = source;
    colour_[at(c)] = colour;
    reverse_[at(c)] = reverse;
  }
  grid->setColumnStretch(1, 1);
  return group;
}

QWidget* TraceSettingDialog::intervalRows() {
  QGroupBox* group = groupBox("Sampling");
  auto* grid = new QGridLayout(group);
  grid->addWidget(staticText("Interval:"), 0, 0);
  grid->addWidget(interval_, 0, 1);
  grid->addWidget(intervalRange_, 0, 2);
  grid->addWidget(intervalUnit_, 0, 3);
  grid->addWidget(sampleTime_, 0, 4);
  grid->addWidget(staticText("ms"), 0, 5);
  grid->addWidget(staticText("Points:"), 1, 0);
  grid->addWidget(points_, 1, 1);
  grid->addWidget(staticText("Time:"), 1, 2);
  grid->addWidget(lineTime_, 1, 3, 1, 2);
  grid->addWidget(staticText("ms"), 1, 5);
  return group;
}

QWidget* TraceSettingDialog::triggerRows() {
  QGroupBox* group = groupBox("Trigger condition");
  auto* grid = new QGridLayout(group);
  grid->addWidget(staticText("Trigger:"), 0, 0);
  grid->addWidget(trigger_, 0, 1);
  grid->addWidget(staticText("Level:"), 1, 0);
  grid->addWidget(level_, 1, 1);
  grid->addWidget(levelUnit_, 1, 2);
  grid->addWidget(staticText("Edge:"), 2, 0);
  grid->addWidget(edge_, 2, 1);
  grid->addWidget(staticText("Position:"), 3, 0);
  grid->addWidget(position_, 3, 1);
  grid->addWidget(staticText("%"), 3, 2);
  grid->setColumnStretch(2, 1);
  return group;
}

void TraceSettingDialog::load(const TraceSettings& s) {
  const QSignalBlocker blockMode(mode_);
  mode_->setCurrentIndex(s.mode);
  for (int c = 0; c < kChannelCount; ++c) {
    const QSignalBlocker block(source_[at(c)]);
    source_[at(c)]->setCurrentIndex(sources_.exists(s.sources[at(c)]) ? s.sources[at(c)] : kSourceNone);
    colour_[at(c)]->setCurrentIndex(s.colours[at(c)] >= 0 && s.colours[at(c)] < kColourCount ? s.colours[at(c)] : 0);
    reverse_[at(c)]->setChecked(s.reverse[at(c)]);
  }
  const QSignalBlocker blockTrigger(trigger_);
  trigger_->setCurrentIndex(s.triggerChannel >= 0 && s.triggerChannel <= kChannelCount ? s.triggerChannel : kNoTrigger);
  edge_->setCurrentIndex(s.edge >= 0 && s.edge < edge_->count() ? s.edge : 0);
  position_->setValue(s.triggerPosition);
  modeChanged();
  interval_->setValue(s.interval);
  level_->setValue(s.triggerLevel);
  refreshTimes();
}

void TraceSettingDialog::modeChanged() {
  const auto mode = static_cast<TraceMode>(mode_->currentIndex());
  const ValueRange r = intervalRange(mode);
  interval_->setRange(r.lo, r.hi);
  intervalRange_->setText(QStringLiteral("(%1~%2)").arg(r.lo).arg(r.hi));
  intervalUnit_->setText(mode == TraceMode::Monitor ? QStringLiteral("*10 ms =") : QStringLiteral("*100us ="));
  trigger_->setEnabled(mode != TraceMode::Monitor);
  sourcesChanged();
}

void TraceSettingDialog::sourcesChanged() {
  const TraceSettings s = fromControls();
  const bool free = s.data4Free();
  const auto last = at(kChannelCount - 1);
  source_[last]->setEnabled(free);
  colour_[last]->setEnabled(free);
  reverse_[last]->setEnabled(free);
  triggerChanged();
}

void TraceSettingDialog::triggerChanged() {
  const TraceSettings s = fromControls();
  const int source = s.triggerSource();
  const auto range = levelRange(s, ratedSpeed_);
  // A source with a narrow range takes the level back to 0 when it no longer fits (decided
  // before the new range would clamp it).
  int level = level_->value();
  if (source != triggerSource_) level = levelForSource(source, level, ratedSpeed_);
  triggerSource_ = source;
  const bool on = range.has_value();
  if (on) level_->setRange(range->lo, range->hi);
  level_->setValue(level);
  levelUnit_->setText(qs(on ? levelLabel(source, ratedSpeed_) : std::string()));
  level_->setEnabled(on);
  edge_->setEnabled(on);
  position_->setEnabled(on);
  refreshTimes();
}

void TraceSettingDialog::refreshTimes() {
  const TraceSettings s = fromControls();
  sampleTime_->setText(QString::asprintf("%.1f", s.sampleTimeMs()));
  points_->setText(QString::number(s.pointsPerLine()));
  lineTime_->setText(QString::asprintf("%.2f", s.lineTimeMs()));
}

TraceSettings TraceSettingDialog::fromControls() const {
  TraceSettings s;
  s.mode = mode_->currentIndex();
  s.interval = interval_->value();
  for (int c = 0; c < kChannelCount; ++c) {
    s.sources[at(c)] = source_[at(c)]->currentIndex();
    s.colours[at(c)] = colour_[at(c)]->currentIndex();
    s.reverse[at(c)] = reverse_[at(c)]->isChecked();
  }
  s.triggerChannel = trigger_->currentIndex();
  s.triggerLevel = level_->value();
  s.edge = edge_->currentIndex();
  s.triggerPosition = position_->value();
  return s;
}

void TraceSettingDialog::onOk() {
  settings_ = fromControls();
  ResourceDialog::onOk();
}

std::optional<TraceSettingChoice> askTraceSettings(DriveOperations& ops, const TraceSettings& current, QWidget* parent) {
  TraceSettingChoice choice;
  if (linkState().isConnected()) readTerminalAssignments(ops, choice.assignments);
  const TraceSources sources(driveContext().driveType, choice.assignments);
  TraceSettingDialog dialog(current, sources, driveContext().ratedSpeed, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  choice.settings = dialog.settings();
  return choice;
}

}  // namespace zavo
