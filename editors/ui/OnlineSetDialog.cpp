#include "editors/ui/OnlineSetDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/FieldTexts.h"
#include "editors/ParameterSetTexts.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr int kColumns = 6;
constexpr int kListWidth = 640;
constexpr int kListHeight = 220;

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

OnlineSetDialog::OnlineSetDialog(const OnlineSlotCodes& codes, const CZavoServoDoc& doc, QWidget* parent)
    : ResourceDialog(kIddOnlineSet, "Set", parent), codes_(codes), doc_(doc),
      list_(addControl(kIdcOnlineSetList, new QTreeWidget(this))) {
  list_->setColumnCount(kColumns);
  list_->setHeaderLabels({qs(settext::noteHeader()), qs(settext::parameterNameHeader()), qs(settext::valueHeader()),
                          qs(settext::unitHeader()), qs(settext::setRangeHeader()), qs(settext::defaultHeader())});
  list_->setRootIsDecorated(false);
  list_->setMinimumSize(kListWidth, kListHeight);
  list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  list_->header()->setStretchLastSection(false);

  auto* buttons = new QGridLayout;
  for (int s = 0; s < kOnlineSlotCount; ++s) {
    list_->addTopLevelItem(new QTreeWidgetItem);
    const std::string n = std::to_string(s + 1);
    QPushButton* set = addButton(kIdcSlotSet[static_cast<std::size_t>(s)], ("Set " + n).c_str());
    QPushButton* clear = addButton(kIdcSlotClear[static_cast<std::size_t>(s)], ("Clear " + n).c_str());
    connect(set, &QPushButton::clicked, this, [this, s] { setSlot(s); });
    connect(clear, &QPushButton::clicked, this, [this, s] { clearSlot(s); });
    buttons->addWidget(set, 0, s);
    buttons->addWidget(clear, 1, s);
    showSlot(s);
  }
  auto* ok = new QHBoxLayout;
  ok->addStretch(1);
  ok->addWidget(addButton(kIdOk, "OK"));
  ok->addWidget(addButton(kIdCancel, "Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  layout->addLayout(ok);
}

void OnlineSetDialog::showSlot(int s) {
  QTreeWidgetItem* item = list_->topLevelItem(s);
  const std::string& code = codes_[static_cast<std::size_t>(s)];
  std::string cells[kColumns];
  ParamGroup g{};
  int n = 0;
  if (!code.empty() && catalogue::slotOf(code, g, n) && doc_.images[g].has(n)) {
    const auto i = static_cast<std::size_t>(n);
    cells[0] = code;
    cells[1] = catalogue::titleOf(code);
    cells[2] = catalogue::valueText(code, doc_.images[g].value[i], true);
    cells[3] = catalogue::unitOf(code);
    cells[4] = catalogue::rangeText(code, doc_.images[g].min[i], doc_.images[g].max[i]);
    cells[5] = catalogue::valueText(code, doc_.images[g].def[i], true);
  } else {
    cells[0] = code;
  }
  for (int c = 0; c < kColumns; ++c) item->setText(c, qs(cells[c]));
  control<QPushButton>(kIdcSlotClear[static_cast<std::size_t>(s)])->setEnabled(!code.empty());
}

void OnlineSetDialog::setSlot(int s) {
  ParameterChooserDialog chooser(codes_[static_cast<std::size_t>(s)], this);
  if (chooser.exec() != QDialog::Accepted || chooser.chosen().empty()) return;
  codes_[static_cast<std::size_t>(s)] = chooser.chosen();
  showSlot(s);
}

void OnlineSetDialog::clearSlot(int s) {
  std::string& code = codes_[static_cast<std::size_t>(s)];
  if (code.empty()) return;
  const auto answer = prompt().ask(
      {fieldtext::clearNoteQuestion(code), fieldtext::clearMessageTitle(), PromptIcon::Question, PromptButtons::YesNo});
  if (answer != PromptAnswer::Yes) return;
  code.clear();
  showSlot(s);
}

bool OnlineSetDialog::edit(OnlineSlotCodes& codes, const CZavoServoDoc& doc, QWidget* parent) {
  OnlineSetDialog dialog(codes, doc, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  codes = dialog.codes();
  return true;
}

ParameterChooserDialog::ParameterChooserDialog(const std::string& current, QWidget* parent)
    : ResourceDialog(kIddParameterChooser, "Parameter Select", parent),
      box_(addControl(kIdcParameterSelect, new QComboBox(this))) {
  // Every parameter of the drive type that lives in a drive register: only those can be
  // stepped live.
  for (const auto& e : catalogue::parameters(driveContext().driveType))
    if (catalogue::wordAddress(e.code) >= 0) box_->addItem(qs(e.code));
  const int at = box_->findText(qs(current));
  if (at >= 0) box_->setCurrentIndex(at);
  box_->setEditable(false);
  auto* row = new QHBoxLayout;
  row->addWidget(staticText("Parameter Select"));
  row->addWidget(box_, 1);
  auto* ok = new QHBoxLayout;
  ok->addStretch(1);
  ok->addWidget(addButton(kIdOk, "OK"));
  ok->addWidget(addButton(kIdCancel, "Cancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(ok);
}

std::string ParameterChooserDialog::chosen() const { return box_->currentText().toStdString(); }

}  // namespace zavo
