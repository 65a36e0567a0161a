#include "app/ui/CZavoServoView.h"

#include <QShowEvent>

#include "app/CommandIds.h"
#include "app/StatusSink.h"
#include "link/LinkPort.h"
#include "link/LinkState.h"

namespace zavo {

CZavoServoView::CZavoServoView(ViewServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  commands_.on(cmd::kConnect, [this] { connectCommand(); });
  commands_.on(cmd::kDisconnect, [this] { connectCommand(); });
  commands_.on(cmd::kPortSet, [this] { connectCommand(); });
  connect(&monitorTimer_, &QTimer::timeout, this, &CZavoServoView::onMonitorTick);
}

CZavoServoView::~CZavoServoView() { monitorTimer_.stop(); }

bool CZavoServoView::event(QEvent* e) { return messages_.dispatch(e) || QWidget::event(e); }

void CZavoServoView::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (shownOnce_) return;
  shownOnce_ = true;
  monitorTimer_.start(kMonitorPeriodMs);
}

LinkPortRequest CZavoServoView::portRequest() const {
  LinkPortRequest r;
  if (services_.portEntries) r.entries = services_.portEntries();
  r.preferSimulator = services_.preferSimulator;
  return r;
}

void CZavoServoView::connectCommand() {
  const auto choice = services_.askPort(portRequest(), this);
  if (!choice) return;
  emit linkChanged();
}

void CZavoServoView::onMonitorTick() {}

void CZavoServoView::linkLostByRemoval() {
  mainPort().Close();
  linkState().connected = 0;
  snapshot_.connected = false;
  snapshot_.linkWanted = false;
  refreshStatus();
  emit linkChanged();
}

void CZavoServoView::refreshStatus() {
  if (services_.status) services_.status->refreshAll(snapshot_);
}

}  // namespace zavo
