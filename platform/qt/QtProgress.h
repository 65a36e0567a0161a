#pragma once
// The progress interface as a small modeless window: a text, a bar and a Cancel button. The
// transfer loop calls `pump` between steps; that lets the window repaint and the user's Cancel
// (or closing the window) reach the loop.

#include <QDialog>

#include "platform/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zavo {

class ProgressWindow final : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  QLabel* label() const { return label_; }
  QProgressBar* bar() const { return bar_; }
  QPushButton* cancelButton() const { return cancel_; }
  bool cancelled() const { return cancelled_; }
  void resetCancel() { cancelled_ = false; }
  void reject() override;  // Escape and the close button cancel, as the button does

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};

class QtProgress final : public Progress {
 public:
  explicit QtProgress(QWidget* parent = nullptr);
  ~QtProgress() override;

  void open(const std::string& title, int lower, int upper) override;
  void setText(const std::string& text) override;
  void step() override;
  bool pump() override;
  void close() override;

  ProgressWindow* window() const { return window_; }

 private:
  ProgressWindow* window_;
};

}  // namespace zavo
