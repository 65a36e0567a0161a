#pragma once
// A virtual drive on a pty, the program's port opened on it, and the operations over it.

#include <gtest/gtest.h>

#include <memory>

#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"
#include "tests/support/RecordingPrompt.h"

namespace zavo::test {

struct DriveFixture {
  explicit DriveFixture(sim::SimOptions options = {}) : drive(options) {
    driveContext().reset(options.driveType);
    linkState().reset();
    std::string error;
    started = drive.start(&error);
    EXPECT_TRUE(started) << error;
  }
  ~DriveFixture() {
    port.Close();
    drive.stop();
    linkState().reset();
  }
  // Opens the port as the connect does and marks the link up.
  void link() {
    ASSERT_EQ(port.Open(drive.portPath().c_str(), 19200, 500, 20000, 20000), 0);
    port.SetupReadTimer(19200, 300);
    linkState().connected = 1;
    flags.portOpen = true;
  }
  std::vector<sim::RequestKind> kinds() const {
    std::vector<sim::RequestKind> k;
    for (const auto& e : drive.requestLog()) k.push_back(e.kind);
    return k;
  }

  RecordingPrompt prompt;
  sim::VirtualDrive drive;
  bool started = false;
  CSerial port;
  LinkFlags flags;
  DriveOperations ops{port, flags};
};

}  // namespace zavo::test
