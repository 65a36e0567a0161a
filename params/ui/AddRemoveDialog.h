#pragma once
// Add/Remove (resource 190): builds the custom parameter list from every parameter of the
// drive type. Reached from Display Set; OK hands back the list as (group code, number) pairs,
// Cancel leaves it as it was.

#include <vector>

#include "params/listing/AddRemoveList.h"
#include "platform/qt/ResourceDialog.h"

class QListWidget;

namespace zavo {

inline constexpr int kIddAddRemove = 190;
inline constexpr int kIdcAllParameters = 1000;
inline constexpr int kIdcCustomParameters = 1061;
inline constexpr int kIdcAdd = 1001;
inline constexpr int kIdcRemove = 1002;
inline constexpr int kIdcAddAll = 1003;
inline constexpr int kIdcRemoveAll = 1004;
inline constexpr int kIdcUp = 1062;
inline constexpr int kIdcDown = 1063;

class AddRemoveDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  AddRemoveDialog(int driveType, const std::vector<CustomEntry>& custom, QWidget* parent = nullptr);

  // The custom list as shown.
  std::vector<CustomEntry> entries() const { return list_.entries(); }

 private:
  // Runs one button on the model and shows its result, selecting custom line `select`.
  void apply(int select);
  int selectedAll() const;
  int selectedCustom() const;

  AddRemoveList list_;
  QListWidget* all_;
  QListWidget* custom_;
};

}  // namespace zavo
