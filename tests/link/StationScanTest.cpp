// The search of a line against the virtual drive as a bus: it finds exactly the drives it was
// started with, at their rates and no other, tells their types apart, takes a late reply for
// the station that sent it, and stops when told.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "link/ModbusCodec.h"
#include "link/StationScan.h"
#include "sim/DriveEngine.h"
#include "tests/link/DriveFixture.h"

namespace zavo {
namespace {

using test::DriveFixture;

struct Recorder : ScanObserver {
  int stopBefore = -1;  // the probe at which progress says stop
  int calls = 0;
  std::vector<FoundDrive> seen;
  bool progress(const ScanProgress& p) override {
    ++calls;
    EXPECT_EQ(p.done, calls - 1);
    return p.done != stopBefore;
  }
  void found(const FoundDrive& d) override { seen.push_back(d); }
};

std::vector<std::string> textsOf(const std::vector<FoundDrive>& drives) {
  std::vector<std::string> out;
  for (const auto& d : drives) out.push_back(d.text());
  return out;
}

sim::SimOptions bus() {
  sim::SimOptions o;
  o.line = sim::LineProtocol::ModbusRtu;
  o.busStations = {1, 5, 17};
  o.busDriveTypes = {2, 3, 4};
  o.bauds = {19200, 9600, 19200};
  return o;
}

ScanPlan plan(std::vector<unsigned long> bauds, std::vector<int> stations, std::vector<int> formats = {6}) {
  ScanPlan p;
  p.bauds = std::move(bauds);
  p.stations = std::move(stations);
  p.formats = std::move(formats);
  return p;
}

struct ScanFixture : DriveFixture {
  explicit ScanFixture(sim::SimOptions o) : DriveFixture(std::move(o)) {
    EXPECT_EQ(port.Open(drive.portPath().c_str(), 19200, 500, 2048, 2048), 0);
  }
  std::vector<FoundDrive> scan(const ScanPlan& p) { return StationScan(port).run(p, recorder); }
  Recorder recorder;
};

TEST(StationScan, FindsExactlyTheBusStationsAtTheirRatesAndTellsTheirTypes) {
  ScanFixture f(bus());
  f.drive.stationDrive(17)->setParameter("Cn030", 0x1234);
  std::vector<int> stations(20);
  std::iota(stations.begin(), stations.end(), 1);
  const auto found = f.scan(plan({9600, 19200, 38400}, stations));
  EXPECT_EQ(textsOf(found), (std::vector<std::string>{
                                "station 5  9600 8N2 RTU  type 3  E01.25  motor 1121",
                                "station 1  19200 8N2 RTU  type 2  A01.25  motor 1121",
                                "station 17  19200 8N2 RTU  type 4  A01.25  motor 1234",
                            }));
  EXPECT_EQ(textsOf(f.recorder.seen), textsOf(found)) << "each told as it is found";
  EXPECT_EQ(f.recorder.calls, 3 * 21) << "a DriveLink probe and 20 stations at each rate";
  EXPECT_EQ(f.drive.options().bitsPerCharacter(), 11);
}

TEST(StationScan, TellsEachDriveTypeOverDriveLinkAndModbus) {
  // The program's own type is the other family's, so the answers, not the preference, tell;
  // types 0 and 1 have the same memory and only the preference tells them apart.
  const struct {
    int type;
    sim::LineProtocol line;
    int preferred;
  } cases[] = {
      {0, sim::LineProtocol::DriveLink, 4}, {1, sim::LineProtocol::DriveLink, 1},
      {2, sim::LineProtocol::DriveLink, 0}, {3, sim::LineProtocol::DriveLink, 1},
      {4, sim::LineProtocol::DriveLink, 0}, {0, sim::LineProtocol::ModbusAscii, 3},
      {1, sim::LineProtocol::ModbusRtu, 2}, {3, sim::LineProtocol::ModbusRtu, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " line " << static_cast<int>(c.line));
    sim::SimOptions o;
    o.driveType = c.type;
    o.line = c.line;
    o.station = 9;
    o.bauds = {38400};
    ScanFixture f(o);
    driveContext().reset(c.preferred);
    ScanPlan p = plan({19200, 38400}, {8, 9}, {c.line == sim::LineProtocol::ModbusAscii ? 4 : 7});
    p.driveLink = c.line == sim::LineProtocol::DriveLink;
    const auto found = f.scan(p);
    ASSERT_EQ(found.size(), 1u) << "nothing at the wrong rate";
    EXPECT_EQ(found[0].baud, 38400u);
    EXPECT_EQ(found[0].modbus, c.line != sim::LineProtocol::DriveLink);
    EXPECT_EQ(found[0].station, found[0].modbus ? 9 : 0);
    EXPECT_EQ(found[0].driveType, c.type);
    EXPECT_EQ(found[0].model, *f.drive.storedParameter("Cn030") & 0xFFFF);
  }
}

TEST(StationScan, ALateReplyIsTakenForTheStationThatSentIt) {
  sim::SimOptions o = bus();
  o.bauds = {};
  o.faults.delayMs = 45;  // beyond a probe's time-out at 19200, within a drive's reads
  ScanFixture f(o);
  const auto found = f.scan(plan({19200}, {4, 5, 6, 7}));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].station, 5);
  EXPECT_EQ(found[0].driveType, 3);
}

