#pragma once
// The Online Parameter dialog without its window: eight slots, each one parameter of the drive
// with its limits and the value last read or written, stepped live. Every step is written to
// the drive at once; a step the drive refuses takes the slot back to its previous value. The
// slot codes themselves are process-wide: they outlive the dialog and are what the `.onp`
// file holds.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/OnlineStep.h"
#include "params/document/OnpFile.h"

namespace zavo {

class CZavoServoDoc;
class DriveOperations;

// The slot codes of this process (empty strings for free slots).
OnlineSlotCodes& onlineSlotSet();

struct OnlineSlot {
  std::string code;  // "" for a free slot
  std::int32_t value = 0;
  bool known = false;  // the value came from the drive
  std::int32_t min = 0, max = 0;
  OnlineStepping stepping;

  bool empty() const { return code.empty(); }
  std::string title() const;
  std::string unit() const;
  std::string range() const;
  // The value as the slot shows it; "" until it is known.
  std::string valueText() const;
};

class OnlineEditor {
 public:
  enum class Outcome { Written, NoLink, OverRange, Failed, Free };

  // Limits come from `doc`, the values from the drive behind `ops`.
  OnlineEditor(DriveOperations& ops, const CZavoServoDoc& doc);

  // The slots of `codes`: a code the current drive type lacks leaves its slot free. With a
  // link each value is read; a value that cannot be read stays unknown.
  void load(const OnlineSlotCodes& codes);
  OnlineSlotCodes codes() const;
  const OnlineSlot& slot(int i) const { return slots_[static_cast<std::size_t>(i)]; }

  // One step of slot `i`, written to the drive; every refusal and failure is said in its own
  // box. `changed` receives the slots to repaint: this one and any other on the same drive
  // word.
  Outcome step(int i, OnlineStep step, bool up, std::vector<int>& changed);

 private:
  bool readValue(OnlineSlot& s);
  // Other slots naming the drive word of slot `i` take its new value.
  void followWord(int i, std::vector<int>& changed);

  DriveOperations& ops_;
  const CZavoServoDoc& doc_;
  std::vector<OnlineSlot> slots_;
};

}  // namespace zavo
