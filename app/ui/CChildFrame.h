#pragma once
// The child window of one document in the main window's work area; it holds the view. Closing
// it asks to save a changed document first, and Cancel keeps it open.

#include <QMdiSubWindow>

namespace zavo {

class CZavoServoView;

class CChildFrame final : public QMdiSubWindow {
  Q_OBJECT
 public:
  explicit CChildFrame(CZavoServoView* view, QWidget* parent = nullptr);
  CZavoServoView* view() const { return view_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  CZavoServoView* view_;
};

}  // namespace zavo
