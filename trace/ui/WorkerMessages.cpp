#include "trace/ui/WorkerMessages.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace zavo {

trace::PostMessageFn workerMessages() {
  return [](trace::WorkerMessage m) {
    // The application outlives every worker: the one receiver that cannot be gone when the
    // message arrives.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [m = std::move(m)] { showMessage(m.text, QCoreApplication::applicationName().toStdString(), m.icon); },
        Qt::QueuedConnection);
  };
}

}  // namespace zavo
