#pragma once
// What the four monitor windows share: a modeless window over the view that shows a page of
// the monitor and never talks to the drive. Its close button lets the monitor forget the page
// and tells the view; the window then deletes itself.

#include <functional>

#include "platform/qt/ResourceDialog.h"

class QLabel;

namespace zavo {

class Monitor;

class MonitorDialog : public ResourceDialog {
  Q_OBJECT
 public:
  using Closed = std::function<void()>;

  MonitorDialog(int resourceId, const char* englishTitle, Monitor& monitor, Closed closed, QWidget* parent);

  // Shows what the last tick put in the page.
  virtual void showPage() = 0;

 protected:
  // The monitor forgets the window's page (and keeps what the window hands back).
  virtual void release() = 0;
  void onCancel() override;
  // A sunken box for a value the window shows.
  QLabel* valueBox(int id, int minimumWidth);

  Monitor& monitor_;

 private:
  Closed closed_;
};

}  // namespace zavo
