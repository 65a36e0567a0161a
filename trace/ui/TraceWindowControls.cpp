// The trace window's controls: how they are laid out, and how they show the trace view.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "link/LinkState.h"
#include "trace/TraceRules.h"
#include "trace/ui/TracePlot.h"
#include "trace/ui/TraceWindow.h"
#include "trace/ui/TraceWindowIds.h"

namespace zavo {
namespace {

using namespace trace;

constexpr const char* kEdges[] = {"Rise", "Fall", "Rise/Fall"};
constexpr const char* kChannels[] = {"DATA1", "DATA2", "DATA3", "DATA4"};
constexpr int kReadoutWidth = 72;
constexpr int kLegendWidth = 86;
constexpr int kLegendLines = 4;
constexpr int kLegendPadding = 6;

QString qs(const std::string& s) { return QString::fromStdString(s); }
std::size_t at(int c) { return static_cast<std::size_t>(c); }

}  // namespace

void TraceWindow::buildControls() {
  plot_ = addControl(kIdcTracePlot, new TracePlot(view_, this));
  connect(plot_, &TracePlot::cursorsMoved, this, [this] {
    refreshReadouts();
    QSignalBlocker b(cursorAB_);
    cursorAB_->setCurrentIndex(view_.cursors().selected);
  });
  auto* channels = new QHBoxLayout;
  for (int c = 0; c < kChannelCount; ++c) channels->addWidget(channelColumn(c));
  auto* middle = new QHBoxLayout;
  middle->addWidget(plot_);
  middle->addLayout(channels, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(cursorGroup(), 1);
  bottom->addWidget(triggerGroup());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buttonRow());
  layout->addLayout(middle);
  layout->addWidget(timeRow());
  layout->addLayout(bottom);
}

QWidget* TraceWindow::buttonRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  auto button = [&](int id, const char* english, void (TraceWindow::*slot)()) {
    QPushButton* b = addButton(id, english);
    connect(b, &QPushButton::clicked, this, slot);
    h->addWidget(b);
    return b;
  };
  button(kIdcTraceSetting, "Trace Setting", &TraceWindow::traceSetting);
  start_ = button(kIdcTraceStart, "START", &TraceWindow::startOrStop);
  readBack_ = button(kIdcTraceReadBack, "Read Back", &TraceWindow::toggleReadBack);
  readBack_->setCheckable(true);
  button(kIdcTraceOpen, "Open", &TraceWindow::openCommand);
  button(kIdcTraceSaveAs, "Save As", &TraceWindow::saveAsCommand);
  button(kIdcTraceSave, "Save", &TraceWindow::saveCommand);
  button(kIdcTraceCopy, "Copy to Clipboard", &TraceWindow::copyCommand);
  QPushButton* online = addButton(kIdcTraceOnlineEditor, "Online Parameter Editing");
  connect(online, &QPushButton::clicked, this, [this] {
    if (host_.openOnlineEditor) host_.openOnlineEditor(this);
  });
  h->addWidget(online);
  h->addStretch(1);
  h->addWidget(addButton(kIdCancel, "Close"));
  return row;
}

QWidget* TraceWindow::channelColumn(int c) {
  auto* column = new QWidget(this);
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  legend_[at(c)] = addControl(kIdcTraceLegend[at(c)], new QLabel(this));
  legend_[at(c)]->setWordWrap(true);
  legend_[at(c)]->setFixedWidth(kLegendWidth);
  legend_[at(c)]->setFixedHeight(kLegendLines * legend_[at(c)]->fontMetrics().lineSpacing() + kLegendPadding);
  legend_[at(c)]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scale_[at(c)] = addControl(kIdcTraceScale[at(c)], new QComboBox(this));
  QPushButton* up = addButton(kIdcTraceUp[at(c)], "\u25B2");
  QPushButton* down = addButton(kIdcTraceDown[at(c)], "\u25BC");
  slider_[at(c)] = addControl(kIdcTraceSlider[at(c)], new QSlider(Qt::Vertical, this));
  v->addWidget(legend_[at(c)]);
  v->addWidget(scale_[at(c)]);
  v->addWidget(up, 0, Qt::AlignHCenter);
  v->addWidget(slider_[at(c)], 1, Qt::AlignHCenter);
  v->addWidget(down, 0, Qt::AlignHCenter);
  connect(scale_[at(c)], &QComboBox::activated, this, [this, c] { scaleChosen(c); });
  connect(up, &QPushButton::clicked, this, [this, c] {
    if (view_.moveUp(c)) refreshScales();
  });
  connect(down, &QPushButton::clicked, this, [this, c] {
    if (view_.moveDown(c)) refreshScales();
  });
  connect(slider_[at(c)], &QSlider::valueChanged, this, [this, c](int value) {
    if (refreshing_) return;
    view_.setSlider(c, value);
    refreshScales();
  });
  return column;
}

