#include "params/ui/AddRemoveDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zavo {
namespace {

// Room for a code and most titles; the longest scroll rather than lose their end.
constexpr int kListMinimumWidth = 440;
constexpr int kListMinimumHeight = 360;

QStringList toQt(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& l : lines) out << QString::fromStdString(l);
  return out;
}

QVBoxLayout* captioned(QLabel* caption, QListWidget* list) {
  auto* column = new QVBoxLayout;
  caption->setBuddy(list);
  column->addWidget(caption);
  column->addWidget(list, 1);
  return column;
}

}  // namespace

AddRemoveDialog::AddRemoveDialog(int driveType, const std::vector<CustomEntry>& custom, QWidget* parent)
    : ResourceDialog(kIddAddRemove, "Add/Remove", parent), list_(driveType, custom),
      all_(addControl(kIdcAllParameters, new QListWidget(this))),
      custom_(addControl(kIdcCustomParameters, new QListWidget(this))) {
  for (QListWidget* l : {all_, custom_}) {
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setMinimumSize(kListMinimumWidth, kListMinimumHeight);
    l->setUniformItemSizes(true);
    l->setTextElideMode(Qt::ElideNone);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
  all_->addItems(toQt(list_.allLines()));
  if (all_->count() > 0) all_->setCurrentRow(0);

  QPushButton* add = addButton(kIdcAdd, "&Add ->");
  QPushButton* remove = addButton(kIdcRemove, "<- &Remove");
  QPushButton* addAll = addButton(kIdcAddAll, "Add A&LL");
  QPushButton* removeAll = addButton(kIdcRemoveAll, "Remo&ve ALL");
  QPushButton* up = addButton(kIdcUp, "&Up");
  QPushButton* down = addButton(kIdcDown, "&Down");
  connect(add, &QPushButton::clicked, this, [this] {
    const bool wasFull = list_.full();
    const int at = list_.add(selectedAll());
    if (at < 0 && wasFull) QApplication::beep();  // the list holds no more
    apply(at);
  });
  connect(remove, &QPushButton::clicked, this, [this] { apply(list_.remove(selectedCustom())); });
  connect(addAll, &QPushButton::clicked, this, [this] { apply(list_.addAll()); });
  connect(removeAll, &QPushButton::clicked, this, [this] { apply(list_.removeAll()); });
  connect(up, &QPushButton::clicked, this, [this] { apply(list_.up(selectedCustom())); });
  connect(down, &QPushButton::clicked, this, [this] { apply(list_.down(selectedCustom())); });
  // A double click does what the arrow button beside the list does.
  connect(all_, &QListWidget::itemDoubleClicked, add, &QPushButton::click);
  connect(custom_, &QListWidget::itemDoubleClicked, remove, &QPushButton::click);

  auto* transfer = new QVBoxLayout;
  transfer->addStretch(1);
  for (QPushButton* b : {add, remove}) transfer->addWidget(b);
  transfer->addSpacing(16);
  for (QPushButton* b : {addAll, removeAll}) transfer->addWidget(b);
  transfer->addStretch(1);

  auto* order = new QVBoxLayout;
  order->addStretch(1);
  order->addWidget(up);
  order->addWidget(down);
  order->addStretch(1);

  auto* lists = new QHBoxLayout;
  lists->addLayout(captioned(staticText("All Parameters"), all_), 1);
  lists->addLayout(transfer);
  lists->addLayout(captioned(staticText("Custom Parameters"), custom_), 1);
  lists->addLayout(order);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdOk, "OK"));
  buttons->addWidget(addButton(kIdCancel, "Cancel"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  apply(list_.customLines().empty() ? -1 : 0);
}

int AddRemoveDialog::selectedAll() const { return all_->currentItem() && all_->currentItem()->isSelected() ? all_->currentRow() : -1; }

int AddRemoveDialog::selectedCustom() const {
  return custom_->currentItem() && custom_->currentItem()->isSelected() ? custom_->currentRow() : -1;
}

void AddRemoveDialog::apply(int select) {
  const QStringList lines = toQt(list_.customLines());
  bool same = custom_->count() == lines.size();
  for (int i = 0; same && i < lines.size(); ++i) same = custom_->item(i)->text() == lines[i];
  if (!same) {
    custom_->clear();
    custom_->addItems(lines);
  }
  if (select >= 0 && select < custom_->count()) {
    custom_->setCurrentRow(select);
    custom_->scrollToItem(custom_->currentItem());
  } else {
    custom_->setCurrentRow(-1);
  }
}

}  // namespace zavo
