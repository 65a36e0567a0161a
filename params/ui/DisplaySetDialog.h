#pragma once
// Display Set (resource 221): which parameters the Parameter Set editor lists: by group, by
// control mode, or the custom list (edited through Add/Remove). The dialog works on a copy;
// only OK hands the selection back, with the empty choice of the chosen mode filled in.

#include <array>

#include "params/listing/DisplaySelection.h"
#include "platform/qt/ResourceDialog.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace zavo {

inline constexpr int kIddDisplaySet = 221;
inline constexpr int kIdcModeSelectParameters = 1034;
inline constexpr int kIdcModeControlMode = 1035;
inline constexpr int kIdcModeCustom = 1036;
inline constexpr int kIdcAddRemove = 1001;
// Group boxes, in DisplayGroup order.
inline constexpr int kIdcGroupAll = 1217;
inline constexpr int kIdcGroupCn = 1218;
inline constexpr int kIdcGroupTn = 1219;
inline constexpr int kIdcGroupQn = 1220;
inline constexpr int kIdcGroupSn = 1221;
inline constexpr int kIdcGroupPn = 1222;
inline constexpr int kIdcGroupHn = 1223;
inline constexpr int kIdcGroupCia402 = 1229;
inline constexpr int kIdcGroupTuning = 1230;  // tn
inline constexpr int kIdcGroupEca = 1231;
// Control-mode boxes, in DisplayControlMode order.
inline constexpr int kIdcModeTorque = 1224;
inline constexpr int kIdcModeSpeed = 1225;
inline constexpr int kIdcModePositionInternal = 1226;
inline constexpr int kIdcModePositionExternal = 1227;
inline constexpr int kIdcModePt = 1228;

class DisplaySetDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  // `driveType` decides which parameters Add/Remove offers.
  DisplaySetDialog(const DisplaySelection& selection, int driveType, QWidget* parent = nullptr);

  // The selection as the dialog shows it now (after OK: as stored).
  const DisplaySelection& selection() const { return selection_; }

  // Shows the dialog on `selection` for the current drive type; on OK stores the result in
  // `selection` and returns true, on Cancel leaves it unchanged.
  static bool edit(DisplaySelection& selection, QWidget* parent);

 protected:
  void onOk() override;

 private:
  void setMode(DisplayMode mode);
  void groupToggled(DisplayGroup group, bool on);
  void addRemove();
  // Boxes and enabled states from selection_.
  void showSelection();

  DisplaySelection selection_;
  int driveType_;
  std::array<QRadioButton*, 3> modes_{};
  std::array<QCheckBox*, kDisplayGroupCount> groups_{};
  std::array<QCheckBox*, kDisplayControlModeCount> controlModes_{};
  QPushButton* addRemove_ = nullptr;
};

}  // namespace zavo
