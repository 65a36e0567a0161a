// Whole transfers against the paced virtual drive (turnaround 0.5 ms), reported as the ratio
// of the measured time to the time the line itself needs: every request and reply character
// at the baud rate plus one turnaround per exchange, as counted from the drive's own log.
//
//   imageRead/BAUD       the register image read (512 words, three exchanges each)
//   parametersByName/BAUD  every parameter of drive type 2 read by name
//   modbusOurs/BAUD, modbusLibmodbus/BAUD  the same parameters' Modbus registers over RTU,
//                        by our exchange and by libmodbus on the same line

#include <benchmark/benchmark.h>
#include <modbus.h>

#include <chrono>

#include "link/DriveLinkCodec.h"
#include "link/DriveOperations.h"
#include "link/LinkSession.h"
#include "link/LinkFlags.h"
#include "link/LinkState.h"
#include "link/RegisterImageTransfer.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/ZavoServoDoc.h"
#include "sim/VirtualDrive.h"
#include "tests/bench/PacedLine.h"

namespace {

using namespace zavo::bench;

void imageRead(benchmark::State& state) {
  PacedLine line(state.range(0), zavo::sim::LineProtocol::DriveLink);
  if (!line.ok) return state.SkipWithError("no virtual drive");
  zavo::CZavoServoDoc doc;
  zavo::NullProgress progress;
  zavo::RegisterImageTransfer transfer(line.ops, progress);
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    if (!transfer.read(doc)) return state.SkipWithError("image read failed");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  report(state, line, measured);
}

void parametersByName(benchmark::State& state) {
  PacedLine line(state.range(0), zavo::sim::LineProtocol::DriveLink);
  if (!line.ok) return state.SkipWithError("no virtual drive");
  const auto& params = zavo::catalogue::parameters(2);
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    for (const auto& e : params)
      if (zavo::catalogue::wordAddress(e.code) >= 0 && !line.ops.readParameter(e.code))
        return state.SkipWithError("read failed");
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  report(state, line, measured);
}

std::vector<int> modbusRegisters() {
  std::vector<int> regs;
  for (const auto& e : zavo::catalogue::parameters(2)) {
    const int r = zavo::catalogue::modbusRegister(e.code);
    if (r >= 0) regs.push_back(r);
  }
  return regs;
}

void modbusOurs(benchmark::State& state) {
  PacedLine line(state.range(0), zavo::sim::LineProtocol::ModbusRtu);
  if (!line.ok || line.port.Open(line.drive.portPath().c_str(), 19200, 500, 2048, 2048) != 0)
    return state.SkipWithError("no virtual drive");
  const auto regs = modbusRegisters();
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    for (int r : regs) {
      int word = 0;
      if (!line.ops.modbusRead(r, false, word)) return state.SkipWithError("read failed");
    }
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  state.counters["seconds"] = measured / static_cast<double>(state.iterations());
  report(state, line, measured);
}

void modbusLibmodbus(benchmark::State& state) {
  PacedLine line(state.range(0), zavo::sim::LineProtocol::ModbusRtu);
  if (!line.ok) return state.SkipWithError("no virtual drive");
  modbus_t* ctx = modbus_new_rtu(line.drive.portPath().c_str(), static_cast<int>(state.range(0)), 'N', 8, 2);
  if (!ctx || modbus_set_slave(ctx, 1) != 0 || modbus_connect(ctx) != 0) return state.SkipWithError("libmodbus");
  const auto regs = modbusRegisters();
  double measured = 0;
  for (auto _ : state) {
    const auto t = Clock::now();
    for (int r : regs) {
      std::uint16_t word = 0;
      if (modbus_read_registers(ctx, r, 1, &word) != 1) return state.SkipWithError("libmodbus read failed");
    }
    measured += std::chrono::duration<double>(Clock::now() - t).count();
  }
  modbus_close(ctx);
  modbus_free(ctx);
  state.counters["seconds"] = measured / static_cast<double>(state.iterations());
  report(state, line, measured);
}

BENCHMARK(imageRead)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(parametersByName)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(modbusOurs)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(modbusLibmodbus)->Arg(19200)->Arg(115200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
