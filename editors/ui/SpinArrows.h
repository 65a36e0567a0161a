#pragma once
// The up/down arrows beside an edit box (a spin control without a text of its own): each
// press reports one step up (+1) or down (-1); the owner decides what a step does.

#include <QWidget>

namespace zavo {

class SpinArrows final : public QWidget {
  Q_OBJECT
 public:
  explicit SpinArrows(QWidget* parent = nullptr);

 Q_SIGNALS:
  void stepped(int direction);
};

}  // namespace zavo
