#include "monitor/ui/MonitorDialog.h"

#include <QLabel>

#include "monitor/Monitor.h"

namespace zavo {

MonitorDialog::MonitorDialog(int resourceId, const char* englishTitle, Monitor& monitor, Closed closed,
                             QWidget* parent)
    : ResourceDialog(resourceId, englishTitle, parent), monitor_(monitor), closed_(std::move(closed)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
}

void MonitorDialog::onCancel() {
  release();
  if (closed_) closed_();
  ResourceDialog::onCancel();
  close();
}

QLabel* MonitorDialog::valueBox(int id, int minimumWidth) {
  auto* box = addControl(id, new QLabel(this));
  box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  box->setMinimumWidth(minimumWidth);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return box;
}

}  // namespace zavo
