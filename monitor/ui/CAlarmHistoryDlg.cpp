#include "monitor/ui/CAlarmHistoryDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitor/Monitor.h"
#include "platform/qt/PostedMessage.h"

namespace zavo {
namespace {
constexpr int kCodeWidth = 40;
constexpr int kNoteWidth = 320;
}  // namespace

CAlarmHistoryDlg::CAlarmHistoryDlg(Monitor& monitor, QObject* view, Closed closed, QWidget* parent)
    : MonitorDialog(kIddAlarmHistory, "Alarm Parameters", monitor, std::move(closed), parent), view_(view) {
  auto* grid = new QGridLayout;
  for (int row = 0; row < monitor::kAlarmRows; ++row) {
    const auto at = static_cast<std::size_t>(row);
    grid->addWidget(new QLabel(QString::fromStdString(monitor::alarmRowName(row)), this), row, 0);
    codes_[at] = valueBox(kIdcAlarmCodeFirst + row, kCodeWidth);
    notes_[at] = valueBox(kIdcAlarmNoteFirst + row, kNoteWidth);
    grid->addWidget(codes_[at], row, 1);
    grid->addWidget(notes_[at], row, 2);
  }
  auto* update = addButton(kIdcAlarmUpdate, "Update");
  auto* clear = addButton(kIdcAlarmClear, "Clear");
  connect(update, &QPushButton::clicked, this, [this] { monitor_.state().alarmRefreshRequest = true; });
  connect(clear, &QPushButton::clicked, this,
          [this] { postMessage(view_, kMsgClearAlarm, static_cast<quintptr>(kClearAlarmHistory), 0); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(update);
  buttons->addWidget(clear);
  buttons->addWidget(addButton(kIdCancel, "Close"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  showPage();
}

void CAlarmHistoryDlg::showPage() {
  const AlarmPage* page = monitor_.alarms();
  for (int row = 0; row < monitor::kAlarmRows; ++row) {
    const auto at = static_cast<std::size_t>(row);
    const bool known = page && page->known;
    codes_[at]->setText(known ? QString::fromStdString(monitor::alarmCodeText(page->codes[at])) : QString());
    notes_[at]->setText(known ? QString::fromStdString(monitor::alarmNote(page->codes[at])) : QString());
  }
}

void CAlarmHistoryDlg::release() { monitor_.closeAlarms(); }

}  // namespace zavo
