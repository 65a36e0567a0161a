// Thousands of parameter transfers on a line that drops, corrupts, refuses and garbles: every
// failure is reported, every success is true, and a failed read leaves nothing behind.

#include <gtest/gtest.h>

#include <random>

#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "params/document/ZavoServoDoc.h"
#include "tests/link/DriveFixture.h"

namespace zavo {
namespace {

constexpr int kOperations = 2000;

sim::SimOptions noisyLine() {
  sim::SimOptions o;
  o.faults.drop = 0.02;
  o.faults.corrupt = 0.02;
  o.faults.refuse = 0.02;
  o.faults.garbage = 0.02;
  o.seed = 7;
  return o;
}

TEST(FaultSoak, NoisyLineNeverLiesAndNeverHangs) {
  test::DriveFixture f(noisyLine());
  f.link();
  f.port.SetupReadTimer(19200, 40);  // a pty answers at once: a short wait is a long one
  f.ops.setPauseMs(0);
  CZavoServoDoc doc;
  doc.OnNewDocument();

  // Parameters that are written directly as well as stored, 16- and 32-bit, signed and not.
  std::vector<catalogue::Entry> params;
  for (const auto& e : catalogue::parameters(2)) {
    // Tn110 is never written on this drive type (a silent refusal, not a failure).
    if (catalogue::wordAddress(e.code) < 0 || e.code == "Cn008" || e.code == "Cn029" || e.code == "Cn030" ||
        e.code == "Tn110")
      continue;
    if (e.group == ParamGroup::qn || e.group == ParamGroup::tn) continue;
    params.push_back(e);
  }
  ASSERT_GT(params.size(), 100u);
  ParameterImages limits;
  catalogue::fillLimits(limits);

  std::mt19937 rng(42);
  int failures = 0, successes = 0;
  for (int i = 0; i < kOperations; ++i) {
    const auto& e = params[rng() % params.size()];
    const auto& img = limits[e.group];
    const auto slot = static_cast<std::size_t>(e.slot);
    const std::size_t shownBefore = f.prompt.shown().size();
    linkState().connected = 1;  // what the reconnect would do after a failure
    if (i % 2 == 0) {
      const std::int32_t before = doc.value(e.group, e.slot);
      if (f.ops.readParameter(e.code)) {
        ++successes;
        const auto stored = f.drive.storedParameter(e.code);
        ASSERT_TRUE(stored) << e.code;
        const std::int32_t raw = catalogue::is32Bit(e.code) ? *stored : (*stored & 0xFFFF);
        EXPECT_EQ(f.ops.lastValue(), DriveOperations::rawToDisplay(e.code, raw)) << e.code;
        doc.setValue(e.group, e.slot, f.ops.lastValue());
      } else {
        ++failures;
        EXPECT_EQ(f.prompt.shown().size(), shownBefore + 1) << "a failed read is reported";
        EXPECT_EQ(doc.value(e.group, e.slot), before);
      }
    } else {
      const std::int32_t lo = img.min[slot], hi = img.max[slot];
      const std::int32_t value = lo + static_cast<std::int32_t>(rng() % (static_cast<std::uint32_t>(hi - lo) + 1));
      if (f.ops.writeParameter(e.code, value)) {
        ++successes;
        const auto stored = f.drive.storedParameter(e.code);
        ASSERT_TRUE(stored) << e.code;
        const std::int32_t raw = conversion::toRaw(e.code, value);
        if (catalogue::is32Bit(e.code))
          EXPECT_EQ(*stored, raw) << e.code;
        else
          EXPECT_EQ(*stored & 0xFFFF, raw & 0xFFFF) << e.code << " " << value;
      } else {
        ++failures;
        EXPECT_EQ(f.prompt.shown().size(), shownBefore + 1) << "a failed write is reported";
      }
    }
    EXPECT_FALSE(f.flags.linkBusy);
  }
  // With four faults at 2% per frame and several frames per transfer, some fail and most do not.
  EXPECT_GT(failures, 50);
  EXPECT_GT(successes, kOperations / 2);
  std::printf("%d transfers succeeded, %d failed and were reported\n", successes, failures);
}

}  // namespace
}  // namespace zavo
