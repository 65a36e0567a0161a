// The trace settings' entry rules, the sources' names and scaling, and trace.ini: what the
// Trace Setting dialog, zavoctl trace and the trace window all lean on.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "params/catalogue/DriveContext.h"
#include "trace/TraceColours.h"
#include "trace/TraceIni.h"
#include "trace/TraceProtocol.h"
#include "trace/TraceRules.h"
#include "trace/TraceScaling.h"

namespace zavo::trace {
namespace {

// Type 2: inputs SON, ALRS, ... (values 1, 2 active low; 0x103 active high names PCNT), then
// the four outputs RDY, ALM, ZS, BI.
TerminalAssignments m7Assignments() {
  TerminalAssignments a{};
  for (int k = 0; k < 12; ++k) a[static_cast<std::size_t>(k)] = k + 1;
  a[2] = 0x103;
  for (int k = 0; k < 4; ++k) a[static_cast<std::size_t>(12 + k)] = 0x101 + k;
  return a;
}

TraceSettings triggeredOn(int source, int level) {
  TraceSettings s;
  s.sources = {source, kSourceSpeedFeedback, kSourceNone, kSourceNone};
  s.triggerChannel = 1;
  s.triggerLevel = level;
  return s;
}

TEST(TraceSettingsRules, WhatTheDialogRefusesZavoctlRefusesToo) {
  const TraceSources m7(2, m7Assignments());
  struct Case {
    const char* name;
    TraceSettings s;
    bool sound;
  };
  auto with = [](TraceSettings s, auto change) {
    change(s);
    return s;
  };
  const TraceSettings single;
  TraceSettings monitor;
  monitor.mode = static_cast<int>(TraceMode::Monitor);
  const Case cases[] = {
      {"interval 0", with(single, [](auto& s) { s.interval = 0; }), false},
      {"interval 1250", with(single, [](auto& s) { s.interval = 1250; }), true},
      {"interval 1251", with(single, [](auto& s) { s.interval = 1251; }), false},
      {"monitor 500", with(monitor, [](auto& s) { s.interval = 500; }), true},
      {"monitor 501", with(monitor, [](auto& s) { s.interval = 501; }), false},
      {"monitor trigger", with(monitor, [](auto& s) { s.triggerChannel = 1; }), false},
      {"-3000 rpm", triggeredOn(kSourceSpeedCommand, -3000), true},
      {"-3001 rpm", triggeredOn(kSourceSpeedCommand, -3001), false},
      {"101 %", triggeredOn(kSourceTorqueCommand, 101), false},
      {"deviation 32767", triggeredOn(kSourceDeviation, 32767), true},
      {"deviation -32768", triggeredOn(kSourceDeviation, -32768), true},
      {"deviation 65535", triggeredOn(kSourceDeviation, 65535), false},
      {"angle 359", triggeredOn(kSourceElectricalAngle, 359), true},
      {"angle 360", triggeredOn(kSourceElectricalAngle, 360), false},
      {"digital 2", triggeredOn(kFirstDigitalSource, 2), false},
      {"position 50", with(triggeredOn(kSourceSpeedCommand, 0), [](auto& s) { s.triggerPosition = 50; }), true},
      {"position 51", with(triggeredOn(kSourceSpeedCommand, 0), [](auto& s) { s.triggerPosition = 51; }), false},
      {"trigger on none", with(single, [](auto& s) { s.triggerChannel = 3; }), false},
      {"trigger on the high word", with(triggeredOn(kSourceDeviation, 0), [](auto& s) { s.triggerChannel = 4; s.sources[3] = 1; }), false},
      {"last output", with(single, [&](auto& s) { s.sources[2] = m7.count() - 1; }), true},
      {"beyond the outputs", with(single, [&](auto& s) { s.sources[2] = m7.count(); }), false},
  };
  for (const auto& c : cases) EXPECT_EQ(checkSettings(c.s, m7, 3000).empty(), c.sound) << c.name;
}

TEST(TraceSettingsRules, ChangingTheTriggerSourceResetsOnlyBoundedLevels) {
  struct Case {
    int source;
    int level;
    int after;
  };
  const Case cases[] = {
      {kSourceTorqueFeedback, 150, 0}, {kSourceTorqueFeedback, -100, -100}, {kSourceCurrentU, 500, 0},
      {kSourceElectricalAngle, -5, 0}, {kSourceElectricalAngle, 359, 359},  {kFirstDigitalSource, 1, 1},
      {kFirstDigitalSource + 3, 2, 0}, {kSourceSpeedFeedback, 5000, 5000},  {kSourceDeviation, 40000, 40000},
  };
  for (const auto& c : cases) EXPECT_EQ(levelForSource(c.source, c.level, 3000), c.after) << c.source << " " << c.level;
  EXPECT_EQ(levelLabel(kSourcePulseReference, 2000), "[rpm]  (-2000~2000)");
  EXPECT_EQ(levelLabel(kSourceDeviation, 3000), "[pulse]  (-32768~32767)");
  EXPECT_EQ(levelLabel(kSourceNone, 3000), "");
}

TEST(TraceSettingsRules, DeviationOnDataOneToThreeGivesDataFourTheHighWord) {
  for (int c = 0; c < kChannelCount; ++c) {
    TraceSettings s;
    s.sources = {1, 2, 3, 4};
    s.sources[static_cast<std::size_t>(c)] = kSourceDeviation;
    EXPECT_EQ(s.armedSources()[3], c < 3 ? kSourceDeviationHigh : kSourceDeviation) << c;
  }
}

TEST(TraceSources, NamesFollowTheTerminalAssignmentAndOutputsFollowTheInputs) {
  const TraceSources m7(2, m7Assignments());
  EXPECT_EQ(m7.entryText(0), "None");
  EXPECT_EQ(m7.entryText(5), "5.Position deviation value");
  EXPECT_EQ(m7.name(0), "none");
  EXPECT_EQ(m7.name(9), "DI-1 - SON");
  EXPECT_EQ(m7.name(11), "DI-3 - PCNT");
  EXPECT_EQ(m7.name(21), "DO-1 - RDY");
  EXPECT_EQ(m7.name(23), "DO-3 - ZS");
  EXPECT_EQ(m7.count(), 25);
  // Type 0 has thirteen inputs: the thirteenth word names an input, and its first output
  // comes one source later.
  const TraceSources pdxr(0, m7Assignments());
  EXPECT_EQ(pdxr.name(21), "DI-13 - SON");
  EXPECT_EQ(pdxr.name(22), "DO-1 - ALM");
  EXPECT_EQ(TraceSources::unit(6), "degree");
  EXPECT_EQ(TraceSources::unit(12), "");
}

TEST(TraceScaling, RawSamplesInTheUnitsOfTheirSource) {
  struct Case {
    int source;
    std::int32_t raw;
    TraceScaling scaling;
    std::int32_t value;
  };
  const TraceScaling now{3000, 4096};
  const TraceScaling legacy{3000, 16384};
  const Case cases[] = {
      {1, 4096, now, 3000},          {2, -4096, now, -3000},      {7, 0xF000, now, -3000},  // raw taken as signed
      {1, 16384, legacy, 3000},      {1, 3, now, 2},              {1, -3, now, -2},         // 2.197 rounds to 2
      {3, 2048, now, 50},            {8, -41, now, -1},           {4, 4096, now, 100},      // -1.0009 -> -1
      {5, -32768, now, -32768},      {6, 1023, now, 360},         {6, 512, now, 180},       // 180.18 -> 180
      {9, 5, now, 1},                {20, 0, now, 0},             {21, -1, now, 0},
      {kSourceDeviationHigh, 0xFFFF, now, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.scaling.value(c.source, c.raw), c.value) << c.source << " " << c.raw;
  driveContext().reset(2);
  driveContext().ratedSpeed = 2000;
  driveContext().legacySeries = true;
  EXPECT_EQ(TraceScaling::current().ratedSpeed, 2000);
  EXPECT_EQ(TraceScaling::current().speedUnit, 16384);
  driveContext().reset(2);
}

class TraceIniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("trace-ini-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / kTraceIniName).string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void writeText(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(TraceIniTest, WhatIsWrittenReadsBackAndTheFileIsGoneAfterwards) {
  TraceSettings s = triggeredOn(kSourceDeviation, -1200);
  s.mode = 1;
  s.interval = 25;
  s.colours = {14, 1, 6, 9};
  s.edge = 2;
  s.triggerPosition = 30;
  const auto block = TraceSettingsBlock::of(s, m7Assignments());
  ASSERT_TRUE(writeTraceIni(path_, block));
  std::ifstream in(path_);
  std::string first, fourth;
  std::getline(in, first);
  for (int i = 0; i < 3; ++i) std::getline(in, fourth);
  EXPECT_EQ(first, "[Zavo Servo]");
  EXPECT_EQ(fourth, "1");
  in.close();

  TraceSettingsBlock back;
  EXPECT_EQ(takeTraceIni(path_, back), TraceIniFound::Valid);
  EXPECT_EQ(back, block);
  EXPECT_EQ(back.settings().colours, s.colours);
  EXPECT_EQ(back.samplePeriod, 250000);
  EXPECT_FALSE(std::filesystem::exists(path_));
  EXPECT_EQ(takeTraceIni(path_, back), TraceIniFound::None);
}

TEST_F(TraceIniTest, ForeignOrDamagedFilesAreTakenAsFarAsTheyGo) {
  TraceSettingsBlock b;
  b.interval = 7;
  writeText("[0001]\n[bsetok]\n1\n");
  EXPECT_EQ(takeTraceIni(path_, b), TraceIniFound::Invalid);
  EXPECT_EQ(b.interval, 7);
  EXPECT_FALSE(std::filesystem::exists(path_));

  // Windows line ends, a present flag of 5, a word that is no number, and a file that ends
  // before the interval line: the fields beyond it keep what they had.
  writeText("[Zavo Servo]\r\n[0001]\r\n[bsetok]\r\n5\r\nSON\r\n-12x\r\n");
  EXPECT_EQ(takeTraceIni(path_, b), TraceIniFound::Valid);
  EXPECT_EQ(b.present, 1);
  EXPECT_EQ(b.assignments[0], 0);
  EXPECT_EQ(b.assignments[1], -12);
  EXPECT_EQ(b.interval, 7);
}

TEST(TraceColours, TheTableAndItsRgbWords) {
  EXPECT_EQ(colourWord(0), 0x0000FFu);
  EXPECT_EQ(colourWord(3), 0xFF0000u);
  EXPECT_EQ(colourWord(14), 0x4080FFu);
  EXPECT_EQ(colourOf(15), (Rgb{255, 255, 255}));
  EXPECT_EQ(colourIndexOf(colourWord(9)), 9);
  EXPECT_EQ(colourIndexOf(0), -1);
}

}  // namespace
}  // namespace zavo::trace
