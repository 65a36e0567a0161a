#pragma once
// The parameter groups the planning dialogs edit as a whole: the DI/DO function assignment
// (the contact group Hn) and the internal position command table. Read from the drive into
// the document and written back from it, over DriveLink or Modbus, with a progress window.

#include <functional>
#include <string>
#include <vector>

#include "link/DriveOperations.h"
#include "params/document/ZavoServoDoc.h"
#include "platform/Progress.h"

namespace zavo {

class PlanningTransfer {
 public:
  PlanningTransfer(DriveOperations& ops, Progress& progress) : ops_(ops), progress_(progress) {}

  // The DI/DO group of the current drive type (or of `driveType`): Hn501-Hn519 (type 0),
  // Hn601-Hn618 (types 2-4), Hn501-Hn511 (type 1).
  static std::vector<std::string> diDoNames();
  static std::vector<std::string> diDoNames(int driveType);
  // The position table items: Pn316, Pn313, then the path parameters (Pn317-Pn364 on types 0
  // and 1, Pn401-Pn496 on types 2-4).
  static std::vector<std::string> positionNames();
  static std::vector<std::string> positionNames(int driveType);
  // A Modbus parameter register holds one word: the first item of `names` that is carried in
  // two words on DriveLink and whose value in `values` does not fit one signed word; -1 for
  // none.
  static int firstUnfitForModbus(const std::vector<std::string>& names, const std::vector<std::int32_t>& values);
  // What the refusal of such an item says.
  static std::string unfitForModbusText(const std::string& name, std::int32_t value);

  // 1 on success. A failure closes the progress window and shows the communication message;
  // the document is only changed when every item was read.
  int readDiDo(CZavoServoDoc& doc);
  int writeDiDo(const CZavoServoDoc& doc);
  int readPosition(CZavoServoDoc& doc);
  // Writes the table; the caller announces success (the dialog knows whether a restart is
  // needed).
  int writePosition(const CZavoServoDoc& doc);

 private:
  // `stepsPerItem` progress steps per item with its name in the text; the first failing item
  // ends it with the communication message.
  bool eachItem(const std::vector<std::string>& names, const char* prefix, int stepsPerItem,
                const std::function<bool(std::size_t)>& transfer);
  bool readItems(const std::vector<std::string>& names, const char* prefix, std::vector<std::int32_t>& values);
  bool readItem(const std::string& name, std::int32_t& display);
  bool writePositionItem(const std::string& name, std::int32_t display);
  int fail(const std::string& text);

  DriveOperations& ops_;
  Progress& progress_;
};

}  // namespace zavo
