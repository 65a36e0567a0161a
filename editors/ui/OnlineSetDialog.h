#pragma once
// Set (resource 214): which parameters the eight slots of the Online Parameter dialog hold. A
// list of the slots with each parameter's code, title, value, unit, range and default; Set n
// chooses slot n's parameter, Clear n empties it after asking.

#include <array>

#include "params/document/OnpFile.h"
#include "platform/qt/ResourceDialog.h"

class QComboBox;
class QTreeWidget;

namespace zavo {

class CZavoServoDoc;

inline constexpr int kIddOnlineSet = 214;
inline constexpr int kIdcOnlineSetList = 1000;
inline constexpr std::array<int, kOnlineSlotCount> kIdcSlotSet{1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008};
inline constexpr std::array<int, kOnlineSlotCount> kIdcSlotClear{1062, 1063, 1064, 1100, 1101, 1102, 1103, 1104};

inline constexpr int kIddParameterChooser = 215;
inline constexpr int kIdcParameterSelect = 1000;

class OnlineSetDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  OnlineSetDialog(const OnlineSlotCodes& codes, const CZavoServoDoc& doc, QWidget* parent = nullptr);

  const OnlineSlotCodes& codes() const { return codes_; }
  QTreeWidget* list() const { return list_; }

  // Runs the dialog on `codes`; true (and `codes` replaced) on OK.
  static bool edit(OnlineSlotCodes& codes, const CZavoServoDoc& doc, QWidget* parent);

 private:
  void showSlot(int slot);
  void setSlot(int slot);
  void clearSlot(int slot);

  OnlineSlotCodes codes_;
  const CZavoServoDoc& doc_;
  QTreeWidget* list_;
};

// The parameter chooser of Set n: one "Parameter Select" box of the current drive type's codes.
class ParameterChooserDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit ParameterChooserDialog(const std::string& current, QWidget* parent = nullptr);
  QComboBox* box() const { return box_; }
  std::string chosen() const;

 private:
  QComboBox* box_;
};

}  // namespace zavo