QWidget* TraceWindow::timeRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  scroll_ = addControl(kIdcTraceScroll, new QScrollBar(Qt::Horizontal, this));
  scroll_->setSingleStep(1);
  scroll_->setPageStep(kPageDivisions);
  timeScale_ = addControl(kIdcTraceTimeScale, new QComboBox(this));
  h->addWidget(scroll_, 1);
  h->addWidget(timeScale_);
  h->addWidget(staticText("[ms/div]"));
  QPushButton* in = addButton(kIdcTraceZoomIn, "Zoom in");
  QPushButton* out = addButton(kIdcTraceZoomOut, "Zoom out");
  h->addWidget(in);
  h->addWidget(out);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    if (refreshing_) return;
    view_.time().scrollTo(value);
    refreshTime();
  });
  connect(timeScale_, &QComboBox::activated, this, [this] { timeScaleChosen(); });
  connect(in, &QPushButton::clicked, this, [this] { zoom(true); });
  connect(out, &QPushButton::clicked, this, [this] { zoom(false); });
  return row;
}

QWidget* TraceWindow::cursorGroup() {
  QGroupBox* box = groupBox("Cursor");
  auto* g = new QGridLayout(box);
  vertical_ = addControl(kIdcTraceCursorVertical, new QRadioButton(box), "Vertical");
  horizontal_ = addControl(kIdcTraceCursorHorizontal, new QRadioButton(box), "Horizontal");
  showCursors_ = addControl(kIdcTraceCursorShow, new QCheckBox(box), "Show cursor line");
  cursorAB_ = addControl(kIdcTraceCursorAB, new QComboBox(box));
  cursorAB_->addItems({QStringLiteral("Cursor A"), QStringLiteral("Cursor B")});
  cursorStyle_ = addControl(kIdcTraceCursorStyle, new QComboBox(box));
  cursorStyle_->addItems({QStringLiteral("Line"), QStringLiteral("Cross")});
  measured_ = addControl(kIdcTraceMeasured, new QComboBox(box));
  for (const char* name : kChannels) measured_->addItem(QString::fromLatin1(name));
  g->addWidget(vertical_, 0, 0);
  g->addWidget(horizontal_, 0, 1, 1, 2);
  g->addWidget(showCursors_, 0, 3, 1, 2);
  g->addWidget(cursorAB_, 0, 5);
  g->addWidget(cursorStyle_, 0, 6);
  g->addWidget(measured_, 0, 7);
  const int ids[] = {kIdcTraceReadA,  kIdcTraceReadB,  kIdcTraceReadDiff,  kIdcTraceReadUnit,
                     kIdcTraceRead2A, kIdcTraceRead2B, kIdcTraceRead2Diff, kIdcTraceRead2Unit};
  const char* heads[] = {"A:", "B:", "B-A:"};
  for (int row = 0; row < 2; ++row) {
    readHeads_[static_cast<std::size_t>(row)] = new QLabel(box);
    g->addWidget(readHeads_[static_cast<std::size_t>(row)], row + 1, 0);
  }
  for (std::size_t i = 0; i < readouts_.size(); ++i) {
    readouts_[i] = addControl(ids[i], new QLabel(box));
    readouts_[i]->setMinimumWidth(kReadoutWidth);
    const int row = 1 + static_cast<int>(i / 4);
    const int column = static_cast<int>(i % 4);
    if (column < 3) g->addWidget(staticText(heads[column]), row, 1 + 2 * column, Qt::AlignRight);
    g->addWidget(readouts_[i], row, 2 + 2 * column);
  }
  connect(vertical_, &QRadioButton::toggled, this, [this] { cursorModeChanged(); });
  connect(showCursors_, &QCheckBox::toggled, this, [this](bool on) {
    view_.cursors().shown = on;
    refreshReadouts();
    plot_->refresh();
  });
  connect(cursorAB_, &QComboBox::activated, this, [this](int i) {
    view_.cursors().selected = i;
    plot_->refresh();
  });
  connect(cursorStyle_, &QComboBox::activated, this, [this](int i) {
    view_.cursors().style = static_cast<CursorStyle>(i);
    plot_->refresh();
  });
  connect(measured_, &QComboBox::activated, this, [this] { measuredChosen(); });
  return box;
}

QWidget* TraceWindow::triggerGroup() {
  QGroupBox* box = groupBox("Trigger condition");
  auto* g = new QGridLayout(box);
  const int ids[] = {kIdcTraceTriggerPattern, kIdcTraceTriggerLevel, kIdcTraceTriggerEdge, kIdcTraceTriggerPosition};
  const char* heads[] = {"Trigger pattern", "Level", "Edge", "Position"};
  for (std::size_t i = 0; i < trigger_.size(); ++i) {
    trigger_[i] = addControl(ids[i], new QLineEdit(box));
    trigger_[i]->setReadOnly(true);
    g->addWidget(staticText(heads[i]), static_cast<int>(i), 0);
    g->addWidget(trigger_[i], static_cast<int>(i), 1);
  }
  g->addWidget(staticText("%"), 3, 2);
  return box;
}

void TraceWindow::refresh() {
  refreshControls();
  refreshScales();
  refreshTime();
  refreshTrigger();
  refreshTitle();
}

