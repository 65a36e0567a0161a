#pragma once
// The recent file list: four entries kept in the user's settings under "My Recent File List"
// as MyFile1..MyFile4, shown in the File menu shortened to 30 characters.

#include <QString>
#include <QStringList>

class QSettings;

namespace zavo {

class RecentFiles {
 public:
  static constexpr int kCount = 4;
  static constexpr int kShownLength = 30;

  explicit RecentFiles(QSettings& settings) : settings_(settings) {}

  void read();
  void write() const;
  void add(const QString& path);  // to the top, without duplicates
  const QStringList& paths() const { return paths_; }
  // The menu text of a path: the whole path when short enough, else its end after "...".
  static QString shortened(const QString& path);

 private:
  QSettings& settings_;
  QStringList paths_;
};

}  // namespace zavo
