#pragma once
// Helpers of the editor's window tests: acting on a modal dialog once it is up, and pictures
// of the windows for a person to look at (when ZAVO_SCREENSHOT_DIR names a folder).

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace zavo::test {

// Runs `act` on the modal dialog of type T as soon as it is shown (polling, as the dialog only
// appears inside the exec() the test is about to start).
template <class T>
void whenModal(std::function<void(T*)> act, int triesLeft = 200) {
  QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
    auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
    if (d) return act(d);
    if (triesLeft > 0) whenModal<T>(std::move(act), triesLeft - 1);
  });
}

inline void saveScreenshot(QWidget* w, const QString& name) {
  const QString dir = qEnvironmentVariable("ZAVO_SCREENSHOT_DIR");
  if (dir.isEmpty() || !w) return;
  QDir().mkpath(dir);
  w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

}  // namespace zavo::test
