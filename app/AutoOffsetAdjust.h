#pragma once
// Auto offset adjustment (dn-07): after the user confirms that the analog command inputs are
// shorted, one register write makes the drive measure and store the offsets of its analog
// inputs.

#include <string>
#include <utility>

namespace zavo {

class DriveOperations;

inline constexpr int kAutoOffsetPage = '5';
inline constexpr int kAutoOffsetRegister = 0xFC;
inline constexpr int kAutoOffsetStart = 1;

enum class AutoOffsetOutcome { Declined, Succeeded, Failed };

// The two analog input contacts named in the question: they sit on other pins of CN1 on the
// M7 family (drive types 2-4).
std::pair<std::string, std::string> autoOffsetContacts(int driveType);
// The question (string 62021) with the contacts filled in.
std::string autoOffsetQuestion(int driveType);

// Asks (Yes/No, question icon); on Yes writes the start value when the link is open and says
// how it went: "Successfully!!" or "Communicate Error!".
AutoOffsetOutcome runAutoOffsetAdjust(DriveOperations& ops, int driveType, bool linkOpen);

}  // namespace zavo
