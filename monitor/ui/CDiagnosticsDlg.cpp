#include "monitor/ui/CDiagnosticsDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitor/DisplayFormat.h"
#include "monitor/Monitor.h"
#include "params/catalogue/Catalogue.h"

namespace zavo {
namespace {

constexpr int kValueWidth = 160;
constexpr int kLabelWidth = 110;
constexpr int kCellWidth = 44;

QString itemLabel(int item) {
  return QString::fromStdString(monitor::monitorCode("dn-", item) + "  " +
                                catalogue::titleOf(monitor::monitorCode("dn", item)));
}

}  // namespace

CDiagnosticsDlg::CDiagnosticsDlg(Monitor& monitor, Closed closed, QWidget* parent)
    : MonitorDialog(kIddDiagnostics, "Diagnostics Parameters (dn-xx)", monitor, std::move(closed), parent) {
  const DiagnosticsPage* page = monitor_.diagnostics();
  const monitor::TerminalLayout layout = page ? page->layout : monitor::TerminalLayout{};

  auto* values = new QGridLayout;
  for (std::size_t i = 0; i < kDiagnosticItems.size(); ++i) {
    values->addWidget(new QLabel(itemLabel(kDiagnosticItems[i]), this), static_cast<int>(i), 0);
    values_.push_back(valueBox(kIdcDiagnosticValues[i], kValueWidth));
    values->addWidget(values_.back(), static_cast<int>(i), 1);
  }

  // Inputs on the left, outputs on the right; every place exists, those the drive type does
  // not show stay hidden.
  auto* terminals = new QGridLayout;
  const int inputPlaces = kIdcOutputCellFirst - kIdcTerminalCellFirst;
  addTerminals({kIdcTerminalLabelFirst, kIdcTerminalCellFirst, inputPlaces, layout.inputs, 0}, terminals,
               inputLabels_, inputCells_);
  addTerminals({kIdcOutputLabelFirst, kIdcOutputCellFirst, kTerminalPlaces - inputPlaces, layout.outputs, 3},
               terminals, outputLabels_, outputCells_);
  terminals->setColumnMinimumWidth(2, 24);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdCancel, "Close"));
  auto* layoutBox = new QVBoxLayout(this);
  layoutBox->addLayout(values);
  layoutBox->addSpacing(8);
  layoutBox->addLayout(terminals);
  layoutBox->addLayout(buttons);
  showPage();
}

void CDiagnosticsDlg::addTerminals(const TerminalColumn& c, QGridLayout* grid, std::vector<QLabel*>& labels,
                                   std::vector<QLabel*>& cells) {
  for (int i = 0; i < c.places; ++i) {
    auto* label = addControl(c.firstLabel + i, new QLabel(this));
    auto* cell = valueBox(c.firstCell + i, kCellWidth);
    label->setMinimumWidth(kLabelWidth);
    label->setVisible(i < c.shown);
    cell->setVisible(i < c.shown);
    grid->addWidget(label, i, c.column);
    grid->addWidget(cell, i, c.column + 1);
    labels.push_back(label);
    cells.push_back(cell);
  }
}

void CDiagnosticsDlg::showCell(QLabel* cell, bool on) {
  cell->setAutoFillBackground(true);
  QPalette p = cell->palette();
  p.setColor(QPalette::Window, on ? kCellOn : kCellOff);
  p.setColor(QPalette::WindowText, Qt::white);
  cell->setPalette(p);
  cell->setAlignment(Qt::AlignCenter);
  cell->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

void CDiagnosticsDlg::showPage() {
  const DiagnosticsPage* page = monitor_.diagnostics();
  if (!page) return;
  for (std::size_t i = 0; i < values_.size(); ++i) values_[i]->setText(QString::fromStdString(page->texts[i]));
  for (std::size_t i = 0; i < page->inputs.size() && i < inputCells_.size(); ++i) showCell(inputCells_[i], page->inputs[i]);
  for (std::size_t i = 0; i < page->outputs.size() && i < outputCells_.size(); ++i)
    showCell(outputCells_[i], page->outputs[i]);
  for (std::size_t i = 0; i < page->labels.inputs.size() && i < inputLabels_.size(); ++i)
    inputLabels_[i]->setText(QString::fromStdString(page->labels.inputs[i]));
  for (std::size_t i = 0; i < page->labels.outputs.size() && i < outputLabels_.size(); ++i)
    outputLabels_[i]->setText(QString::fromStdString(page->labels.outputs[i]));
}

void CDiagnosticsDlg::release() { monitor_.closeDiagnostics(); }

}  // namespace zavo
