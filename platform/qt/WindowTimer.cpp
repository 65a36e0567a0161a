#include "platform/qt/WindowTimer.h"

namespace zavo {

WindowTimer::WindowTimer(int id, QObject* parent) : QTimer(parent), id_(id) {
  setObjectName(QStringLiteral("timer%1").arg(id));
}

}  // namespace zavo
