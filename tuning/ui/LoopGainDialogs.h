#pragma once
// The three windows of the off-line adjustment with loop gains: the set values (1249), the
// adjustment under way with its results (1251), and the choice of results to keep (1250).

#include <array>
#include <functional>

#include "platform/qt/ResourceDialog.h"
#include "platform/qt/WindowTimer.h"
#include "tuning/AutoGain.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace zavo::tuning {

// tn08-tn12 with their current values; "Write" checks the window's own ranges and posts the
// write to the view (message 0x8B0, items 4-8).
class LoopGainSetDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  LoopGainSetDialog(QObject* view, const std::array<int, kLoopGainItems>& current, QWidget* parent = nullptr);
  void setCurrent(int item, int value);

 private:
  void write(int index);

  QObject* view_;
  std::array<QLineEdit*, kLoopGainItems> current_{};
  std::array<QLineEdit*, kLoopGainItems> set_{};
};

// The adjustment under way: its timer asks the view for the progress and the results
// (message 0x914), the view shows them here and lets Next and Quit be pressed.
class LoopGainStartDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  LoopGainStartDialog(QObject* view, std::function<void()> quit, QWidget* parent = nullptr);
  void showResults(const LoopGainResults& r);
  void showProgress(int percent);
  QString valueText(int index) const;  // 0-5 as shown

 protected:
  void onCancel() override;

 private:
  QObject* view_;
  std::function<void()> quit_;
  std::array<QLabel*, kResultCount> values_{};
  QProgressBar* progress_;
  WindowTimer timer_;
};

// Which results to keep: inertia ratio, C9C, C9D, 530, 531, 55A.
class LoopGainEndDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit LoopGainEndDialog(QWidget* parent = nullptr);
  std::array<bool, kResultCount> chosen() const;

 private:
  std::array<QCheckBox*, kResultCount> keep_{};
};

}  // namespace zavo::tuning
