#pragma once
// The tests of off-line self-tuning as the program knows them: for each, its button in the
// dialog, the drive's selector (B58), the window timer that polls it, the parameters written
// before a mechanical test starts, and the fields it fills.

#include <span>
#include <string_view>

#include "tuning/TuningRegisters.h"

namespace zavo::tuning {

// A displayed value: its label, the register of its current value (and of the drive's
// proposal, when the tests propose one), how many consecutive registers it spans.
struct TuningField {
  std::string_view label;
  RegisterRef current;
  RegisterRef proposed{};  // page 0: none
  int count = 1;
  bool isSigned = false;
  bool hasProposal() const { return proposed.page != 0; }
};

// The parameters of SelfTuningSetDialog, in the order they are checked.
enum SetField : int { kSn201, kTn08, kTn09, kTn11, kTn12, kTn17, kTn18, kTn19, kTn20, kTn21, kSetFieldCount };
std::string_view setFieldCode(SetField f);
// Sn201 through its live register 536 (written in rpm), tnNN at B(0x54 + NN).
RegisterRef setFieldRegister(SetField f);

struct SelfTuningTest {
  std::string_view name;     // zavoctl's name of the test
  std::string_view caption;  // its button's
  int button;             // control id in the dialog
  int selector;           // B58
  int timer;              // window timer id (= the test's number, 8 the full set)
  std::span<const SetField> writes;          // mechanical: written before the start, in order
  std::span<const TuningField* const> shows;  // the fields the test fills
};

// Motor identification (dialog 6004, reduced form 6012) and mechanical tuning (6005).
std::span<const SelfTuningTest> motorTests();
std::span<const SelfTuningTest> mechanicalTests();
const SelfTuningTest* findTest(std::span<const SelfTuningTest> tests, std::string_view name);
const SelfTuningTest* testOfButton(std::span<const SelfTuningTest> tests, int button);
// Every field of the mechanical dialog, in display order (refreshed every 500 ms).
std::span<const TuningField* const> mechanicalFields();
// Every field of the motor dialog.
std::span<const TuningField* const> motorFields();

// Control ids of the test buttons and of the windows' shared controls.
inline constexpr int kButtonFullSet = 1118;
inline constexpr int kButtonTest1 = 1119;
inline constexpr int kButtonTest2 = 6012;
inline constexpr int kButtonTest3 = 6014;
inline constexpr int kButtonTest4 = 6015;
inline constexpr int kButtonTest5 = 6016;
inline constexpr int kButtonTest6 = 6017;
inline constexpr int kButtonTest7 = 6018;
inline constexpr int kButtonStop = 6062;
inline constexpr int kStatusLine = 1122;
inline constexpr int kFullSetTimer = 8;
inline constexpr int kRefreshTimer = 100;
inline constexpr int kPollMs = 500;

}  // namespace zavo::tuning
