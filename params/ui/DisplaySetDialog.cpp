#include "params/ui/DisplaySetDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "params/listing/DisplaySelectionRules.h"
#include "params/catalogue/DriveContext.h"
#include "params/ui/AddRemoveDialog.h"

namespace zavo {
namespace {

struct Box {
  int id;
  const char* text;
};

constexpr Box kModeBoxes[] = {
    {kIdcModeSelectParameters, "Select Parameters"},
    {kIdcModeControlMode, "Control Mode"},
    {kIdcModeCustom, "Custom Parameters"},
};

constexpr Box kGroupBoxes[kDisplayGroupCount] = {
    {kIdcGroupAll, "All Parameters"},
    {kIdcGroupCn, "System Parameters (Cn)"},
    {kIdcGroupTn, "Torque Control Parameters(Tn)"},
    {kIdcGroupQn, "Quick Set-up Parameters(qn)"},
    {kIdcGroupSn, "Speed Control Parameters (Sn)"},
    {kIdcGroupPn, "Position Control Parameters (Pn)"},
    {kIdcGroupHn, "Multi-function I/O parameters (Hn)"},
    {kIdcGroupCia402, "Cia402"},
    {kIdcGroupTuning, "Tuning Parameters (tn)"},
    {kIdcGroupEca, "ECAM Parameters(EC)"},
};

constexpr Box kControlModeBoxes[kDisplayControlModeCount] = {
    {kIdcModeTorque, "Torque Control Mode"},
    {kIdcModeSpeed, "Speed Control Mode"},
    {kIdcModePositionInternal, "Position Control Mode(Internal Positional Command )"},
    {kIdcModePositionExternal, "Position Control Mode(External Puls Command)"},
    {kIdcModePt, "Pt Mode"},
};

constexpr int kIndent = 20;
constexpr int kColumnGap = 24;

// `widget` in a row of its own, `level` steps in from the column's edge.
QHBoxLayout* indented(QWidget* widget, int level) {
  auto* row = new QHBoxLayout;
  row->addSpacing(level * kIndent);
  row->addWidget(widget);
  row->addStretch(1);
  return row;
}

}  // namespace

DisplaySetDialog::DisplaySetDialog(const DisplaySelection& selection, int driveType, QWidget* parent)
    : ResourceDialog(kIddDisplaySet, "Display Set", parent), selection_(selection), driveType_(driveType) {
  auto* modeGroup = new QButtonGroup(this);
  for (std::size_t m = 0; m < modes_.size(); ++m) {
    modes_[m] = addControl(kModeBoxes[m].id, new QRadioButton(this), kModeBoxes[m].text);
    modeGroup->addButton(modes_[m]);
    connect(modes_[m], &QRadioButton::toggled, this, [this, m](bool on) {
      if (on) setMode(static_cast<DisplayMode>(m));
    });
  }
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    groups_[g] = addControl(kGroupBoxes[g].id, new QCheckBox(this), kGroupBoxes[g].text);
    connect(groups_[g], &QCheckBox::toggled, this,
            [this, g](bool on) { groupToggled(static_cast<DisplayGroup>(g), on); });
  }
  for (std::size_t c = 0; c < controlModes_.size(); ++c) {
    controlModes_[c] = addControl(kControlModeBoxes[c].id, new QCheckBox(this), kControlModeBoxes[c].text);
    connect(controlModes_[c], &QCheckBox::toggled, this, [this, c](bool on) { selection_.controlModes[c] = on; });
  }
  addRemove_ = addButton(kIdcAddRemove, "Add/Remove...");
  connect(addRemove_, &QPushButton::clicked, this, &DisplaySetDialog::addRemove);

  // Three columns, each under the mode that uses it.
  auto* groupColumn = new QVBoxLayout;
  groupColumn->addWidget(modes_[0]);
  // The boxes that "All Parameters" stands for sit indented under it; tn and ECA, which it
  // does not cover, stand level with it.
  for (std::size_t g = 0; g < groups_.size(); ++g)
    groupColumn->addLayout(indented(groups_[g], coveredByAll(static_cast<DisplayGroup>(g)) ? 2 : 1));
  groupColumn->addStretch(1);
  auto* modeColumn = new QVBoxLayout;
  modeColumn->addWidget(modes_[1]);
  for (QCheckBox* b : controlModes_) modeColumn->addLayout(indented(b, 1));
  modeColumn->addStretch(1);
  auto* customColumn = new QVBoxLayout;
  customColumn->addWidget(modes_[2]);
  customColumn->addLayout(indented(addRemove_, 1));
  customColumn->addStretch(1);

  // (Spacing set on the row would be inherited by the columns inside it.)
  auto* columns = new QHBoxLayout;
  columns->addLayout(groupColumn);
  columns->addSpacing(kColumnGap);
  columns->addLayout(modeColumn);
  columns->addSpacing(kColumnGap);
  columns->addLayout(customColumn);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // nothing in it gains from more room
  layout->addLayout(columns);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  // "All Parameters" is shown as the AND of its seven boxes, whatever the stored flag says.
  selection_.groups[static_cast<std::size_t>(DisplayGroup::All)] = allOfSeven(selection_);
  const auto mode = static_cast<std::size_t>(selection_.mode);
  if (mode >= modes_.size()) selection_.mode = DisplayMode::SelectGroups;
  showSelection();
}

void DisplaySetDialog::showSelection() {
  const auto mode = static_cast<std::size_t>(selection_.mode);
  for (std::size_t m = 0; m < modes_.size(); ++m) {
    const QSignalBlocker quiet(modes_[m]);
    modes_[m]->setChecked(m == mode);
  }
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    const QSignalBlocker quiet(groups_[g]);
    groups_[g]->setChecked(selection_.groups[g]);
    groups_[g]->setEnabled(selection_.mode == DisplayMode::SelectGroups);
  }
  for (std::size_t c = 0; c < controlModes_.size(); ++c) {
    const QSignalBlocker quiet(controlModes_[c]);
    controlModes_[c]->setChecked(selection_.controlModes[c]);
    controlModes_[c]->setEnabled(selection_.mode == DisplayMode::ControlMode);
  }
  addRemove_->setEnabled(selection_.mode == DisplayMode::Custom);
}

void DisplaySetDialog::setMode(DisplayMode mode) {
  selection_.mode = mode;
  showSelection();
}

void DisplaySetDialog::groupToggled(DisplayGroup group, bool on) {
  setGroup(selection_, group, on);
  showSelection();
}

void DisplaySetDialog::addRemove() {
  AddRemoveDialog dialog(driveType_, selection_.custom, this);
  if (dialog.exec() == QDialog::Accepted) selection_.custom = dialog.entries();
}

void DisplaySetDialog::onOk() {
  selection_ = confirmed(selection_);
  showSelection();
  ResourceDialog::onOk();
}

bool DisplaySetDialog::edit(DisplaySelection& selection, QWidget* parent) {
  DisplaySetDialog dialog(selection, driveContext().driveType, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  selection = dialog.selection();
  return true;
}

}  // namespace zavo
