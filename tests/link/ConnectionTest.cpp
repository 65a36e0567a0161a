#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "link/ConnectionManager.h"
#include "link/PortList.h"
#include "tests/link/DriveFixture.h"

namespace zavo {
namespace {

using sim::RequestKind;
using test::DriveFixture;

struct Host : ConnectionHost {
  std::optional<LinkPortChoice> answer;
  std::vector<bool> dialogLinkWanted;
  int lost = 0, monitorsClosed = 0, refreshes = 0;
  std::optional<LinkPortChoice> askLinkPort(bool linkWanted, int) override {
    dialogLinkWanted.push_back(linkWanted);
    return answer;
  }
  void refreshPane(int) override { ++refreshes; }
  void linkLost() override { ++lost; }
  void closeMonitorWindows() override { ++monitorsClosed; }
};

struct ConnectionFixture : DriveFixture {
  explicit ConnectionFixture(sim::SimOptions o = {}) : DriveFixture(o) {
    dir = std::filesystem::temp_directory_path() / ("zavo-conn-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    connection.setSettingsFolders(dir.string(), dir.string());
    host.answer = LinkPortChoice{0, drive.portPath() + " : Virtual drive", 2};
  }
  ~ConnectionFixture() { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  CZavoServoDoc doc;
  Host host;
  ConnectionManager connection{port, flags, ops, doc, host};
};

TEST(Connection, HandshakeBringsTheLinkUpAndRemembersThePort) {
  ConnectionFixture f;
  f.connection.connectCommand();
  EXPECT_TRUE(linkState().isConnected());
  EXPECT_TRUE(f.flags.linkWanted);
  EXPECT_TRUE(f.flags.portOpen);
  EXPECT_FALSE(f.flags.linkBusy);
  EXPECT_EQ(f.host.dialogLinkWanted, std::vector<bool>{false});
  EXPECT_GT(f.doc.driveSoftwareVersion, 0);
  EXPECT_EQ(f.doc.modelCode, *f.drive.storedParameter("Cn030") & 0xFFFF);
  EXPECT_EQ(linkState().baudIndex, 2);
  std::ifstream comfile(f.dir / "comfile.ini");
  std::string line;
  std::getline(comfile, line);
  EXPECT_EQ(line, f.drive.portPath() + " : Virtual drive");
  // The first frames are the identification: software version, then input terminals.
  const auto log = f.drive.requestLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(std::string(log[1].request.begin(), log[1].request.begin() + 4), "R6CB");
  EXPECT_FALSE(driveContext().legacySeries);
  EXPECT_TRUE(f.prompt.shown().empty());
}

TEST(Connection, ConnectWhileLinkedDisconnectsAndCancelChangesNothing) {
  ConnectionFixture f;
  f.connection.connectCommand();
  ASSERT_TRUE(linkState().isConnected());
  auto choice = f.host.answer;
  f.host.answer.reset();
  f.connection.connectCommand();
  EXPECT_TRUE(linkState().isConnected()) << "cancelled dialog";
  f.host.answer = choice;
  f.connection.connectCommand();
  EXPECT_EQ(f.host.dialogLinkWanted.back(), true);
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_FALSE(f.flags.linkWanted);
  EXPECT_FALSE(f.flags.portOpen);
  EXPECT_FALSE(f.port.IsOpen());
}

TEST(Connection, TheThreeErrorBoxes) {
  {
    ConnectionFixture f;
    f.host.answer->portEntry = "/dev/zavo-no-such-port : nothing";
    f.connection.connectCommand();
    ASSERT_EQ(f.prompt.shown().size(), 1u);
    EXPECT_EQ(f.prompt.shown()[0].text, "Communicate Error!\nCan't open COM port!");
    EXPECT_EQ(f.prompt.shown()[0].title, "Communication Message");
  }
  {
    sim::SimOptions o;
    o.faults.drop = 1.0;
    ConnectionFixture f(o);
    f.connection.connectCommand();
    ASSERT_EQ(f.prompt.shown().size(), 1u);
    EXPECT_EQ(f.prompt.shown()[0].text, "Communicate between PC and Servo Error!");
    EXPECT_FALSE(f.flags.portOpen);
    EXPECT_FALSE(f.port.IsOpen());
  }
  {
    sim::SimOptions o;
    o.faults.unplugAfter = 40;
    ConnectionFixture f(o);
    f.connection.connectCommand();
    ASSERT_TRUE(linkState().isConnected());
    for (int i = 0; i < 20 && f.prompt.shown().empty(); ++i) f.connection.timerTick();
    ASSERT_EQ(f.prompt.shown().size(), 1u);
    EXPECT_EQ(f.prompt.shown()[0].text, "Communicate Error!\n\nDisconnect !!");
    EXPECT_TRUE(f.prompt.shown()[0].topmost);
    EXPECT_EQ(f.host.lost, 1);
    EXPECT_FALSE(f.flags.linkWanted);
    EXPECT_FALSE(f.flags.portOpen);
  }
}

TEST(Connection, ReconnectEveryTenthTickOnlyWhileWanted) {
  ConnectionFixture f;
  f.connection.connectCommand();
  ASSERT_TRUE(linkState().isConnected());
  f.drive.clearLog();
  auto terminalReads = [&] {
    int n = 0;
    for (const auto& e : f.drive.requestLog())
      if (std::string(e.request.begin(), e.request.begin() + 4) == "R6CB") ++n;
    return n;
  };
  f.flags.reconnectTicks = 0;
  for (int i = 0; i < 9; ++i) f.connection.timerTick();
  EXPECT_EQ(terminalReads(), 0);
  f.connection.timerTick();
  EXPECT_EQ(terminalReads(), 1) << "the tenth tick repeats the handshake on the open port";
  for (int i = 0; i < 10; ++i) f.connection.timerTick();
  EXPECT_EQ(terminalReads(), 2);
  // A lost link (failed exchange) is found again by the reconnect.
  linkState().connected = 0;
  for (int i = 0; i < 10; ++i) f.connection.timerTick();
  EXPECT_TRUE(linkState().isConnected());
  f.connection.disconnect();
  f.drive.clearLog();
  for (int i = 0; i < 30; ++i) f.connection.timerTick();
  EXPECT_EQ(f.drive.requestCount(), 0) << "nothing at all while the link is not wanted";
}

TEST(Connection, HealthPollWaitsForBusyAndModalOperations) {
  ConnectionFixture f;
  f.connection.connectCommand();
  f.drive.clearLog();
  f.flags.linkBusy = true;
  f.connection.timerTick();
  EXPECT_EQ(f.drive.requestCount(), 0);
  f.flags.linkBusy = false;
  f.flags.modalOperation = true;
  f.flags.reconnectTicks = 0;
  f.connection.timerTick();
  EXPECT_EQ(f.drive.requestCount(), 0);
  f.flags.modalOperation = false;
  f.connection.timerTick();
  EXPECT_GE(f.drive.requestCount(), 7) << "the status read";
}

TEST(Connection, AlreadyOpenPortGoesStraightToTheTerminalHandshake) {
  ConnectionFixture f;
  f.connection.connectCommand();
  ASSERT_TRUE(linkState().isConnected());
  // A failed exchange drops the link but leaves the port open: the reconnect's open reports
  // the port as already open and only the terminal handshake follows.
  linkState().connected = 0;
  f.drive.clearLog();
  f.connection.autoReconnect();
  ASSERT_TRUE(linkState().isConnected());
  const auto log = f.drive.requestLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(std::string(log[0].request.begin(), log[0].request.begin() + 4), "R6CB");
}

TEST(Connection, UnpluggedDriveIsReportedAndConnectsAgainWhenBack) {
  sim::SimOptions o;
  o.linkPath = (std::filesystem::temp_directory_path() / ("zavo-replug-" + std::to_string(::getpid()))).string();
  o.faults.unplugAfter = 30;
  o.faults.replugMs = 100;
  ConnectionFixture f(o);
  f.host.answer = LinkPortChoice{0, o.linkPath + " : Virtual drive", 2};
  f.connection.connectCommand();
  ASSERT_TRUE(linkState().isConnected());
  for (int i = 0; i < 20 && f.prompt.shown().empty(); ++i) f.connection.timerTick();
  ASSERT_EQ(f.prompt.texts(), std::vector<std::string>{"Communicate Error!\n\nDisconnect !!"});
  EXPECT_FALSE(f.flags.linkWanted) << "a lost line is not retried by itself";
  for (int i = 0; i < 100 && f.drive.plugCount() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(f.drive.plugCount(), 2);
  f.drive.setFaults({});
  f.connection.connectCommand();
  EXPECT_TRUE(linkState().isConnected()) << "the same path leads to the drive's new line";
  EXPECT_TRUE(f.flags.linkWanted);
}

TEST(Connection, LateReplyOfAFailedHandshakeIsNotTakenForTheNextRequest) {
  // A drive (or a machine) slow enough once to answer after the read time-out: the late
  // reply must not become the answer to the reconnect's first request. DriveLink replies do
  // not name their register, so a reply that slipped one request would shift every value
  // after it (the rated speed would read the motor code). Paced, so the drive's prompt
  // answers to the reconnect come while the next request is already waiting.
  sim::SimOptions o;
  o.pace = true;
  o.faults.delayMs = 700;
  ConnectionFixture f(o);
  f.connection.connectCommand();
  ASSERT_FALSE(linkState().isConnected());
  ASSERT_EQ(f.prompt.texts(), std::vector<std::string>{"Communicate between PC and Servo Error!"});
  f.drive.setFaults({});
  driveContext().ratedSpeed = 0;
  f.connection.connectCommand();
  ASSERT_TRUE(linkState().isConnected());
  EXPECT_EQ(f.doc.motorCode, *f.drive.readRegister('5', 0x0C));
  EXPECT_EQ(driveContext().ratedSpeed, *f.drive.readRegister('5', 0x47));
  EXPECT_EQ(f.doc.modelCode, *f.drive.storedParameter("Cn030") & 0xFFFF);
}

TEST(Connection, ModbusProbeBringsTheLinkUp) {
  sim::SimOptions o;
  o.line = sim::LineProtocol::ModbusRtu;
  ConnectionFixture f(o);
  linkState().modbusMode = 1;
  linkState().modbusAscii = 0;
  linkState().modbusFormat = 6;
  f.connection.connectCommand();
  EXPECT_TRUE(linkState().isConnected());
  EXPECT_TRUE(f.flags.linkWanted);
  EXPECT_EQ(f.drive.count(RequestKind::ModbusRead), 1);
  EXPECT_TRUE(f.prompt.shown().empty());
}

}  // namespace
}  // namespace zavo
