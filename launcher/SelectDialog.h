#pragma once
// Select (resource 1239): the launcher's one window. The user picks the drive family; OK hands
// the choice to ZavoServo through curfile.ini in the temporary folder and starts the copy of
// ZavoServo for that family.

#include <QString>

#include <functional>

#include "platform/qt/ResourceDialog.h"

class QComboBox;

namespace zavo {

inline constexpr int kIddSelect = 1239;
inline constexpr int kIdcFirstRadio = 1000;  // 1000-1006
inline constexpr int kIdcLastRadio = 1037;
inline constexpr int kIdcTypeCombo = 1007;
inline constexpr int kIdsAboutItem = 101;
inline constexpr int kInitialRadio = 2;

struct LauncherPaths {
  QString installDir;
  QString tempDir;
  // Starts a program without waiting for it (default: a detached process).
  std::function<bool(const QString&)> start;
};

class SelectDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit SelectDialog(LauncherPaths paths, QWidget* parent = nullptr);

  int radioIndex() const;
  QComboBox* typeCombo() const { return types_; }

 protected:
  void onOk() override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  void showAbout();

  LauncherPaths paths_;
  QComboBox* types_;
};

}  // namespace zavo
