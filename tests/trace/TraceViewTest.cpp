// The trace window's rules without a window: scales and AUTO, the time axis with its scale
// list, scrolling and zoom, the cursors and their read-outs, the labels and a trace's line.

#include <gtest/gtest.h>

#include "trace/TracePlotGeometry.h"
#include "trace/TraceView.h"

namespace zavo::trace {
namespace {

TraceSettings settingsOf(TraceMode mode, int interval) {
  TraceSettings s;
  s.mode = static_cast<int>(mode);
  s.interval = interval;
  return s;
}

TEST(TraceScaleRules, AutoTakesTheNextOfItsOwnStepsAboveTheLargestSample) {
  struct Case {
    std::vector<std::int32_t> samples;
    int units;
  };
  const Case cases[] = {
      {{}, 1},        {{0, 0}, 1},       {{5, -3}, 1},     {{6}, 5},         {{-11}, 10},
      {{150}, 100},   {{1000}, 500},     {{-1001}, 1000},  {{2000}, 1000},   {{4001}, 4000},
      {{5001}, 5000}, {{10000}, 5000},   {{10001}, 10000}, {{-2147483647 - 1}, 10000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(autoUnits(largestMagnitude(c.samples)), c.units) << (c.samples.empty() ? 0 : c.samples[0]);
}

TEST(TraceScaleRules, ListEntriesSliderAndMovesKeepHAndTheSliderInStep) {
  EXPECT_EQ(unitsOfSelection(12), 4000);
  for (int other : {-1, 0, 15, 99}) EXPECT_EQ(unitsOfSelection(other), 100) << other;

  for (int units : {1, 7, 100, 4000, 10000}) {
    ChannelScale s = centred(5, units);
    EXPECT_EQ(s.halfSpan, 5 * units);
    EXPECT_EQ(s.slider, sliderCentre(units));
    EXPECT_EQ(sliderMax(units) % 2, 0) << "the centre is a slider position";
    ASSERT_TRUE(moveUp(s));
    EXPECT_EQ(s.halfSpan, 4 * units) << "up: the trace rises one division";
    EXPECT_DOUBLE_EQ(yOf(0, s, 48), 4 * 48);
    setSlider(s, 0);
    EXPECT_FALSE(moveDown(s)) << units;
    setSlider(s, sliderMax(units) + 5);
    EXPECT_EQ(s.slider, sliderMax(units));
    EXPECT_FALSE(moveUp(s)) << units;
    EXPECT_EQ(sliderFor(units, s.halfSpan), s.slider);
  }
}

TEST(TraceTimeRules, TheScaleListRunsFromTheWholeRecordToOneSample) {
  struct Case {
    TraceMode mode;
    int interval;
    std::size_t entries;
    const char* first;
    const char* second;
    const char* last;
  };
  const Case cases[] = {
      {TraceMode::Single, 1, 103, "10.24", "10.14", "0.10"},
      {TraceMode::Cycle, 10, 103, "102.40", "101.40", "1.00"},
      {TraceMode::Monitor, 1, 512, "5120.00", "5110.00", "10.00"},
      {TraceMode::Monitor, 500, 512, "2560000.00", "2555000.00", "5000.00"},
  };
  for (const Case& c : cases) {
    const TraceSettings s = settingsOf(c.mode, c.interval);
    const TraceTimeAxis t(s.mode, static_cast<float>(s.samplePeriodWord()), s.interval, s.pointsPerLine());
    const auto e = t.scaleEntries();
    ASSERT_EQ(e.size(), c.entries) << c.first;
    EXPECT_EQ(e[0], c.first);
    EXPECT_EQ(e[1], c.second);
    EXPECT_EQ(e.back(), c.last);
    EXPECT_EQ(t.msText(t.step()), c.last) << "the last entry is one sample";
  }
  // A selection below one sample a division gives exactly one sample.
  const TraceTimeAxis t(0, 10000.0f, 1, 1024);
  EXPECT_DOUBLE_EQ(t.perDivision(102), t.step());
  EXPECT_DOUBLE_EQ(t.perDivision(101), 1.4 * t.step());
  EXPECT_DOUBLE_EQ(t.perDivision(5000), t.step());
}

TEST(TraceTimeRules, ScrollingAndZoomStayInRange) {
  TraceTimeAxis t(0, 10000.0f, 1, 1024);  // 102.4 samples a division at selection 0
  EXPECT_EQ(t.maxScroll(), 0) << "the whole record is on the plot";
  t.select(92);  // 10.4 samples a division: 98.5 divisions, 10 shown
  EXPECT_EQ(t.maxScroll(), 89);
  t.pageRight();
  EXPECT_EQ(t.scroll(), 10);
  t.lineLeft();
  EXPECT_EQ(t.scroll(), 9);
  t.scrollTo(500);
  EXPECT_EQ(t.scroll(), 89);
  EXPECT_DOUBLE_EQ(t.offset(), 89 * 10.4 * t.step());
  t.select(0);
  EXPECT_EQ(t.scroll(), 0) << "a coarser scale pulls the position back into range";

  for (int i = 1; i < kMaxZoom; ++i) ASSERT_TRUE(t.zoomIn()) << i;
  EXPECT_EQ(t.zoom(), kMaxZoom);
  EXPECT_FALSE(t.zoomIn()) << "ten base sizes is the most";
  EXPECT_EQ(t.maxScroll(), 9) << "one division shown of ten";
  t.scrollTo(9);
  while (t.zoomOut()) {
  }
  EXPECT_EQ(t.zoom(), 1);
  EXPECT_FALSE(t.zoomOut());
  EXPECT_EQ(t.scroll(), 0);
}

TEST(TraceTimeRules, TimeLabelsTakeTheOddLinesFromTwoBaseSizesOn) {
  TraceTimeAxis t(0, 10000.0f, 1, 1024);
  t.select(92);
  t.scrollTo(3);
  auto labels = timeLabels(t);
  ASSERT_EQ(labels.size(), 6u);
  EXPECT_EQ(labels[0].text, "3.12");  // 3 divisions of 1.04 ms
  EXPECT_EQ(labels[1].text, "5.20");
  EXPECT_DOUBLE_EQ(labels[5].at, kPlotPx);
  t.zoomIn();
  labels = timeLabels(t);
  ASSERT_EQ(labels.size(), 6u) << "five divisions of twice the size, every line";
  EXPECT_EQ(labels[1].text, "4.16");
  EXPECT_DOUBLE_EQ(labels[1].at, 2 * kBaseDivisionPx);

  const auto values = valueLabels(centred(7, 100), kBaseDivisionPx);
  ASSERT_EQ(values.size(), 11u);
  EXPECT_EQ(values.front().text, "500");
  EXPECT_EQ(values[5].text, "0");
  EXPECT_EQ(values.back().text, "-500");
}

TEST(TraceCursorRules, APressTakesALineFromTwelveBeforeToOneAfter) {
  TraceCursors c;
  c.x = {100, 300};
  struct Case {
    int pointer;
    int picked;
  };
  for (const Case k : {Case{100, kCursorA}, Case{99, kCursorA}, Case{98, kNoCursor}, Case{112, kCursorA},
                       Case{113, kNoCursor}, Case{305, kCursorB}, Case{250, kNoCursor}})
    EXPECT_EQ(pickCursor(c, k.pointer), k.picked) << k.pointer;
  c.x = {100, 105};
  EXPECT_EQ(pickCursor(c, 106), kCursorA);
  c.selected = kCursorB;
  EXPECT_EQ(pickCursor(c, 106), kCursorB) << "the selected cursor first";
  c.mode = CursorMode::Horizontal;
  c.y = {40, 0};
  EXPECT_EQ(pickCursor(c, 45), kCursorA) << "horizontal cursors pick by their own lines";
}

TEST(TraceCursorRules, ReadOutsGiveTimesOrTheValuesOfTheMeasuredChannelAndData2) {
  TraceSettings s = settingsOf(TraceMode::Single, 1);
  s.sources = {kSourceTorqueCommand, kSourceSpeedFeedback, kSourceDeviation, kFirstDigitalSource};
  TraceView v(2, s, {});
  v.time().select(92);
  v.time().scrollTo(2);
  auto& c = v.cursors();
  c.x = {0, 96};
  auto r = v.readout();
  EXPECT_EQ(r.a, "2.08");
  EXPECT_EQ(r.b, "4.16");
  EXPECT_EQ(r.diff, "2.08");
  EXPECT_EQ(r.unit, "[ms]");
  EXPECT_TRUE(r.a2.empty());

  c.mode = CursorMode::Horizontal;
  c.y = {24, 264};
  v.chooseScale(0, 4);  // 10 a division
  v.chooseScale(1, 10);  // 1000
  v.setMeasured(0);
  r = v.readout();
  EXPECT_EQ(r.a, "45.0");
  EXPECT_EQ(r.b, "-5.0");
  EXPECT_EQ(r.diff, "-50.0");
  EXPECT_EQ(r.unit, " [%]");
  EXPECT_EQ(r.a2, "4500.0");
  EXPECT_EQ(r.b2, "-500.0");
  EXPECT_EQ(r.unit2, " [rpm]");
  v.time().zoomIn();
  EXPECT_EQ(v.readout().a, "45.0") << "a zoom stretches the time, not the values";
  c.mode = CursorMode::Vertical;
  EXPECT_EQ(v.readout().b, "3.12") << "half the time across as many pixels";
  c.mode = CursorMode::Horizontal;
  v.setMeasured(2);
  EXPECT_EQ(v.readout().unit, " [pulse]");
  v.setMeasured(3);
  EXPECT_EQ(v.readout().unit, "");
  EXPECT_EQ(v.frontChannel(), 3);
}

TEST(TraceDrawingRules, ALineStartsAtTheScrollOffsetAndFoldsCrowdedColumns) {
  std::vector<std::int32_t> ramp(1025);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::int32_t>(i);
  TraceTimeAxis t(0, 10000.0f, 1, 1024);
  t.select(92);  // 10.4 samples a division: about 4.6 px a sample
  t.scrollTo(10);
  std::vector<PlotPoint> line;
  const ChannelScale s = centred(9, 500);
  tracePath(ramp, t, s, {}, line);
  ASSERT_FALSE(line.empty());
  EXPECT_LT(line.front().x, 0);
  EXPECT_GT(line.front().x, -10) << "one sample before the edge";
  EXPECT_GT(line.back().x, kPlotPx);
  EXPECT_NEAR(line[1].y, yOf(104, s, kBaseDivisionPx), 1e-3) << "the sample at the offset";

  t.select(0);  // 102.4 samples a division: 2 a pixel column
  tracePath(ramp, t, s, {.reverse = true}, line);
  EXPECT_LE(line.size(), 4u * kPlotPx + 8);
  EXPECT_NEAR(line.back().y, yOf(-1024, s, kBaseDivisionPx), 1e-3) << "reversed, the last sample";

  std::vector<std::int32_t> bits{0, 1, 1, 0};
  const TraceTimeAxis wide(0, 10000.0f, 1, 4);
  tracePath(bits, wide, centred(1, 1), {.stepped = true}, line);
  ASSERT_EQ(line.size(), 7u) << "a digital line goes level, then up or down";
  EXPECT_EQ(line[1].x, line[2].x);
  EXPECT_EQ(line[1].y, line[0].y);
}

TEST(TraceDrawingRules, AutoScalesFollowTheRecordAtStopAndNotInMonitorMode) {
  TraceView v(2, settingsOf(TraceMode::Single, 1), {});
  EXPECT_EQ(v.scale(0).selection, kScaleAuto);
  v.display()[0].assign(1024, 0);
  v.display()[0][500] = -2500;
  v.setSlider(0, 0);
  v.keepDisplayed();
  EXPECT_EQ(v.scale(0).units, 1000);
  EXPECT_EQ(v.scale(0).halfSpan, 5000) << "AUTO centres the trace";
  EXPECT_EQ(v.stored(0).size(), 1025u);

  TraceSettings monitor = settingsOf(TraceMode::Monitor, 1);
  v.applySettings(monitor, {});
  for (int c = 0; c < kChannelCount; ++c) EXPECT_NE(v.scale(c).selection, kScaleAuto) << c;
  EXPECT_EQ(v.scale(0).units, 1000) << "a speed trace at 1000 rpm a division";
  EXPECT_EQ(v.display(0).size(), 5120u);
  EXPECT_EQ(v.stored(0)[500], 0) << "new settings forget the record";
}

}  // namespace
}  // namespace zavo::trace
