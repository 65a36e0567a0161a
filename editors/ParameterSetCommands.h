#pragma once
// The Write, Read, Default and Compare buttons of the Parameter Set editor without the window:
// their refusals, questions, progress and messages, and the transfers of the listed
// parameters with the drive through the by-name drive operations. Results go into the model;
// the window redraws the rows each command reports and shows the comparison.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/ParameterSetModel.h"

namespace zavo {

class DriveOperations;
class Progress;

// One parameter whose working value and drive value differ.
struct ValueDifference {
  int row;
  std::int32_t edited;
  std::int32_t read;
};

class ParameterSetCommands {
 public:
  enum class Outcome { Done, Refused, Cancelled, Failed };

  // `caption` titles the "No parameter is selected!" box: the editor's own caption.
  ParameterSetCommands(ParameterSetModel& model, DriveOperations& ops, Progress& progress,
                       std::string caption = "Parameter Set");

  // Each returns the rows whose cells or marks changed in `changed`, in list order.
  Outcome write(std::vector<int>& changed);
  Outcome readChecked(std::vector<int>& changed);
  // Reads every listed parameter the drive holds (the offer made when the link comes up).
  Outcome readListed(std::vector<int>& changed);
  Outcome restoreDefaults(std::vector<int>& changed);
  // Reads every listed parameter that the comparison covers and collects those that differ;
  // when none does, says so.
  Outcome compare(std::vector<ValueDifference>& differences);

  // Rows a transfer takes: those whose parameter the drive holds at a register.
  static bool transferable(const std::string& code);
  // Rows a Write sends: transferable ones, except those the drive type never takes.
  static bool writable(const std::string& code, int driveType);
  // Groups the comparison covers.
  static bool compared(ParamGroup group);

 private:
  Outcome read(const std::vector<int>& rows, std::vector<int>& changed);
  bool refuseEmpty();
  bool refusedWrite();
  Outcome failed(const std::string& progressText);

  ParameterSetModel& model_;
  DriveOperations& ops_;
  Progress& progress_;
  std::string caption_;
};

}  // namespace zavo
