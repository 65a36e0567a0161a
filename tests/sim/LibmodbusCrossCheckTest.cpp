// An independent Modbus implementation as the client: libmodbus reads and writes the virtual
// drive over its pty in RTU, the way any Modbus master on the RS-485 line would.

#include <gtest/gtest.h>
#include <modbus.h>

#include <cerrno>
#include <memory>

#include "sim/VirtualDrive.h"

namespace zavo::sim::test {
namespace {

constexpr int kStation = 3;
constexpr int kCn001 = 0x0001;
constexpr int kUn01 = 0x0601;

struct ModbusDeleter {
  void operator()(modbus_t* ctx) const {
    modbus_close(ctx);
    modbus_free(ctx);
  }
};
using Client = std::unique_ptr<modbus_t, ModbusDeleter>;

Client connect(const std::string& path, int station, int parity, int dataBits, int stopBits) {
  Client ctx(modbus_new_rtu(path.c_str(), 19200, static_cast<char>(parity), dataBits, stopBits));
  if (!ctx) return nullptr;
  modbus_set_slave(ctx.get(), station);
  modbus_set_response_timeout(ctx.get(), 0, 300000);
  if (modbus_connect(ctx.get()) != 0) return nullptr;
  return ctx;
}

TEST(Libmodbus, ReadsWritesAndGetsTheExceptions) {
  SimOptions o;
  o.line = LineProtocol::ModbusRtu;
  o.station = kStation;
  o.modbusFormat = 7;  // 8E1
  VirtualDrive drive(o);
  ASSERT_TRUE(drive.start());
  Client ctx = connect(drive.portPath(), kStation, 'E', 8, 1);
  ASSERT_TRUE(ctx) << modbus_strerror(errno);

  std::uint16_t regs[4] = {};
  ASSERT_EQ(modbus_read_registers(ctx.get(), kCn001, 4, regs), 4) << modbus_strerror(errno);
  EXPECT_EQ(regs[0], *drive.readRegister('5', 0x10));
  EXPECT_EQ(regs[2], *drive.readRegister('5', 0x11)) << "Cn003 lives at '5' 0x11";

  // Cn003 runs as it is written (Cn001 would wait for the next start).
  ASSERT_EQ(modbus_write_register(ctx.get(), kCn001 + 2, 6), 1) << modbus_strerror(errno);
  ASSERT_EQ(modbus_read_registers(ctx.get(), kCn001 + 2, 1, regs), 1);
  EXPECT_EQ(regs[0], 6);
  EXPECT_EQ(drive.storedParameter("Cn003"), 6);

  EXPECT_EQ(modbus_read_registers(ctx.get(), kUn01, 1, regs), 1) << modbus_strerror(errno);

  EXPECT_EQ(modbus_read_registers(ctx.get(), 0x00FF, 1, regs), -1);
  EXPECT_EQ(errno, EMBXILADD);
  EXPECT_EQ(modbus_write_register(ctx.get(), kUn01, 1), -1);
  EXPECT_EQ(errno, EMBXILADD);
  EXPECT_EQ(modbus_read_input_registers(ctx.get(), kCn001, 1, regs), -1);
  EXPECT_EQ(errno, EMBXILFUN);
  // Write-multiple has a layout of its own; the drive still answers it with exception 01.
  const std::uint16_t two[2] = {1, 2};
  EXPECT_EQ(modbus_write_registers(ctx.get(), kCn001, 2, two), -1);
  EXPECT_EQ(errno, EMBXILFUN);

  modbus_set_slave(ctx.get(), kStation + 1);
  EXPECT_EQ(modbus_read_registers(ctx.get(), kCn001, 1, regs), -1);
  EXPECT_EQ(errno, ETIMEDOUT) << "another station's request gets no answer";
  drive.stop();
}

}  // namespace
}  // namespace zavo::sim::test
