#include "monitor/ui/DisplayPageDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "monitor/DisplayFormat.h"
#include "monitor/Monitor.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"

namespace zavo {
namespace {

constexpr int kValueWidth = 100;
constexpr int kNameWidth = 240;

}  // namespace

DisplayPageDialog::DisplayPageDialog(int resourceId, Monitor& monitor, Closed closed, QWidget* parent)
    : MonitorDialog(resourceId, "Display Parameter (Un-xx)", monitor, std::move(closed), parent) {
  auto* box = new QVBoxLayout(this);
  if (DisplayPage* page = monitor_.display()) box->addLayout(buildRows(*page));
  auto* all = addButton(kIdcDisplayAll, "All");
  auto* clear = addButton(kIdcDisplayClear, "Clear");
  connect(all, &QPushButton::clicked, this, [this] { setAll(true); });
  connect(clear, &QPushButton::clicked, this, [this] { setAll(false); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(all);
  buttons->addWidget(clear);
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdCancel, "Close"));
  box->addLayout(buttons);
  showPage();
}

QGridLayout* DisplayPageDialog::buildRows(DisplayPage& page) {
  const bool configurable = page.kind == DisplayKind::Configurable;
  const int valueFirst = configurable ? kIdcSelectValueFirst : kIdcFixedValueFirst;
  QStringList entries;
  if (configurable)
    for (int item : monitor::listedItems(driveContext().driveType)) entries << QString::fromStdString(monitor::itemName(item));
  auto* grid = new QGridLayout;
  for (std::size_t r = 0; r < page.rows.size(); ++r) {
    const int id = static_cast<int>(r);
    Row row;
    row.check = addControl(kIdcDisplayRowCheckFirst + id, new QCheckBox(this));
    if (configurable) {
      row.combo = addControl(kIdcSelectComboFirst + id, new QComboBox(this));
      row.combo->addItems(entries);
      row.combo->setCurrentIndex(entries.indexOf(QString::fromStdString(monitor::itemName(page.rows[r].item))));
      connect(row.combo, &QComboBox::currentTextChanged, this, [this, r](const QString& e) { itemChosen(r, e); });
    } else {
      row.check->setText(QString::fromStdString(monitor::itemName(page.rows[r].item)));
    }
    row.name = new QLabel(this);
    row.name->setMinimumWidth(kNameWidth);
    row.unit = new QLabel(this);
    row.value = valueBox(valueFirst + id, kValueWidth);
    row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    int column = 0;
    grid->addWidget(row.check, id, column++);
    if (row.combo) grid->addWidget(row.combo, id, column++);
    grid->addWidget(row.name, id, column++);
    grid->addWidget(row.value, id, column++);
    grid->addWidget(row.unit, id, column++);
    connect(row.check, &QCheckBox::toggled, this, [this, r](bool on) { rowToggled(r, on); });
    rows_.push_back(row);
    showNames(r);
  }
  return grid;
}

void DisplayPageDialog::showNames(std::size_t r) {
  const DisplayPage* page = monitor_.display();
  if (!page || r >= page->rows.size()) return;
  const std::string code = monitor::itemCode(page->rows[r].item);
  rows_[r].name->setText(QString::fromStdString(catalogue::titleOf(code)));
  rows_[r].unit->setText(QString::fromStdString(catalogue::unitOf(code)));
}

void DisplayPageDialog::rowToggled(std::size_t r, bool on) {
  if (DisplayPage* page = monitor_.display()) page->enable(r, on);
  showPage();
}

void DisplayPageDialog::itemChosen(std::size_t r, const QString& entry) {
  DisplayPage* page = monitor_.display();
  if (!page || r >= page->rows.size()) return;
  page->rows[r].item = monitor::itemOfEntry(entry.toStdString());
  // The old value under the new name would read as the new item's.
  page->rows[r].text.clear();
  showNames(r);
  showPage();
}

void DisplayPageDialog::setAll(bool on) {
  if (DisplayPage* page = monitor_.display()) page->enableAll(on);
  showPage();
}

void DisplayPageDialog::showPage() {
  const DisplayPage* page = monitor_.display();
  if (!page) return;
  for (std::size_t r = 0; r < rows_.size() && r < page->rows.size(); ++r) {
    const QSignalBlocker quiet(rows_[r].check);
    rows_[r].check->setChecked(page->rows[r].enabled);
    rows_[r].value->setText(QString::fromStdString(page->rows[r].text));
  }
}

void DisplayPageDialog::release() { monitor_.closeDisplay(); }

}  // namespace zavo
