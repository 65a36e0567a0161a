#include "monitor/ui/CDiagnosticsDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

#include "monitor/Monitor.h"
#include "params/catalogue/Catalogue.h"

namespace zavo {
namespace {

constexpr int kValueWidth = 160;
constexpr int kLabelWidth = 110;
constexpr int kCellWidth = 44;

QString itemLabel(int item) {
  char code[8], name[8];
  std::snprintf(code, sizeof code, "dn%02d", item);
  std::snprintf(name, sizeof name, "dn-%02d", item);
  return QString::fromLatin1(name) + QStringLiteral("  ") + QString::fromStdString(catalogue::titleOf(code));
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
  const int outputPlaces = kTerminalPlaces - (kIdcOutputCellFirst - kIdcTerminalCellFirst);
  for (int i = 0; i < kIdcOutputCellFirst - kIdcTerminalCellFirst; ++i) {
    auto* label = addControl(kIdcTerminalLabelFirst + i, new QLabel(this));
    auto* cell = valueBox(kIdcTerminalCellFirst + i, kCellWidth);
    label->setMinimumWidth(kLabelWidth);
    label->setVisible(i < layout.inputs);
    cell->setVisible(i < layout.inputs);
    terminals->addWidget(label, i, 0);
    terminals->addWidget(cell, i, 1);
    inputLabels_.push_back(label);
    inputCells_.push_back(cell);
  }
  for (int i = 0; i < outputPlaces; ++i) {
    auto* label = addControl(kIdcOutputLabelFirst + i, new QLabel(this));
    auto* cell = valueBox(kIdcOutputCellFirst + i, kCellWidth);
    label->setMinimumWidth(kLabelWidth);
    label->setVisible(i < layout.outputs);
    cell->setVisible(i < layout.outputs);
    terminals->addWidget(label, i, 3);
    terminals->addWidget(cell, i, 4);
    outputLabels_.push_back(label);
    outputCells_.push_back(cell);
  }
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
