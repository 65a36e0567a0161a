#include "app/ui/CChildFrame.h"

#include "app/ui/CZavoServoView.h"

namespace zavo {

CChildFrame::CChildFrame(CZavoServoView* view, QWidget* parent) : QMdiSubWindow(parent), view_(view) {
  setWidget(view);
  setAttribute(Qt::WA_DeleteOnClose);
}

}  // namespace zavo