void TraceWindow::refreshControls() {
  const bool connected = linkState().isConnected();
  const bool idle = !running_ && !readingBack_;
  start_->setText(running_ ? text(kIdcTraceStart, "STOP") : text(kIdcTraceStart, "START"));
  start_->setEnabled(running_ || (connected && !readingBack_));
  readBack_->setEnabled(readingBack_ || (connected && !running_));
  readBack_->setChecked(readingBack_);
  for (int id : {kIdcTraceOpen, kIdcTraceSaveAs, kIdcTraceSave}) controlWidget(id)->setEnabled(idle);
  controlWidget(kIdcTraceSetting)->setEnabled(static_cast<bool>(host_.askSettings));
  controlWidget(kIdcTraceOnlineEditor)->setEnabled(host_.openOnlineEditor && connected);
  controlWidget(kIdcTraceZoomIn)->setEnabled(view_.time().zoom() < kMaxZoom);
  controlWidget(kIdcTraceZoomOut)->setEnabled(view_.time().zoom() > 1);
}

void TraceWindow::refreshScales() {
  refreshing_ = true;
  const auto entries = scaleEntries(view_.autoAllowed());
  const int first = view_.autoAllowed() ? kScaleAuto : 1;
  for (int c = 0; c < kChannelCount; ++c) {
    QComboBox* combo = scale_[at(c)];
    if (combo->count() != static_cast<int>(entries.size())) {
      combo->clear();
      for (const auto& e : entries) combo->addItem(qs(e));
    }
    combo->setCurrentIndex(view_.scale(c).selection - first);
    slider_[at(c)]->setRange(0, sliderMax(view_.scale(c).units));
    slider_[at(c)]->setValue(view_.scale(c).slider);
    const QColor colour = traceColour(view_.colour(c));
    legend_[at(c)]->setText(qs(view_.legend(c)));
    legend_[at(c)]->setStyleSheet(QStringLiteral("color: %1; background: black; padding: 2px").arg(colour.name()));
  }
  refreshing_ = false;
  refreshReadouts();
  plot_->refresh();
}

void TraceWindow::refreshTime() {
  refreshing_ = true;
  const auto entries = view_.time().scaleEntries();
  if (timeScale_->count() != static_cast<int>(entries.size()) || timeScale_->itemText(0) != qs(entries.front())) {
    timeScale_->clear();
    for (const auto& e : entries) timeScale_->addItem(qs(e));
  }
  timeScale_->setCurrentIndex(view_.time().selection());
  scroll_->setRange(0, view_.time().maxScroll());
  scroll_->setValue(view_.time().scroll());
  refreshing_ = false;
  refreshReadouts();
  plot_->refresh();
}

void TraceWindow::refreshReadouts() {
  const TraceCursors& c = view_.cursors();
  {
    QSignalBlocker b1(vertical_), b2(horizontal_), b3(showCursors_);
    vertical_->setChecked(c.mode == CursorMode::Vertical);
    horizontal_->setChecked(c.mode == CursorMode::Horizontal);
    showCursors_->setChecked(c.shown);
    cursorAB_->setCurrentIndex(c.selected);
    cursorStyle_->setCurrentIndex(static_cast<int>(c.style));
    measured_->setCurrentIndex(view_.measured());
  }
  const CursorReadout r = c.shown ? view_.readout() : CursorReadout{};
  const std::string* texts[] = {&r.a, &r.b, &r.diff, &r.unit, &r.a2, &r.b2, &r.diff2, &r.unit2};
  for (std::size_t i = 0; i < readouts_.size(); ++i) readouts_[i]->setText(qs(*texts[i]));
  // What each row reads: the times, or the values of the measured channel and of data 2.
  const bool values = c.shown && c.mode == CursorMode::Horizontal;
  readHeads_[0]->setText(!c.shown ? QString() : values ? QString::fromLatin1(kChannels[view_.measured()]) : text(0, "Time"));
  readHeads_[1]->setText(values ? QString::fromLatin1(kChannels[1]) : QString());
}

void TraceWindow::refreshTrigger() {
  const TraceSettings& s = view_.settings();
  for (QLineEdit* e : trigger_) e->clear();
  if (!s.triggered()) return;
  const int source = s.triggerSource();
  trigger_[0]->setText(qs(view_.sources().name(source)));
  trigger_[1]->setText(QStringLiteral(" %1 ").arg(s.triggerLevel) + qs(TraceSources::unit(source)));
  if (!view_.triggerTimeKnown()) return;  // a trace file does not keep them
  if (s.edge >= 0 && s.edge < 3) trigger_[2]->setText(QString::fromLatin1(kEdges[s.edge]));
  trigger_[3]->setText(QString::number(s.triggerPosition));
}

void TraceWindow::refreshTitle() {
  setWindowTitle(path_.isEmpty() ? caption_ : caption_ + QStringLiteral(" - [") + path_ + QStringLiteral("]"));
}

}  // namespace zavo
