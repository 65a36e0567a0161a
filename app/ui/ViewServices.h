#pragma once
// What the view is given by the program around it: where status goes, how the port list is
// built and the port settings are asked, and the folders for the port memory. Tests replace
// the port list and the dialog.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "app/ui/LinkPortSetDialog.h"
#include "params/listing/DisplaySelection.h"

class QWidget;

namespace zavo {

class StatusSink;
class VirtualDrive;

struct ViewServices {
  using PortEntries = std::function<std::vector<std::string>()>;
  using AskPort = std::function<std::optional<LinkPortChoice>(const LinkPortRequest&, QWidget*)>;

  StatusSink* status = nullptr;
  PortEntries portEntries;
  AskPort askPort = askLinkPortSettings;
  VirtualDrive* virtualDrive = nullptr;
  std::string programDir;
  std::string tempDir;
  bool preferSimulator = false;  // --virtual-drive
  // The display selection of the settings file, and where a changed one goes back to.
  DisplaySelection displaySelection;
  std::function<void(const DisplaySelection&)> displaySelectionChanged;
  // The save dialog for a parameter file (tests answer it); "" when the user cancels.
  std::function<QString(QWidget*)> pickSavePath;
};

}  // namespace zavo
