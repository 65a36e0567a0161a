#pragma once
// Link Port Set (resource 166): the port and baud rate for the next connect. While the link is
// wanted both boxes are locked and OK reads "Disconnect": the dialog then only confirms that
// the user wants the link down.

#include <optional>
#include <string>
#include <vector>

#include "link/ConnectionHost.h"
#include "platform/qt/ResourceDialog.h"

class QComboBox;

namespace zavo {

inline constexpr int kIddLinkPortSet = 166;
inline constexpr int kIdcPortCombo = 1410;
inline constexpr int kIdcBaudCombo = 1411;

// The port entry that starts the virtual drive instead of opening a real port.
inline constexpr const char* kSimulatorEntry = "SIMULATOR : Virtual drive";

struct LinkPortRequest {
  std::vector<std::string> entries;    // the port list, in order
  // The entry of the last good connect (comfile.ini): its index, -1 when none matches, nothing
  // when no file was found.
  std::optional<int> remembered;
  int baudIndex = 1;
  bool linkWanted = false;
  bool preferSimulator = false;  // select the virtual drive whatever was remembered
};


class LinkPortSetDialog final : public ResourceDialog {
  Q_OBJECT
 public:
  explicit LinkPortSetDialog(const LinkPortRequest& request, QWidget* parent = nullptr);

  LinkPortChoice choice() const { return choice_; }

 protected:
  void onOk() override;

 private:
  void selectInitialEntry(const LinkPortRequest& request);

  QComboBox* ports_;
  QComboBox* bauds_;
  LinkPortChoice choice_;
};

// Shows the dialog; the choice on OK, nothing on Cancel.
using LinkPortAsker = std::optional<LinkPortChoice> (*)(const LinkPortRequest&, QWidget*);
std::optional<LinkPortChoice> askLinkPortSettings(const LinkPortRequest& request, QWidget* parent);

}  // namespace zavo
