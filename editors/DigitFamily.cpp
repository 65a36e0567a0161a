// The digit-editor family: which dialog edits which packed parameter on which drive types,
// and what each choice of each digit means.

#include "editors/DigitFamily.h"

namespace zavo::digits {
namespace {

constexpr const char* kOffOn[] = {"Off", "On"};

// Cn002: contact auxiliary functions and the return from an emergency stop.
constexpr const char* kCn002Son[] = {"Servo ON by the SON contact", "Servo ON at power-up, SON not needed"};
constexpr const char* kCn002Limits[] = {"CCWL and CWL contacts used", "CCWL and CWL contacts not used"};
constexpr const char* kCn002Tuning[] = {"Auto tuning off", "Auto tuning on"};
constexpr const char* kCn002Emc[] = {"EMC released by switching SON off", "EMC released by ALRS"};

// Cn006: what the two analog monitor outputs show.
constexpr const char* kMonitorSources[] = {"Motor speed",       "Speed command",    "Torque command",
                                           "Position error",    "Pulse command frequency",
                                           "Current feedback",  "DC bus voltage"};

// Cn015: when the speed loop leaves PI for P, and when the second gain set takes over.
constexpr const char* kPiSwitch[] = {"Torque command above Cn016", "Speed command above Cn017",
                                     "Acceleration above Cn018", "Position error above Cn019", "Never (PI only)"};
constexpr const char* kGainSwitch[] = {"Torque command above Cn021", "Speed command above Cn022",
                                       "Acceleration above Cn023", "Position error above Cn024",
                                       "By the G-SEL contact"};

// Cn031: cooling fan, low-voltage alarm reset and the absolute encoder's battery alarm.
constexpr const char* kFan[] = {"Fan runs at Servo ON", "Fan always runs", "Fan runs by temperature", "Fan off"};
constexpr const char* kLowVoltageReset[] = {"Low-voltage alarm reset by hand", "Low-voltage alarm resets itself"};
constexpr const char* kBatteryAlarm[] = {"Battery alarm off", "Battery alarm on"};

// Cn037: the RS-485 port.
constexpr const char* kBaud[] = {"4800 bps", "9600 bps", "19200 bps", "38400 bps", "57600 bps", "115200 bps"};
constexpr const char* kFrame[] = {"7, N, 2 (Modbus ASCII)", "7, E, 1 (Modbus ASCII)", "7, O, 1 (Modbus ASCII)",
                                  "8, N, 2 (Modbus ASCII)"};
constexpr const char* kPort[] = {"RS-232", "RS-485"};

// Pn301: the external pulse command.
constexpr const char* kPulseType[] = {"Pulse and direction", "CW and CCW pulses", "A/B phase pulses x2",
                                      "A/B phase pulses x4"};
constexpr const char* kPulseLogic[] = {"Positive logic", "Negative logic"};
constexpr const char* kPulseInhibit[] = {"INH contact not used", "INH contact inhibits the pulses"};
constexpr const char* kPulseFilter[] = {"Input filter 0", "Input filter 1", "Input filter 2", "Input filter 3",
                                        "Input filter 4", "Input filter 5", "Input filter 6", "Input filter 7"};

// Pn316: the internal position command.
constexpr const char* kPositionMode[] = {"Absolute positioning", "Incremental positioning"};
constexpr const char* kPhold[] = {"PHOLD drops the rest of the move", "PHOLD holds and resumes the move"};
constexpr const char* kPositionStart[] = {"Move starts on PTRG", "Move starts when the point changes"};
constexpr const char* kPositionHome[] = {"Home search before the first move", "No home search"};

// Pn365: the home routine.
constexpr const char* kHomeSearch[] = {"CCW to the ORG contact", "CW to the ORG contact", "CCW to the Z pulse",
                                       "CW to the Z pulse",      "CCW to the CCWL limit", "CW to the CWL limit"};
constexpr const char* kHomeZ[] = {"Back to the nearest Z pulse", "On to the next Z pulse", "No Z pulse search"};
constexpr const char* kHomeStart[] = {"Homing at power-up", "Homing by the SHOME contact", "No homing"};
constexpr const char* kHomeEnd[] = {"Stop at the home position", "Return to the home position"};

// Pn341 (M7-R): the full-closed loop.
constexpr const char* kFullClosedLoop[] = {"Full-closed loop off", "Full-closed loop on"};
constexpr const char* kDividingSource[] = {"Dividing output from the motor encoder",
                                           "Dividing output from the load encoder"};

// Pn345: a digit of the pulse output function, shown as its number.
constexpr const char* kHexFirst[] = {"", "", "", "", "", "", "", "", "", "", ""};  // 0-A
constexpr const char* kHexDigit[] = {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""};

// Cn001: the control mode, one list.
constexpr const char* kControlModes[] = {"Torque control",
                                         "Speed control",
                                         "Position control (external pulse command)",
                                         "Position / speed switch",
                                         "Position / torque switch",
                                         "Speed / torque switch",
                                         "Position control (internal position command)",
                                         "Internal position / speed switch",
                                         "Internal position / torque switch",
                                         "Internal / external position switch",
                                         "Speed control (internal speed command)",
                                         "Speed control with zero clamp",
                                         "Tool turret (Pt) mode",
                                         "Electronic cam mode"};

// Cn026: rigidity levels 1-21, the gains shown beside the list.
constexpr const char* kRigidity[] = {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""};

constexpr Member kMembers[] = {
    {131, "Cn002", kAll, DigitEditorKind::Digits, "Range  (0000-1011)", {kCn002Son, kCn002Limits, kCn002Tuning, kCn002Emc}},
    {268, "Cn006", kAll, DigitEditorKind::Digits, "(0000-0066)", {kMonitorSources, kMonitorSources, {}, {}}},
    {138, "Cn015", kAll, DigitEditorKind::Digits, "(0000-0044)", {kPiSwitch, kGainSwitch, {}, {}}},
    {1240, "Cn031", kOlder, DigitEditorKind::Digits, "(000-113)", {kFan, kLowVoltageReset, kBatteryAlarm, {}}},
    {1253, "Cn031", kM7, DigitEditorKind::Digits, "(0000-0113)", {kFan, kLowVoltageReset, kBatteryAlarm, {}}},
    {272, "Cn037", kAll, DigitEditorKind::Digits, "(0000-0135)", {kBaud, kFrame, kPort, {}}},
    {265, "Pn301", kOlder, DigitEditorKind::Digits, "(0000-0113)", {kPulseType, kPulseLogic, kPulseInhibit, {}}},
    {276, "Pn301", kM7, DigitEditorKind::Digits, "(0000-7113)", {kPulseType, kPulseLogic, kPulseInhibit, kPulseFilter}},
    {273, "Pn316", kOlder, DigitEditorKind::Digits, "(0000-0011)", {kPositionMode, kPhold, {}, {}}},
    {1241, "Pn316", kM7, DigitEditorKind::Digits, "(0000-1111)", {kPositionMode, kPhold, kPositionStart, kPositionHome}},
    {266, "Pn365", kOlder, DigitEditorKind::Digits, "(0000-1225)", {kHomeSearch, kHomeZ, kHomeStart, kHomeEnd}},
    {1252, "Pn341", kType3, DigitEditorKind::Digits, "(0000-0011)", {kFullClosedLoop, kDividingSource, {}, {}}},
    {1255, "Pn345", kM7, DigitEditorKind::Digits, "(0000-FFFA)", {kHexFirst, kHexDigit, kHexDigit, kHexDigit}},
    {kIddInputLogicBits6, "Hn510", kType1, DigitEditorKind::Bits, "(0000-003F)", {kOffOn, {}, {}, {}}},
    {kIddInputLogicBits12, "Hn617", kM7, DigitEditorKind::Bits, "(0000-0FFF)", {kOffOn, {}, {}, {}}},
    {1242, "Cn001", kType3, DigitEditorKind::List, "(0~D)", {kControlModes, {}, {}, {}}},
    {1242, "Cn001", kAll, DigitEditorKind::List, "(0~C)", {kControlModes, {}, {}, {}}},
    {189, "Cn026", kAll, DigitEditorKind::Rigidity, "(1-21)", {kRigidity, {}, {}, {}}},
};

constexpr const char* kGenericCodes[] = {"Cn005", "Cn059", "Cn063", "Cn078", "Cn085", "Pn307",
                                         "Pn317", "Pn336", "Pn346", "Pn347", "Pn350", "Pn352",
                                         "Sn222", "ECA02", "Hn518", "Hn519", "Hn618"};

}  // namespace

std::span<const Member> members() { return kMembers; }
std::span<const char* const> genericCodes() { return kGenericCodes; }

}  // namespace zavo::digits
