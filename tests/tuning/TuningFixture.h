#pragma once
// The running program linked to a virtual drive whose servo is off, for the tuning windows:
// the frames the drive received, waiting for drive time to pass, and pictures of the windows.

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <functional>

#include "params/ui/ParameterSetDialog.h"
#include "resources/TextTable.h"
#include "sim/VirtualDrive.h"
#include "tests/editor/UiHelpers.h"
#include "tests/ui/AppFixture.h"
#include "tuning/ui/TuningDesk.h"

namespace zavo::test {

class TuningFixture : public AppFixture {
 protected:
  void startLinked(sim::SimOptions o = {}) {
    o.axis.servoOn = servoOn;
    o.linkPath = (root / "drive").string();
    drive = std::make_unique<sim::VirtualDrive>(o);
    std::string error;
    ASSERT_TRUE(drive->start(&error)) << error;
    entries = {o.linkPath + " : Virtual drive"};
    answer = LinkPortChoice{0, entries[0], 2};
    StartupOptions so = options();
    so.loadLanguage = [] { return TextTable::active().loadLibrary(TOLKAR_PATH); };
    ASSERT_TRUE(start(so));
    ASSERT_TRUE(linkState().isConnected());
    view()->operations().setPauseMs(0);
    // The Adjust menu waits for the Parameter Set editor to close.
    if (view()->parameterEditor()) view()->parameterEditor()->close();
    prompt.clear();
    drive->clearLog();
  }
  void TearDown() override {
    AppFixture::TearDown();
    if (drive) drive->stop();
    TextTable::active().useBuiltin();
  }
  // The direct writes the drive received, without checksums ("W5360555").
  std::vector<std::string> writes() const {
    std::vector<std::string> w;
    for (const auto& e : drive->requestLog())
      if (e.kind == sim::RequestKind::DirectWrite) w.emplace_back(e.request.begin(), e.request.end() - 2);
    return w;
  }
  int count(const std::string& frame) const {
    const auto w = writes();
    return static_cast<int>(std::count(w.begin(), w.end(), frame));
  }
  // Lets events run until `done` holds (at most `ms`).
  static bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 20) {
      if (done()) return true;
      QTest::qWait(20);
    }
    return done();
  }
  tuning::TuningDesk& desk() { return view()->tuning(); }

  bool servoOn = false;
  std::unique_ptr<sim::VirtualDrive> drive;
};

}  // namespace zavo::test
