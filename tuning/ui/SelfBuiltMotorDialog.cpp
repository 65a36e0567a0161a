#include "tuning/ui/SelfBuiltMotorDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "link/LinkState.h"
#include "params/catalogue/Catalogue.h"
#include "tuning/LinearMotor.h"
#include "tuning/ui/TuningIds.h"

namespace zavo::tuning {
namespace {

constexpr const char* kModelCode = "Cn030";
constexpr int kHex = 16;

// The edit's mask in Qt's terms: a digit where the drive's mask has '#'.
QString inputMask(std::string_view mask) {
  QString m;
  for (const char c : mask) m += c == '#' ? QLatin1Char('9') : QLatin1Char(c);
  return m;
}

}  // namespace

SelfBuiltMotorDialog::SelfBuiltMotorDialog(DriveOperations& ops, std::function<void(bool)> openTuning, QWidget* parent)
    : ResourceDialog(kSelfBuiltMotorDialog, "Self-built Motor Parameter", parent), ops_(ops),
      openTuning_(std::move(openTuning)) {
  auto* grid = new QGridLayout(this);
  model_ = addControl(kModelCombo, new QComboBox(this));
  model_->setEditable(true);
  grid->addWidget(new QLabel(QString::fromStdString(std::string(kModelCode) + " " + catalogue::titleOf(kModelCode)), this), 0, 0);
  grid->addWidget(model_, 0, 1);
  const auto data = motorData();
  std::vector<std::int32_t> initial;
  for (const MotorDatum& d : data) {
    catalogue::Limits l;
    catalogue::limitsOf(d.code, l);
    initial.push_back(l.def);
  }
  const bool connected = linkState().isConnected();
  if (connected && ops_.readParameter(kModelCode)) currentModel_ = ops_.lastValue();
  setModel(currentModel_);
  const auto values = connected ? readMotorData(ops_, initial) : initial;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const int k = static_cast<int>(i);
    const std::string code(data[i].code);
    auto* e = addControl(kDatumEditFirst + k, new QLineEdit(this));
    if (data[i].mask.empty())
      e->setValidator(new QIntValidator(0, 99999, e));
    else
      e->setInputMask(inputMask(data[i].mask));
    e->setText(QString::fromStdString(datumText(data[i], values[i])));
    auto* shown = addControl(kDatumShownFirst + k, new QLabel(QString::fromStdString(datumShown(data[i], values[i])), this));
    connect(e, &QLineEdit::textChanged, this, [this, i, shown](const QString& t) {
      const auto v = datumValue(motorData()[i], t.toStdString());
      if (v) shown->setText(QString::fromStdString(datumShown(motorData()[i], static_cast<std::int32_t>(*v))));
    });
    grid->addWidget(new QLabel(QString::fromStdString(code + " " + catalogue::titleOf(code)), this), k + 1, 0);
    grid->addWidget(e, k + 1, 1);
    grid->addWidget(shown, k + 1, 2);
    edits_.push_back(e);
    shown_.push_back(shown);
  }
  const int last = static_cast<int>(data.size()) + 1;
  auto* w = addButton(kMotorWrite, "Write");
  auto* reduced = addButton(kOpenReducedTuning, "Motor Self-tuning...");
  auto* mechanical = addButton(kOpenMechanicalTuning, "Mechanical Self-tuning...");
  connect(w, &QPushButton::clicked, this, &SelfBuiltMotorDialog::write);
  connect(reduced, &QPushButton::clicked, this, [this] { openTuning_(false); });
  connect(mechanical, &QPushButton::clicked, this, [this] { openTuning_(true); });
  grid->addWidget(w, last, 0);
  grid->addWidget(reduced, last, 1);
  grid->addWidget(mechanical, last, 2);
  grid->addWidget(addButton(kIdOk, "OK"), last + 1, 1);
  grid->addWidget(addButton(kIdCancel, "Cancel"), last + 1, 2);
}

void SelfBuiltMotorDialog::setModel(int model) {
  model_->clear();
  model_->addItem(QString::fromStdString(catalogue::valueText(kModelCode, model)), model);
}

int SelfBuiltMotorDialog::model() const {
  bool ok = false;
  const int typed = model_->currentText().trimmed().toInt(&ok, kHex);
  return ok ? typed : currentModel_;
}

std::vector<std::int64_t> SelfBuiltMotorDialog::values(int& bad) const {
  std::vector<std::int64_t> out;
  bad = -1;
  const auto data = motorData();
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto v = datumValue(data[i], edits_[i]->text().toStdString());
    if (!v && bad < 0) bad = static_cast<int>(i);
    out.push_back(v.value_or(-1));
  }
  return out;
}

void SelfBuiltMotorDialog::select(int index) {
  if (index < 0 || index >= static_cast<int>(edits_.size())) return;
  edits_[static_cast<std::size_t>(index)]->setFocus();
  edits_[static_cast<std::size_t>(index)]->selectAll();
}

void SelfBuiltMotorDialog::write() {
  int bad = -1;
  const auto v = values(bad);
  if (writeMotorData(ops_, v, model(), currentModel_, &bad)) {
    currentModel_ = model();
    return;
  }
  select(bad);
}

void SelfBuiltMotorDialog::onOk() {
  int bad = -1;
  const auto v = values(bad);
  bad = checkForOk(v);
  if (bad >= 0) return select(bad);
  ResourceDialog::onOk();
}

}  // namespace zavo::tuning
