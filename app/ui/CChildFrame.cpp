#include "app/ui/CChildFrame.h"

#include <QCloseEvent>

#include "app/ui/CZavoServoView.h"

namespace zavo {

CChildFrame::CChildFrame(CZavoServoView* view, QWidget* parent) : QMdiSubWindow(parent), view_(view) {
  setWidget(view);
  setAttribute(Qt::WA_DeleteOnClose);
}

void CChildFrame::closeEvent(QCloseEvent* e) {
  if (!view_->document().SaveModified()) {
    e->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(e);
}

}  // namespace zavo
