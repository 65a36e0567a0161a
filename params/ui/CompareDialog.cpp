#include "params/ui/CompareDialog.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editors/ParameterSetTexts.h"

namespace zavo {
namespace {

constexpr int kNoteWidth = 50;
constexpr int kValueWidth = 70;
constexpr int kListWidth = 560;
constexpr const char* kWidestCode = "ECA22";
constexpr int kCellPadding = 16;
constexpr int kListHeight = 320;
enum Column { kNote, kName, kEdited, kRead, kColumns };

QString qs(const std::string& s) { return QString::fromStdString(s); }

QTableWidgetItem* cell(const std::string& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(qs(text));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setTextAlignment(align);
  return item;
}

}  // namespace

CompareDialog::CompareDialog(const std::vector<CompareRow>& rows, QWidget* parent)
    : ResourceDialog(kIddCompare, "Compare", parent),
      list_(addControl(kIdcCompareList, new QTableWidget(static_cast<int>(rows.size()), kColumns, this))) {
  list_->setHorizontalHeaderLabels({qs(settext::noteHeader()), qs(settext::parameterNameHeader()),
                                    qs(settext::editValueHeader()), qs(settext::readValueHeader())});
  list_->verticalHeader()->hide();
  list_->setShowGrid(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->horizontalHeader()->setStretchLastSection(false);
  // The name takes the width the code and the two values leave.
  list_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
  // Room for the check box and the longest code in this font, however the platform draws them.
  const int noteWidth = std::max(kNoteWidth, list_->fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestCode)) +
                                                 list_->style()->pixelMetric(QStyle::PM_IndicatorWidth) + kCellPadding);
  list_->setColumnWidth(kNote, noteWidth);
  list_->setColumnWidth(kEdited, kValueWidth);
  list_->setColumnWidth(kRead, kValueWidth);
  list_->setMinimumSize(kListWidth, kListHeight);
  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const CompareRow& row = rows[static_cast<std::size_t>(r)];
    QTableWidgetItem* note = cell(row.code);
    // The list keeps a check box per row for the user to tick off what was looked at.
    note->setFlags(note->flags() | Qt::ItemIsUserCheckable);
    note->setCheckState(Qt::Unchecked);
    list_->setItem(r, kNote, note);
    list_->setItem(r, kName, cell(row.title));
    list_->setItem(r, kEdited, cell(row.edited, right));
    list_->setItem(r, kRead, cell(row.read, right));
  }
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + kCellPadding / 2);
  list_->setCurrentCell(-1, -1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton(kIdCancel, "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
}

}  // namespace zavo
