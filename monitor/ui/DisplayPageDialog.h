#pragma once
// The two display-value windows: Display Parameter (Un-xx) as the fixed page (resource 149,
// Un-01 .. Un-19, drive type 1) and as the configurable page (resource 279, twenty rows, each
// with its own item). A row's check box decides whether the ticks read it; "All" and "Clear"
// set every row. Closing hands the rows back to the view, which opens the next window with them.

#include <vector>

#include "monitor/MonitorPages.h"
#include "monitor/ui/MonitorDialog.h"

class QCheckBox;
class QComboBox;
class QGridLayout;

namespace zavo {

inline constexpr int kIddDisplayValues = 149;
inline constexpr int kIddDisplaySelect = 279;
inline constexpr int kIdcDisplayRowCheckFirst = 1217;  // 1217-1235 (149), 1217-1236 (279)
inline constexpr int kIdcFixedValueFirst = 1034;       // 1034-1052
inline constexpr int kIdcSelectValueFirst = 1015;      // 1015-1034
inline constexpr int kIdcSelectComboFirst = 2009;      // 2009-2028
inline constexpr int kIdcDisplayAll = 1002;
inline constexpr int kIdcDisplayClear = 1001;

class DisplayPageDialog : public MonitorDialog {
  Q_OBJECT
 public:
  void showPage() override;

 protected:
  DisplayPageDialog(int resourceId, Monitor& monitor, Closed closed, QWidget* parent);
  void release() override;

 private:
  struct Row {
    QCheckBox* check = nullptr;
    QComboBox* combo = nullptr;  // configurable page only
    QLabel* name = nullptr;
    QLabel* unit = nullptr;
    QLabel* value = nullptr;
  };
  QGridLayout* buildRows(DisplayPage& page);
  void rowToggled(std::size_t row, bool on);
  void itemChosen(std::size_t row, const QString& entry);
  void showNames(std::size_t row);
  void setAll(bool on);

  std::vector<Row> rows_;
};

class CDisplayValuesDlg final : public DisplayPageDialog {
  Q_OBJECT
 public:
  CDisplayValuesDlg(Monitor& monitor, Closed closed, QWidget* parent)
      : DisplayPageDialog(kIddDisplayValues, monitor, std::move(closed), parent) {}
};

class CDisplaySelectDlg final : public DisplayPageDialog {
  Q_OBJECT
 public:
  CDisplaySelectDlg(Monitor& monitor, Closed closed, QWidget* parent)
      : DisplayPageDialog(kIddDisplaySelect, monitor, std::move(closed), parent) {}
};

}  // namespace zavo