TEST(StationScan, StopsWithinOneExchangeOrAtTheFirstDrive) {
  ScanFixture f(bus());
  f.recorder.stopBefore = 7;
  StationScan scan(f.port);
  EXPECT_TRUE(scan.run(plan({9600}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), f.recorder).size() == 1);
  EXPECT_TRUE(scan.cancelled());
  EXPECT_EQ(f.recorder.calls, 8);
  // The DriveLink probe, then stations 1-6 (station 5 asked about itself on the way): the
  // last request on the line is station 6's probe.
  const auto log = f.drive.requestLog();
  ASSERT_FALSE(log.empty());
  const auto probe6 = modbus::readRequest(6, protocol::kModbusProbeRegister, 1, false).frame;
  EXPECT_EQ(log.back().request, sim::Bytes(probe6.view().begin(), probe6.view().end()));

  f.recorder = {};
  ScanPlan first = plan({9600, 19200}, {1, 2, 3, 4, 5, 6});
  first.first = true;
  const auto one = StationScan(f.port).run(first, f.recorder);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].station, 5);
  EXPECT_EQ(f.recorder.calls, 6) << "the DriveLink probe and stations 1-5";
}

TEST(StationScan, PlanTextsAndTimeOuts) {
  std::string error;
  EXPECT_EQ(*parseNumberList("1-3,7,2", 1, 247, &error), (std::vector<int>{1, 2, 3, 7}));
  for (const char* bad : {"", "0", "248", "5-3", "1,,2", "x", "1-"})
    EXPECT_FALSE(parseNumberList(bad, 1, 247, &error)) << bad;
  EXPECT_EQ(*parseBaudList("19200,9600,19200", &error), (std::vector<unsigned long>{19200, 9600}));
  EXPECT_FALSE(parseBaudList("9601", &error));
  EXPECT_FALSE(parseBaudList("4800-9600", &error));
  const auto d = ScanPlan::defaults(2, 7);
  EXPECT_EQ(d.bauds, (std::vector<unsigned long>{19200, 4800, 9600, 38400, 57600, 115200}));
  EXPECT_EQ(d.stations.size(), 247u);
  EXPECT_EQ(d.probeCount(), 6 * 248);
  EXPECT_EQ(formatText(7), "8E1 RTU");
  EXPECT_EQ(formatText(0), "7N2 ASCII");
  // 15 characters of 11 bits at 9600 baud: 17.2 ms on the line, rounded up, and the allowance.
  EXPECT_EQ(StationScan::probeTimeoutMs(9600, 11, 8, 7), 18 + kScanTurnaroundAllowanceMs);
}

}  // namespace
}  // namespace zavo
