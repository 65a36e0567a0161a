#include "params/ui/ParameterList.h"

#include <algorithm>
#include <utility>

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QSignalBlocker>

#include "editors/ParameterSetModel.h"
#include "editors/ParameterSetTexts.h"
#include "params/catalogue/Catalogue.h"

namespace zavo {
namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kNoteWidth = 70;
constexpr int kValueWidth = 60;
// The columns sized to their content never go below these widths.
constexpr std::pair<int, int> kNarrowestColumns[] = {
    {ParameterList::kValueColumn, kValueWidth},
    {ParameterList::kUnitColumn, 60},
    {ParameterList::kRangeColumn, 100},
    {ParameterList::kDefaultColumn, 60},
};
constexpr const char* kWidestCode = "ECA22";
constexpr int kCellPadding = 20;
// The name column takes what the others leave; below this it would clip every title.
constexpr int kNameMinimumWidth = 240;
const QColor kValueColour(Qt::blue);
const QColor kDefaultColour(Qt::red);
// A row changed since the last transfer: a pale marker the blue and red still read on.
const QColor kModifiedBackground(255, 244, 196);

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ParameterList::ParameterList(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(6);
  setHeaderLabels({qs(settext::noteHeader()), qs(settext::parameterNameHeader()), qs(settext::valueHeader()),
                   qs(settext::unitHeader()), qs(settext::setRangeHeader()), qs(settext::defaultHeader())});
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAlternatingRowColors(false);
  QHeaderView* h = header();
  h->setStretchLastSection(false);
  h->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  h->setMinimumSectionSize(kValueWidth / 2);
  // The check box and the longest code in this font, however the platform draws them.
  const int noteWidth = std::max(kNoteWidth, fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestCode)) +
                                                 style()->pixelMetric(QStyle::PM_IndicatorWidth) + kCellPadding);
  setColumnWidth(kNoteColumn, noteWidth);
  for (const auto& [column, width] : kNarrowestColumns) setColumnWidth(column, width);
  emphasised_ = font();
  emphasised_.setBold(true);
  markedCode_ = font();
  markedCode_.setItalic(true);
  connect(this, &QTreeWidget::itemChanged, this, &ParameterList::onItemChanged);
}

void ParameterList::setRow(QTreeWidgetItem* item, const ParameterSetModel& model, int row) const {
  const RowCells c = model.cells(row);
  const ParameterRow& r = model.row(row);
  item->setData(kNoteColumn, kRowRole, row);
  item->setText(kNoteColumn, qs(c.code));
  item->setText(kNameColumn, qs(c.title));
  item->setText(kValueColumn, qs(c.value));
  item->setText(kUnitColumn, qs(c.unit));
  item->setText(kRangeColumn, qs(c.range));
  item->setText(kDefaultColumn, qs(c.def));
  item->setCheckState(kNoteColumn, r.checked ? Qt::Checked : Qt::Unchecked);
  item->setFont(kNoteColumn, r.modified ? markedCode_ : font());
  const QBrush background = r.modified ? QBrush(kModifiedBackground) : QBrush();
  for (int col = 0; col < columnCount(); ++col) item->setBackground(col, background);
}

void ParameterList::showRows(const ParameterSetModel& model) {
  const QSignalBlocker quiet(this);
  clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(model.size());
  for (int r = 0; r < model.size(); ++r) {
    auto* item = new QTreeWidgetItem;
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setForeground(kValueColumn, kValueColour);
    item->setFont(kValueColumn, emphasised_);
    item->setForeground(kDefaultColumn, kDefaultColour);
    item->setFont(kDefaultColumn, emphasised_);
    item->setTextAlignment(kValueColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(kDefaultColumn, Qt::AlignRight | Qt::AlignVCenter);
    setRow(item, model, r);
    items.append(item);
  }
  addTopLevelItems(items);
  fitColumns(model);
}

void ParameterList::fitColumns(const ParameterSetModel& model) {
  const QFontMetrics strong(emphasised_);
  // The room the delegate leaves on both sides of a cell's text.
  const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  int widestLimit = 0;
  for (int r = 0; r < model.size(); ++r) {
    const std::string& code = model.row(r).entry.code;
    for (const std::int32_t limit : {model.minimum(r), model.maximum(r)})
      widestLimit = std::max(widestLimit, strong.horizontalAdvance(qs(catalogue::valueText(code, limit, true))));
  }
  int fixed = columnWidth(kNoteColumn) + kNameMinimumWidth;
  for (const auto& [column, narrowest] : kNarrowestColumns) {
    int width = std::max({narrowest, sizeHintForColumn(column), header()->sectionSizeHint(column)});
    if (column == kValueColumn) width = std::max(width, widestLimit + margins);
    setColumnWidth(column, width);
    fixed += width;
  }
  setMinimumWidth(fixed + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
}

void ParameterList::updateRows(const ParameterSetModel& model, const std::vector<int>& rows) {
  const QSignalBlocker quiet(this);
  for (int r : rows)
    if (QTreeWidgetItem* item = topLevelItem(r)) setRow(item, model, r);
  // New limits (other motor data) or a new value may be wider than anything before.
  if (!rows.empty()) fitColumns(model);
}

void ParameterList::updateChecks(const ParameterSetModel& model) {
  const QSignalBlocker quiet(this);
  for (int r = 0; r < model.size() && r < topLevelItemCount(); ++r)
    topLevelItem(r)->setCheckState(kNoteColumn, model.row(r).checked ? Qt::Checked : Qt::Unchecked);
}

int ParameterList::selectedRow() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : selected.front()->data(kNoteColumn, kRowRole).toInt();
}

void ParameterList::selectRow(int row) {
  if (QTreeWidgetItem* item = topLevelItem(row)) {
    setCurrentItem(item);
    item->setSelected(true);
  }
}

void ParameterList::onItemChanged(QTreeWidgetItem* item, int column) {
  if (column != kNoteColumn) return;
  Q_EMIT rowChecked(item->data(kNoteColumn, kRowRole).toInt(), item->checkState(kNoteColumn) == Qt::Checked);
}

}  // namespace zavo
