#pragma once
// The field editors' tests: a virtual drive linked through the real port, the English texts,
// a new document of the drive type, and a look at the stores the drive saw.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/catalogue/DriveContext.h"
#include "params/document/ZavoServoDoc.h"
#include "resources/TextTable.h"
#include "sim/VirtualDrive.h"
#include "tests/link/DriveFixture.h"

namespace zavo::test {

inline sim::SimOptions driveOf(int type, const std::string& faults = {}) {
  sim::SimOptions o;
  o.driveType = type;
  if (!faults.empty()) o.faults = *sim::FaultPlan::parse(faults);
  return o;
}

struct FieldDrive : DriveFixture {
  explicit FieldDrive(sim::SimOptions options = {}, bool linked = true) : DriveFixture(options) {
    EXPECT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
    ops.setPauseMs(0);
    doc.OnNewDocument();
    doc.setModifiedFlag(false);
    if (!linked) return;
    link();
    // A machine busy with other work may keep a reply longer than a drive ever would.
    port.SetupReadTimer(19200, kPatientReplyMs);
  }
  static constexpr int kPatientReplyMs = 2000;
  // The linear numbers stored through the window, in the order the drive saw them.
  std::vector<int> storedLinears() const {
    std::vector<int> out;
    const int writeAddress = protocol::windowOf(driveContext().driveType).writeAddress;
    char head[8];
    std::snprintf(head, sizeof head, "W5%02X", writeAddress);
    for (const auto& e : drive.requestLog()) {
      const std::string r(e.request.begin(), e.request.end());
      if (r.rfind(head, 0) == 0 && r.size() >= 8) out.push_back(std::stoi(r.substr(4, 4), nullptr, 16));
    }
    return out;
  }
  std::string lastText() const {
    const auto t = prompt.texts();
    return t.empty() ? std::string() : t.back();
  }

  CZavoServoDoc doc;
};

}  // namespace zavo::test
