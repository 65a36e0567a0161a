#pragma once
// Diagnostics Parameters (dn-xx) (resource 140): control mode, terminal strings and versions,
// and one cell per shown terminal, red while it is on and black while it is off, under a
// label that names the function assigned to it.

#include <QColor>

#include <array>
#include <vector>

#include "monitor/MonitorPages.h"
#include "monitor/ui/MonitorDialog.h"

class QGridLayout;

namespace zavo {

inline constexpr int kIddDiagnostics = 140;
// dn-01 .. dn-04, dn-08, dn-09 in the order of the page's texts.
inline constexpr std::array<int, kDiagnosticItems.size()> kIdcDiagnosticValues{1015, 1016, 1017, 1018, 1061, 1062};
inline constexpr int kIdcTerminalCellFirst = 1019;     // 1019-1039: inputs first
inline constexpr int kIdcOutputCellFirst = 1032;       // outputs after the thirteen input places
inline constexpr int kIdcTerminalLabelFirst = 1040;    // 1040-1060: inputs first
inline constexpr int kIdcOutputLabelFirst = 1053;
inline constexpr int kTerminalPlaces = 21;
inline const QColor kCellOn{250, 0, 0};
inline const QColor kCellOff{0, 0, 0};

class CDiagnosticsDlg final : public MonitorDialog {
  Q_OBJECT
 public:
  CDiagnosticsDlg(Monitor& monitor, Closed closed, QWidget* parent);

  void showPage() override;

 protected:
  void release() override;

 private:
  struct TerminalColumn {
    int firstLabel, firstCell, places, shown, column;
  };
  void addTerminals(const TerminalColumn& c, QGridLayout* grid, std::vector<QLabel*>& labels,
                    std::vector<QLabel*>& cells);
  void showCell(QLabel* cell, bool on);

  std::vector<QLabel*> values_;
  std::vector<QLabel*> inputCells_, outputCells_;
  std::vector<QLabel*> inputLabels_, outputLabels_;
};

}  // namespace zavo
