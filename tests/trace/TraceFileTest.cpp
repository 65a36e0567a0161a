// Trace data files, the text export and trace.ini at the window, on disk: what a file must be
// to open, what older versions leave out, how a drawing state out of range is held, and that
// a save never costs the old file.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "trace/TraceColours.h"
#include "trace/TraceCsv.h"
#include "trace/TraceFiles.h"
#include "trace/TraceIni.h"
#include "trace/TraceIniHandOff.h"
#include "trace/TraceView.h"

namespace zavo::trace {
namespace {

namespace fs = std::filesystem;

// A record of drive type 2 in `mode`, each channel's samples its own ramp.
TraceRecordFile recordIn(TraceMode mode) {
  TraceSettings s;
  s.mode = static_cast<int>(mode);
  s.interval = mode == TraceMode::Monitor ? 3 : 25;
  s.sources = {kSourceSpeedCommand, kSourceTorqueCommand, kSourceDeviation, kFirstDigitalSource + 12};
  s.colours = {0, 5, 9, 14};
  TerminalAssignments t{};
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<int>(i) + 1;
  TraceView v(2, s, t);
  for (int c = 0; c < kChannelCount; ++c)
    for (std::size_t i = 0; i < v.display(c).size(); ++i)
      v.display()[static_cast<std::size_t>(c)][i] = static_cast<std::int32_t>(i) * (c + 1) - 700;
  v.keepDisplayed();
  v.time().select(40);
  v.time().scrollTo(3);
  v.moveUp(2);
  v.bringToFront(1);
  return v.record();
}

// The bytes of `f` as a version `version` writer wrote them.
std::string asVersion(const TraceRecordFile& f, int version) {
  std::string bytes = traceFileBytes(f);
  const std::size_t header = bytes.find("[Trace Data]\n") + 13;
  std::string words = bytes.substr(header);
  const std::size_t n = static_cast<std::size_t>(f.points) + 1;
  if (version <= kVersionWithoutScales34) words.erase(4 * (19 + 2 * n), 4 * 8);  // fields 22-29
  if (version <= kVersionWithoutMode) words.erase(0, 4);                         // field 1
  return "; Zavo Servo M7 v0.1." + std::to_string(version) + "\n[Trace Data]\n" + words;
}

class TraceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("trace-file-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }
  static std::string read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
};

TEST_F(TraceFileTest, EveryModeReadsBackToTheSameBytes) {
  for (TraceMode mode : {TraceMode::Single, TraceMode::Cycle, TraceMode::Monitor}) {
    const TraceRecordFile f = recordIn(mode);
    ASSERT_EQ(saveTraceFile(path("a.trd"), f).outcome, TraceSave::Outcome::Written);
    const TraceOpen o = openTraceFile(path("a.trd"), 2, 0);
    ASSERT_EQ(o.result, TraceOpenResult::Ok);
    EXPECT_EQ(o.file, f);
    TraceView v(2, TraceSettings{}, {});
    v.takeRecord(o.file);
    EXPECT_EQ(v.frontChannel(), 1);
    EXPECT_EQ(traceFileBytes(v.record()), read(path("a.trd"))) << static_cast<int>(mode);
    EXPECT_EQ(o.file.samples[0].size(), static_cast<std::size_t>(f.points) + 1);
  }
}

TEST_F(TraceFileTest, OlderVersionsLackTheModeAndTheScalesOfData3And4) {
  TraceRecordFile single = recordIn(TraceMode::Single);
  TraceRecordFile monitor = recordIn(TraceMode::Monitor);
  struct Case {
    const TraceRecordFile& f;
    int version;
    int windowMode;
    int mode;
  };
  for (const Case c : {Case{single, 160800, 1, 1}, Case{single, 160201, 0, 0}, Case{monitor, 160800, 1, 2},
                       Case{single, 160200, 0, 0}, Case{monitor, 150101, 0, 2}}) {
    const auto f = parseTraceFile(asVersion(c.f, c.version), c.windowMode);
    ASSERT_TRUE(f) << c.version;
    EXPECT_EQ(f->mode, c.mode) << c.version;
    EXPECT_EQ(f->samples, c.f.samples) << c.version;
    EXPECT_EQ(f->terminals, c.f.terminals) << c.version;
    EXPECT_EQ(f->driveType, 2);
    if (c.version > kVersionWithoutScales34) {
      EXPECT_EQ(f->scales, c.f.scales) << c.version;
    } else {
      EXPECT_EQ(f->scales[2].units, 100);
      EXPECT_EQ(f->scales[2].halfSpan, c.f.scales[2].halfSpan) << "from the repeated half span";
      EXPECT_EQ(f->sources[3], c.f.sources[3]);
    }
  }
  // Windows line ends in the header; a file that ends before the late words.
  std::string bytes = traceFileBytes(single);
  bytes.replace(bytes.find('\n'), 1, "\r\n");
  bytes.replace(bytes.find("]\n"), 2, "]\r\n");
  EXPECT_TRUE(parseTraceFile(bytes, 0));
  bytes.resize(bytes.size() - 12);
  const auto early = parseTraceFile(bytes, 0);
  ASSERT_TRUE(early);
  EXPECT_EQ(early->driveType, 0);
  EXPECT_EQ(early->triggerChannel, 0);
}

TEST_F(TraceFileTest, WhatIsNotASoundRecordIsRefusedWithoutTouchingAnything) {
  const TraceRecordFile good = recordIn(TraceMode::Single);
  const std::string bytes = traceFileBytes(good);
  const std::size_t words = bytes.find("[Trace Data]\n") + 13;
  auto withWord = [&](std::size_t field, std::int32_t v) {
    std::string b = bytes;
    for (int i = 0; i < 4; ++i) b[words + 4 * field + i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return b;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"no ';'", "Zavo Servo M7 v0.1.160830\n[Trace Data]\n" + bytes.substr(words)},
      {"another program", "; Other Tool M7 v0.1.160830\n[Trace Data]\n" + bytes.substr(words)},
      {"no version", "; Zavo Servo M7 v0.1.16083x\n[Trace Data]\n" + bytes.substr(words)},
      {"second line", "; Zavo Servo M7 v0.1.160830\n[Trace data]\n" + bytes.substr(words)},
      {"no line end", "; Zavo Servo M7 v0.1.160830"},
      {"header only", bytes.substr(0, words)},
      {"cut in the first block", bytes.substr(0, words + 400)},
      {"cut in the last block", bytes.substr(0, bytes.size() - 100)},
      {"cut in a late word", bytes.substr(0, bytes.size() - 2)},
      {"mode 3", withWord(0, 3)},
      {"mode -1", withWord(0, -1)},
      {"no points", withWord(7, 0)},
      {"30000 points", withWord(7, 30000)},
      {"negative points", withWord(7, -5)},
      {"interval 0", withWord(6, 0)},
      {"interval 1251", withWord(6, 1251)},
  };
  for (const Case& c : cases) EXPECT_FALSE(parseTraceFile(c.bytes, 0)) << c.what;
  TraceRecordFile monitor = recordIn(TraceMode::Monitor);
  monitor.interval = 501;
  EXPECT_FALSE(parseTraceFile(traceFileBytes(monitor), 0)) << "501 in Monitor mode";

  write("good.TRD", bytes);
  write("good.trx", bytes);
  EXPECT_EQ(openTraceFile(path("good.TRD"), 2, 0).result, TraceOpenResult::Ok) << "the extension in any case";
  EXPECT_EQ(openTraceFile(path("good.trx"), 2, 0).result, TraceOpenResult::Invalid);
  EXPECT_EQ(openTraceFile(path("none.trd"), 2, 0).result, TraceOpenResult::Invalid);
  EXPECT_EQ(openTraceFile(path("good.TRD"), 3, 0).result, TraceOpenResult::OtherDriveType);
  EXPECT_EQ(traceOpenMessage(TraceOpenResult::OtherDriveType), "Serial error");
  EXPECT_FALSE(traceOpenMessage(TraceOpenResult::Invalid).empty());
}

TEST_F(TraceFileTest, ADrawingStateOutOfRangeIsHeldWhereItCanBeDrawn) {
  TraceRecordFile f = recordIn(TraceMode::Cycle);
  f.sources = {-1, 27, 29, 40};  // drive type 2 has sources 0-24
  f.triggerChannel = 16;
  f.triggerLevel = 900;
  f.scales[0].units = 0;
  f.scales[1].units = 7;
  f.scales[2].selection = 99;
  f.scales[3].slider = -5;
  f.frontChannel = 9;
  f.timeSelection = 5000;
  f.scroll = 100000;
  const std::string p = write("odd.trd", traceFileBytes(f));
  const TraceOpen o = openTraceFile(p, 2, 0);
  ASSERT_EQ(o.result, TraceOpenResult::Ok);
  EXPECT_EQ(o.file.sources, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(o.file.triggerChannel, 0);
  EXPECT_EQ(o.file.triggerLevel, 0);
  EXPECT_EQ(o.file.scales[0].units, 100);
  EXPECT_EQ(o.file.scales[1].units, 100);
  EXPECT_EQ(unitsOfSelection(o.file.scales[2].selection), o.file.scales[2].units);
  EXPECT_EQ(o.file.scales[3].slider, 0);
  EXPECT_EQ(o.file.frontChannel, 3);
  EXPECT_EQ(o.file.timeSelection, 102) << "one sample a division";
  TraceTimeAxis t(o.file.mode, o.file.periodWord(), o.file.interval, o.file.points);
  t.select(o.file.timeSelection);
  EXPECT_EQ(o.file.scroll, t.maxScroll());

  // A sample period that is no number: the interval times the axis instead.
  f = recordIn(TraceMode::Single);
  f.setPeriodWord(std::numeric_limits<float>::quiet_NaN());
  const TraceTimeAxis nan(f.mode, f.periodWord(), f.interval, f.points);
  EXPECT_DOUBLE_EQ(nan.step(), 250);
}

TEST_F(TraceFileTest, TheExportNamesEachSignalAndStartsOneSamplePeriodIn) {
  TraceRecordFile f = recordIn(TraceMode::Single);
  f.sources[1] = kSourceNone;
  f.scroll = 0;
  ASSERT_EQ(saveTraceFile(path("x.CSV"), f).outcome, TraceSave::Outcome::Written);
  std::istringstream in(read(path("x.CSV")));
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 3u + 1024u);
  EXPECT_EQ(lines[0], "; Zavo Servo M7 v0.1.160830");
  EXPECT_EQ(lines[1], "[Trace Data]");
  // Input 13 does not exist on drive type 2: its source is the first output, named after the
  // output's own assignment word (the 13th), function 12.
  EXPECT_EQ(lines[2].substr(0, 58), "time(ms),ch1 Speed Command(rpm),ch2 none( ),ch3 Position d");
  EXPECT_NE(lines[2].find(",ch4 DO-1 - "), std::string::npos) << lines[2];
  EXPECT_EQ(lines[2].back(), ',');
  EXPECT_EQ(lines[3], "2.50  ,-700  ,-700  ,-700  ,-700  ,");
  EXPECT_EQ(lines[4].substr(0, 12), "5.00  ,-699 ");
  EXPECT_EQ(lines.back().substr(0, 8), "2560.00 ");

  // With the plot scrolled the times start at its left edge.
  f.scroll = 3;
  std::istringstream scrolled(traceCsvText(f));
  for (int i = 0; i < 4; ++i) std::getline(scrolled, lines[0]);
  EXPECT_EQ(lines[0].substr(0, 14), "470.50  ,-700 ") << "three divisions of 62.4 samples of 2.5 ms, and one";
}

TEST_F(TraceFileTest, OnlyTrdAndCsvNamesAreWrittenAndAFailedSaveKeepsTheOldFile) {
  const TraceRecordFile f = recordIn(TraceMode::Single);
  for (const char* name : {"a.txt", "trd", "a.trd.bak", "x.", "ab"}) {
    EXPECT_EQ(saveTraceFile(path(name), f).outcome, TraceSave::Outcome::NotWritten) << name;
    EXPECT_FALSE(fs::exists(path(name))) << name;
  }
  EXPECT_EQ(traceFormatOf("/some/dir.csv/a"), TraceFormat::None);
  EXPECT_EQ(traceFormatOf("A.TrD"), TraceFormat::Binary);

  write("kept.trd", "old");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  const TraceSave s = saveTraceFile(path("kept.trd"), f);
  fs::permissions(dir_, fs::perms::owner_all);
  if (::geteuid() != 0) {
    EXPECT_EQ(s.outcome, TraceSave::Outcome::Failed);
    EXPECT_FALSE(s.error.empty());
    EXPECT_EQ(read(path("kept.trd")), "old");
  }
}

TEST_F(TraceFileTest, TraceIniAtTheWindowAsksForTheReadBackEvenWhenItIsNotOurs) {
  const std::string dir = dir_.string();
  TraceExchange exchange;
  TraceSettingsBlock block;
  block.interval = 7;
  EXPECT_FALSE(takeTraceIniAtOpen(dir, block, exchange)) << "no file";
  EXPECT_FALSE(exchange.readBack);

  write("trace.ini", "[0001]\n[bsetok]\n1\n");
  EXPECT_TRUE(takeTraceIniAtOpen(dir, block, exchange));
  EXPECT_TRUE(exchange.readBack);
  EXPECT_EQ(block.interval, 7) << "nothing taken over";
  EXPECT_FALSE(fs::exists(traceIniPath(dir)));

  exchange.readBack = false;
  TraceSettings s;
  s.triggerChannel = 2;
  s.interval = 40;
  ASSERT_TRUE(writeTraceIni(traceIniPath(dir), TraceSettingsBlock::of(s, {})));
  EXPECT_TRUE(takeTraceIniAtOpen(dir, block, exchange));
  EXPECT_TRUE(exchange.readBack);
  EXPECT_EQ(block.settings().triggerChannel, 2);
  EXPECT_EQ(block.interval, 40);

  write("trace.ini", "x");
  removeTraceIni(dir);
  EXPECT_FALSE(fs::exists(traceIniPath(dir)));
}

}  // namespace
}  // namespace zavo::trace
