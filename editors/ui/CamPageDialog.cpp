#include "editors/ui/CamPageDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/FieldTexts.h"
#include "editors/ui/RangeValidator.h"
#include "link/LinkState.h"

namespace zavo {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

struct Meaning {
  const char* row;
  const char* flying;
  const char* chase;
};

// What each row sets, in the page's words.
constexpr Meaning kMeanings[] = {
    {"ECA01", "Cam function (flying shear)", "Cam function (chase shear)"},
    {"ECA02.0", "Master axis: 0 real, 1 virtual", "Slave axis mechanism"},
    {"ECA02.1", "", "Master axis"},
    {"ECA02.2", "Homing: 0 not used, 1 used", "Homing"},
    {"ECA02.3", "", "Digital-input function"},
    {"ECA03", "Number of cuts", "Number of cuts"},
    {"ECA04", "Number of cutter blades", ""},
    {"ECA05", "Synchronous angle [degree]", ""},
    {"ECA06", "Start angle [0.01 degree]", ""},
    {"ECA07", "Master axis encoder resolution [pulse/rev]", "Master axis encoder resolution [pulse/rev]"},
    {"ECA08", "Slave axis encoder resolution [pulse/rev]", "Slave axis encoder resolution [pulse/rev]"},
    {"ECA09", "Master axis diameter [0.1 mm]", "Master axis diameter [0.1 mm]"},
    {"ECA10", "Slave axis diameter [0.1 mm]", "Cutter diameter [0.1 mm]"},
    {"ECA11", "Cut length [0.1 mm]", "Cut length [0.1 mm]"},
    {"ECA12", "Material start to cut point [0.1 mm]", "Material start to cut point [0.1 mm]"},
    {"ECA13", "S-curve time [ms]", "S-curve time [ms]"},
    {"ECA14", "", "Synchronous zone time [ms]"},
    {"ECA15", "", "Digital-output delay in the synchronous zone [ms]"},
    {"ECA16", "", "Slave axis screw pitch [0.1 mm]"},
    {"ECA17", "", "Maximum slave advance distance [0.1 mm]"},
    {"ECA18", "", "Average master advance speed"},
    {"Pn349", "Full-closed-loop running direction", "Full-closed-loop running direction"},
};

const char* meaningOf(std::string_view row, CamKind kind) {
  for (const Meaning& m : kMeanings)
    if (row == m.row) return kind == CamKind::Flying ? m.flying : m.chase;
  return "";
}

}  // namespace

CamPageDialog::CamPageDialog(CamKind kind, DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent)
    : ResourceDialog(kind == CamKind::Flying ? kIddFlyingShear : kIddChaseShear,
                     kind == CamKind::Flying ? "Flying Shear" : "Chase Shear", parent),
      page_(kind, ops, doc) {
  auto* grid = new QGridLayout;
  const auto specs = page_.specs();
  for (std::size_t r = 0; r < specs.size(); ++r) {
    const CamRowSpec& spec = specs[r];
    QWidget* field = nullptr;
    if (spec.role == CamRowRole::List) {
      auto* list = addControl(spec.control, new QComboBox(this));
      for (const CamItem& item : spec.items) list->addItem(qs(fieldtext::camItem(item.id, item.english)));
      connect(list, &QComboBox::activated, this, [this, r](int index) { page_.choose(static_cast<int>(r), index); });
      field = list;
    } else {
      auto* edit = addControl(spec.control, new QLineEdit(this));
      edit->setValidator(new RangeValidator(spec.range, edit));
      edit->setEnabled(spec.role == CamRowRole::Entry);
      connect(edit, &QLineEdit::textEdited, this,
              [this, r](const QString& text) { page_.type(static_cast<int>(r), text.toStdString()); });
      field = edit;
    }
    fields_.push_back(field);
    const auto row = static_cast<int>(r);
    grid->addWidget(new QLabel(QString::fromLatin1(spec.name), this), row, 0);
    grid->addWidget(new QLabel(text(0, meaningOf(spec.name, kind)), this), row, 1);
    grid->addWidget(field, row, 2);
    if (spec.role != CamRowRole::List)
      grid->addWidget(new QLabel(QStringLiteral("(%1~%2)").arg(spec.range.min).arg(spec.range.max), this), row, 3);
  }
  grid->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  QPushButton* write = addButton(kIdcCamWrite, "Write");
  connect(write, &QPushButton::clicked, this, &CamPageDialog::writeCommand);
  buttons->addWidget(write);
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  // Without a link the page shows the document and can only hand rows back to it.
  write->setEnabled(linkState().isConnected());
  page_.open();
  showRows();
}

void CamPageDialog::showRows() {
  const auto specs = page_.specs();
  for (std::size_t r = 0; r < specs.size(); ++r) {
    const CamRow& row = page_.row(static_cast<int>(r));
    if (auto* list = qobject_cast<QComboBox*>(fields_[r]))
      list->setCurrentIndex(row.text.empty() ? -1 : row.value);
    else if (auto* edit = qobject_cast<QLineEdit*>(fields_[r]))
      edit->setText(qs(row.text));
  }
}

void CamPageDialog::writeCommand() { page_.write(); }

void CamPageDialog::onOk() {
  page_.ok();
  ResourceDialog::onOk();
}

}  // namespace zavo
