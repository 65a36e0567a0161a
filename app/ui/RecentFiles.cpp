#include "app/ui/RecentFiles.h"

#include <QSettings>

namespace zavo {
namespace {
const char* const kSection = "My Recent File List";
QString keyOf(int i) { return QStringLiteral("MyFile%1").arg(i + 1); }
}  // namespace

void RecentFiles::read() {
  paths_.clear();
  settings_.beginGroup(QLatin1String(kSection));
  for (int i = 0; i < kCount; ++i) {
    const QString p = settings_.value(keyOf(i)).toString();
    if (!p.isEmpty()) paths_ << p;
  }
  settings_.endGroup();
}

void RecentFiles::write() const {
  settings_.beginGroup(QLatin1String(kSection));
  for (int i = 0; i < kCount; ++i) {
    if (i < paths_.size())
      settings_.setValue(keyOf(i), paths_[i]);
    else
      settings_.remove(keyOf(i));
  }
  settings_.endGroup();
  settings_.sync();
}

void RecentFiles::add(const QString& path) {
  paths_.removeAll(path);
  paths_.prepend(path);
  while (paths_.size() > kCount) paths_.removeLast();
}

QString RecentFiles::shortened(const QString& path) {
  if (path.size() <= kShownLength) return path;
  return QStringLiteral("...") + path.right(kShownLength - 3);
}

}  // namespace zavo
