#pragma once
// Online Parameter (resource 211): eight slots, each one parameter of the drive with its code,
// title, unit, range and value, and digit buttons that step the value up or down; every step
// is written to the drive at once. Set (1001) chooses the slots' parameters; the slot set can
// be saved to and loaded from a `.onp` file.

#include <array>
#include <string>
#include <vector>

#include "editors/OnlineEditor.h"
#include "platform/qt/ResourceDialog.h"

class QLabel;
class QPushButton;
class QStackedLayout;

namespace zavo {

class CZavoServoDoc;
class DriveOperations;

inline constexpr int kIddOnlineParameter = 211;
inline constexpr int kIdcOnlineSet = 1001;
inline constexpr int kIdcOnlineSave = 1005;
inline constexpr int kIdcOnlineLoad = 1006;

// Slot 1's controls; slot n's are these plus (n - 1) * kOnlineSlotIdStride.
inline constexpr int kOnlineSlotIdStride = 1000;
inline constexpr int kIdcSlotCode = 1109;
inline constexpr int kIdcSlotTitle = 1110;
inline constexpr int kIdcSlotUnit = 1111;
inline constexpr int kIdcSlotRange = 1015;
inline constexpr int kIdcSlotValue = 1114;      // the normal display
inline constexpr int kIdcSlotValueWide = 1136;  // nine digits, editor kinds 2, 3 and 7
inline constexpr int kIdcSlotValueHex = 1112;   // four hexadecimal digits
// Step buttons, largest step first. The four wide steps (100000000 ... 100000) come before
// the five every slot has (10000 ... 1, or 10000 and the digits 0x1000 ... 0x1).
inline constexpr std::array<int, 4> kIdcSlotWideUp{1170, 1171, 1172, 1173};
inline constexpr std::array<int, 4> kIdcSlotWideDown{1174, 1175, 1176, 1177};
inline constexpr std::array<int, 5> kIdcSlotUp{1002, 1003, 1004, 1062, 1063};
inline constexpr std::array<int, 5> kIdcSlotDown{1064, 1100, 1102, 1103, 1104};

constexpr int slotControl(int slot, int slot1Id) { return slot1Id + slot * kOnlineSlotIdStride; }

class OnlineParameterDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  OnlineParameterDialog(DriveOperations& ops, const CZavoServoDoc& doc, QWidget* parent = nullptr);

  const OnlineEditor& editor() const { return editor_; }
  // The button that steps slot `slot` (0-7) by its step `index` (largest first) up or down;
  // nullptr when the slot offers no such step.
  QPushButton* stepButton(int slot, int index, bool up) const;

  // The `.onp` commands without their file dialogs.
  void saveTo(const std::string& path);
  void loadFrom(const std::string& path);

 private:
  struct SlotControls {
    QLabel* code;
    QLabel* title;
    QLabel* unit;
    QLabel* range;
    QLabel* value;
    QLabel* wide;
    QLabel* hex;
    QStackedLayout* displays;
    std::array<QPushButton*, 9> up;
    std::array<QPushButton*, 9> down;
  };

  QWidget* makeSlot(int slot);
  void rebuild(const OnlineSlotCodes& codes);
  void paint(int slot);
  void step(int slot, int index, bool up);
  void setCommand();
  void saveCommand();
  void loadCommand();
  // Set and the steps need the link; without it the dialog says so and closes.
  bool requireLink();

  OnlineEditor editor_;
  const CZavoServoDoc& doc_;
  std::array<SlotControls, kOnlineSlotCount> slots_{};
};

}  // namespace zavo
