// The status bar texts: panes for a connected and an unconnected link, servo status bits,
// motor code and drive capacity.

#include <gtest/gtest.h>

#include "app/MotorCodeText.h"
#include "app/StatusPanes.h"
#include "app/StatusTexts.h"

namespace zavo {
namespace {

TEST(StatusPanesTest, ConnectedPanes) {
  StatusSnapshot s;
  s.connected = true;
  s.linkWanted = true;
  s.servoOn = 1;
  s.controlMode = 3;
  s.version = 218;
  s.motorCode = 0x1357;  // capacity bits 3, bits 12-15 = 1; power 0x35 = 53; encoder 7
  s.statusWord = 0;
  s.driveType = 2;
  const char* expected[kStatusPaneCount] = {"Servo Status:Servo On", "Pe-SControl", "Version: A02.18", "Servo Linking",
                                            "Type: 30A", "Motor Type:1.0KW 3000rpm 17bit", "Message: ", "Normal"};
  for (int p = 0; p < kStatusPaneCount; ++p) EXPECT_EQ(statusPaneText(p, s), expected[p]) << "pane " << p;

  s.servoOn = 0;
  s.driveType = 3;
  s.version = 1005;
  s.controlMode = 42;
  EXPECT_EQ(statusPaneText(kPaneServo, s), "Servo Status:Servo Off");
  EXPECT_EQ(statusPaneText(kPaneVersion, s), "Version: E10.05");
  EXPECT_EQ(statusPaneText(kPaneControlMode, s), "Control") << "an unknown mode has no name";
  s.servoOn = 2;
  EXPECT_EQ(statusPaneText(kPaneServo, s), "Servo Status:Servo Off") << "only 1 means on";
}

TEST(StatusPanesTest, UnconnectedPanesByLinkWantedAndDriveType) {
  StatusSnapshot s;
  s.connected = false;
  s.servoOn = 1;  // stale values must not show
  s.motorCode = 0x1357;
  s.statusWord = 1;
  const char* expected[kStatusPaneCount] = {"Servo Status:Servo Off", "--- control", "Version: *.**", "Servo unlink",
                                            "Type: -----", "Motor Type:-----------", "Message: Disconnect", ""};
  for (int p = 0; p < kStatusPaneCount; ++p) EXPECT_EQ(statusPaneText(p, s), expected[p]) << "pane " << p;
  s.linkWanted = true;
  EXPECT_EQ(statusPaneText(kPaneMessage, s), "Message: Communicate Error!");
  for (int type : {0, 2, 3, 4}) {
    s.driveType = type;
    EXPECT_EQ(statusPaneText(kPaneDriveType, s), "Type: -----") << type;
  }
  s.driveType = 1;
  EXPECT_EQ(statusPaneText(kPaneDriveType, s), "Type: PDXA-----");
}

TEST(StatusPanesTest, IndicatorsAndWidths) {
  const char* indicators[] = {"Servo Status:", "--- control", "Version: ", "Servo unlink",
                              "Type: ",        "Motor Type:", "Message: ", "Alarm: "};
  const int divisors[] = {8, 13, 14, 10, 10, 6, 6, 6};
  for (int p = 0; p < kStatusPaneCount; ++p) {
    EXPECT_EQ(statusIndicatorText(p), indicators[p]);
    EXPECT_EQ(statusPaneWidthDivisor(p), divisors[p]);
  }
}

TEST(StatusTextsTest, EveryServoStatusBitAndTheLowestWins) {
  const char* texts[] = {"Low power voltage",
                         "High power voltage(Regenerative error)",
                         "Motor overload",
                         "Drive overcurrent",
                         "A/B/Z phase signal error",
                         "U/V/W phase signal error",
                         "Multi-functional terminal planning error",
                         "Memory Error",
                         "Emergency  Stop",
                         "Absolute encoder battery error",
                         "",
                         "Excessive position error",
                         "Motor over speed",
                         "ncorrect parameter setting",
                         "Rotation inhibit error",
                         "Absolute encoder battery error",
                         "watch dog run"};
  for (unsigned bit = 0; bit < 17; ++bit) {
    EXPECT_EQ(servoStatusText(1u << bit), texts[bit]) << "bit " << bit;
    // Higher bits set as well do not change the text.
    EXPECT_EQ(servoStatusText((1u << bit) | 0x10000u | (0xFFFFu << bit & 0xFFFFu)), texts[bit]) << "bit " << bit;
  }
  EXPECT_EQ(servoStatusText(0), "Normal");
  EXPECT_EQ(servoStatusText(1u << 17), "Normal") << "bits above 16 carry no status";
  StatusSnapshot s;
  s.connected = true;
  s.statusWord = 0x0900;
  EXPECT_EQ(statusPaneText(kPaneAlarm, s), "Emergency  Stop");
}

TEST(StatusTextsTest, ControlModeNames) {
  const char* names[] = {"T", "S", "Pe", "Pe-S", "S-T", "Pe-T", "Pi", "Pi-S", "Pi-T", "Pt", "Pi-Pe"};
  for (int m = 0; m < 11; ++m) EXPECT_EQ(controlModeName(m), names[m]);
  EXPECT_EQ(controlModeName(11), "");
  EXPECT_EQ(controlModeName(-1), "");
}

std::uint16_t motor(int power, int encoder) { return static_cast<std::uint16_t>((power << 4) | encoder); }

TEST(MotorCodeTextTest, PowerSpeedAndEncoder) {
  struct Case {
    int power;
    const char* text;
  };
  // The first and last value of ranges, single values, and codes between rows.
  const Case cases[] = {{1, "0.05KW 3000rpm"},  {5, "0.05KW 3000rpm"},   {2, "0.1KW 3000rpm"},  {4, "0.1KW 3000rpm"},
                        {17, "0.1KW 3000rpm"},  {28, "0.4KW 3000rpm"},   {30, "0.4KW 3000rpm"}, {59, "0.75KW 3000rpm"},
                        {61, "0.75KW 3000rpm"}, {16, "0.6KW 3000rpm"},   {91, "0.85KW 1500rpm"}, {164, "7.5KW 1500rpm"},
                        {166, "7.5KW 1500rpm"}, {153, "18.5KW 1000rpm"}, {176, "18.5KW 1500rpm"}, {182, "15.0KW 1500rpm"},
                        {0, ""},                {10, ""},             {63, ""},              {183, ""},
                        {255, ""}};
  for (const Case& c : cases) EXPECT_EQ(motorPowerText(motor(c.power, 0)), c.text) << c.power;

  struct Enc {
    int bits;
    const char* text;
  };
  const Enc encoders[] = {{0, " 2500ppr"},     {1, " 2500ppr"},  {2, " 8192ppr"}, {3, " 23bit(ABS)"},
                          {5, " 15bit(ABS)"},  {7, " 17bit"},    {10, " 17bit(ABS)"}, {12, " 23bit"},
                          {15, " 23bit(ABS)"}};
  for (const Enc& e : encoders) EXPECT_EQ(encoderText(motor(20, e.bits)), e.text) << e.bits;

  EXPECT_EQ(motorTypeText(motor(20, 12)), "0.4KW 3000rpm 23bit");
  EXPECT_EQ(motorTypeText(motor(10, 12)), "---------------------") << "no encoder after an unknown motor";
}

TEST(MotorCodeTextTest, CapacityColumns) {
  struct Case {
    unsigned bits8to11;
    const char* style1;
    const char* style2;
    const char* series1;
    const char* other;
  };
  const Case cases[] = {
      {0x0, "N0000", "001-2", "10A", "10B"},   {0x2, "N0200", "007-2", "20A", "25B"},
      {0x4, "----", "----", "----", "50B"},    {0x6, "----", "----", "----", "100B"},
      {0x8, "N1000", "044-23", "100A", "200B"}, {0x9, "N1500", "055-23", "150A", "----"},
      {0xB, "N3000", "150-23", "300A", "----"}, {0xC, "----", "----", "----", "----"},
      {0xF, "----", "----", "----", "----"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits8to11);
    const auto withHigh = [&](unsigned high) { return static_cast<std::uint16_t>(high << 12 | c.bits8to11 << 8 | 0x35); };
    EXPECT_EQ(capacityText(withHigh(0), NamingStyle::Style1), c.style1);
    EXPECT_EQ(capacityText(withHigh(1), NamingStyle::Style1), c.style1) << "bits 12-15 only choose within the default style";
    EXPECT_EQ(capacityText(withHigh(0), NamingStyle::Style2), c.style2);
    EXPECT_EQ(capacityText(withHigh(1), NamingStyle::Default), c.series1);
    EXPECT_EQ(capacityText(withHigh(0), NamingStyle::Default), c.other);
    EXPECT_EQ(capacityText(withHigh(2), NamingStyle::Default), c.other);
  }
}

}  // namespace
}  // namespace zavo
