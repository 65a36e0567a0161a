#include <gtest/gtest.h>

#include "link/DriveLinkCodec.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/ValueConversion.h"
#include "tests/link/DriveFixture.h"

namespace zavo {
namespace {

using sim::RequestKind;
using test::DriveFixture;

sim::SimOptions typed(int type) {
  sim::SimOptions o;
  o.driveType = type;
  return o;
}

TEST(DriveOperations, EverythingFailsAtOnceWhileTheLinkIsDown) {
  DriveFixture f;
  ASSERT_EQ(f.port.Open(f.drive.portPath().c_str(), 19200, 500, 20000, 20000), 0);
  EXPECT_EQ(f.ops.readRegister('5', 0x10), 0);
  EXPECT_EQ(f.ops.readParameter("Cn001"), 0);
  EXPECT_EQ(f.ops.writeParameter("Cn001", 1), 0);
  EXPECT_EQ(f.drive.requestCount(), 0);
  EXPECT_TRUE(f.prompt.shown().empty());
}

TEST(DriveOperations, ReadsTheDefaultsOfAFreshDrive) {
  for (int type : {0, 2, 3}) {
    DriveFixture f(typed(type));
    f.link();
    for (const char* code : {"Cn001", "Cn010", "Cn011", "Cn026", "Sn201"}) {
      ASSERT_TRUE(f.ops.readParameter(code)) << type << " " << code;
      ParameterImages img;
      catalogue::fillDefaults(img);
      ParamGroup g;
      int slot = 0;
      ASSERT_TRUE(catalogue::slotOf(code, g, slot));
      EXPECT_EQ(f.ops.lastValue(), img[g].def[static_cast<std::size_t>(slot)]) << "type " << type << " " << code;
    }
  }
}

TEST(DriveOperations, WrittenParametersReadBackAndAreStored) {
  DriveFixture f;
  f.link();
  f.ops.setPauseMs(0);
  struct Case {
    const char* code;
    std::int32_t value;
  } cases[] = {{"Cn003", -1500}, {"Cn011", -120}, {"Sn201", 1200}, {"Pn302", 100000}, {"Pn302", -5}, {"Cn019", 300000}};
  for (const auto& c : cases) {
    ASSERT_EQ(f.ops.writeParameter(c.code, c.value), 1) << c.code;
    ASSERT_EQ(f.ops.readParameter(c.code), 1) << c.code;
    EXPECT_EQ(f.ops.lastValue(), c.value) << c.code;
    const auto stored = f.drive.storedParameter(c.code);
    ASSERT_TRUE(stored) << c.code;
    const std::int32_t raw = conversion::toRaw(c.code, c.value);
    EXPECT_EQ(catalogue::is32Bit(c.code) ? *stored : (*stored & 0xFFFF), catalogue::is32Bit(c.code) ? raw : (raw & 0xFFFF))
        << c.code;
  }
  EXPECT_TRUE(f.prompt.shown().empty());
}

TEST(DriveOperations, StoreOnlyParameterSendsExactlyTheThreeWindowFrames) {
  DriveFixture f;
  f.link();
  ASSERT_TRUE(catalogue::storeOnly("Cn001"));
  ASSERT_EQ(f.ops.writeParameter("Cn001", 3), 1);
  EXPECT_EQ(f.kinds(), (std::vector<RequestKind>{RequestKind::WindowWrite, RequestKind::WindowWrite, RequestKind::WindowWrite}));
  const auto log = f.drive.requestLog();
  // Write address, write data, command 1, on the M7 window.
  EXPECT_EQ(std::string(log[0].request.begin(), log[0].request.begin() + 4), "W5E9");
  EXPECT_EQ(std::string(log[1].request.begin(), log[1].request.begin() + 8), "W5EA0003");
  EXPECT_EQ(std::string(log[2].request.begin(), log[2].request.begin() + 8), "W5E80001");
  // An ordinary parameter adds the direct write.
  f.drive.clearLog();
  ASSERT_FALSE(catalogue::storeOnly("Cn010"));
  ASSERT_EQ(f.ops.writeParameter("Cn010", 250), 1);
  EXPECT_EQ(f.drive.count(RequestKind::WindowWrite), 3);
  EXPECT_EQ(f.drive.count(RequestKind::DirectWrite), 1);
}

TEST(DriveOperations, OlderDrivesStoreThroughTheirOwnWindow) {
  DriveFixture f(typed(0));
  f.link();
  f.ops.setPauseMs(0);
  ASSERT_EQ(f.ops.writeParameter("Cn001", 5), 1);
  const auto log = f.drive.requestLog();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(std::string(log[0].request.begin(), log[0].request.begin() + 4), "W571");
  EXPECT_EQ(std::string(log[2].request.begin(), log[2].request.begin() + 8), "W5700001");
  EXPECT_EQ(f.drive.storedWord(catalogue::wordAddress("Cn001")), 5);
}

TEST(DriveOperations, ParametersOnTheWindowRegistersAreOnlyStored) {
  DriveFixture f;
  f.link();
  f.ops.setPauseMs(0);
  ASSERT_EQ(catalogue::addressCode("Pn357") & 0xFF, 0xE8) << "the M7 family places Pn357 on the window's command";
  ASSERT_EQ(f.ops.writeParameter("Pn357", 1), 1);
  EXPECT_EQ(f.drive.count(RequestKind::DirectWrite), 0) << "a direct write would be a window command";
  EXPECT_EQ(f.drive.count(RequestKind::WindowWrite), 3);
  ASSERT_EQ(f.ops.readParameter("Pn357"), 1);
  EXPECT_EQ(f.ops.lastValue(), 1);
}

TEST(DriveOperations, RefusedNamesSendNothing) {
  DriveFixture f(typed(3));
  f.link();
  EXPECT_EQ(f.ops.writeParameter("Tn110", 5), 0);
  EXPECT_EQ(f.ops.writeParameter("En15", 5), 0);
  EXPECT_EQ(f.drive.requestCount(), 0);
  EXPECT_TRUE(f.prompt.shown().empty());
}

TEST(DriveOperations, StoreOnlyRegisterWriteEndsAfterTheStore) {
  DriveFixture f;
  f.link();
  f.ops.setPauseMs(0);
  EXPECT_EQ(f.ops.writeRegister(0, 0x20, 0x1234, false), 1);
  const auto log = f.drive.requestLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(std::string(log[3].request.begin(), log[3].request.begin() + 8), "W5201234");
  EXPECT_EQ(f.drive.storedWord(0x20), 0x1234);
  // A plain register write is one frame.
  f.drive.clearLog();
  EXPECT_EQ(f.ops.writeRegister('6', 0x30, 7, false), 1);
  EXPECT_EQ(f.drive.requestCount(), 1);
}

TEST(DriveOperations, SpecialRegistersAreConverted) {
  DriveFixture f;
  f.link();
  f.drive.setRegister('5', 0x36, 0xFFF6);
  ASSERT_EQ(f.ops.readRegister('5', 0x36), 1);
  EXPECT_EQ(f.ops.lastValue(), -10) << "the speed command is signed";
  f.drive.setRegister('5', 0x37, 0xFFF6);
  ASSERT_EQ(f.ops.readRegister('5', 0x37), 1);
  EXPECT_EQ(f.ops.lastValue(), 0xFFF6) << "every other register is unsigned";
}

TEST(DriveOperations, DisplayValuesAreReadFromTheirOwnRegisters) {
  DriveFixture f;
  f.link();
  // Un01 and ECA20 share a linear number; a fetch by number would answer with ECA20.
  ASSERT_EQ(catalogue::wordAddress("Un01"), catalogue::wordAddress("ECA20"));
  f.drive.setRegister('6', 0xE4, 0xF000);  // pinned: -4096 raw, a full rated speed backwards
  f.drive.setParameter("ECA20", 1234);
  ASSERT_EQ(f.ops.readDisplayValue("Un01"), 1);
  EXPECT_EQ(f.ops.lastValue(), -3000);
  EXPECT_EQ(f.drive.count(RequestKind::WindowWrite), 0);
  ASSERT_EQ(f.ops.readDisplayValue("AL01"), 1);
  EXPECT_EQ(f.ops.lastValue(), f.drive.alarms()[0]);
  EXPECT_EQ(f.ops.readDisplayValue("Cn001"), 0) << "parameters are not display values";
}

TEST(DriveOperations, FailuresAreToldWithTheSystemsWords) {
  sim::SimOptions o;
  o.faults.drop = 1.0;
  DriveFixture f(o);
  f.link();
  EXPECT_EQ(f.ops.readParameter("Cn010"), 0);
  ASSERT_EQ(f.prompt.shown().size(), 1u);
  EXPECT_EQ(f.prompt.shown()[0].text, "Error:\n\n");
  EXPECT_EQ(f.prompt.shown()[0].title, "Communication Message");
  EXPECT_EQ(f.prompt.shown()[0].icon, PromptIcon::Stop);
  EXPECT_FALSE(linkState().isConnected());
  EXPECT_FALSE(f.flags.linkBusy) << "link-busy is lowered again";
  linkState().connected = 1;
  EXPECT_EQ(f.ops.writeParameter("Cn010", 100), 0);
  EXPECT_EQ(f.prompt.shown().back().text, "Cn010 Error");
}

TEST(DriveOperations, ModbusParametersByRegister) {
  for (auto line : {sim::LineProtocol::ModbusRtu, sim::LineProtocol::ModbusAscii}) {
    sim::SimOptions o;
    o.line = line;
    DriveFixture f(o);
    f.link();
    const bool ascii = line == sim::LineProtocol::ModbusAscii;
    linkState().station = 1;
    ASSERT_EQ(f.ops.modbusWriteParameter("Cn010", 210, ascii), 1);
    ASSERT_EQ(f.ops.modbusReadParameter("Cn010", ascii), 1);
    EXPECT_EQ(f.ops.lastValue(), 210);
    EXPECT_EQ(f.drive.count(RequestKind::ModbusWrite), 1);
    EXPECT_EQ(f.drive.count(RequestKind::ModbusRead), 1);
  }
}

}  // namespace
}  // namespace zavo
