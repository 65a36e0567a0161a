// The search of a line for drives: a full scan of the five slowest rates of Link Port Set
// (4800-57600 baud) at all 247 stations, against a bus of two virtual drives. Most probes
// meet silence, so the scan costs what its time-outs add up to; reported as seconds, as the
// ratio to that sum (what the program adds beyond waiting), and as the ratio to the line's
// own time for every probe's request and reply.

#include <benchmark/benchmark.h>

#include <chrono>

#include "comtrak/CSerial.h"
#include "link/ModbusCodec.h"
#include "link/Protocol.h"
#include "link/SerialFormat.h"
#include "link/StationScan.h"
#include "params/catalogue/DriveContext.h"
#include "sim/VirtualDrive.h"

namespace {

constexpr int kFormat = 7;  // 8E1 RTU

void fullScan(benchmark::State& state) {
  zavo::sim::SimOptions o;
  o.line = zavo::sim::LineProtocol::ModbusRtu;
  o.modbusFormat = kFormat;
  o.busStations = {17, 200};
  o.bauds = {19200, 57600};
  zavo::sim::VirtualDrive drive(o);
  CSerial port;
  zavo::driveContext().reset(2);
  if (!drive.start() || port.Open(drive.portPath().c_str(), 19200, 500, 2048, 2048) != 0) {
    state.SkipWithError("no virtual drive");
    return;
  }
  zavo::ScanPlan plan = zavo::ScanPlan::defaults(0, kFormat);
  plan.bauds = {4800, 9600, 19200, 38400, 57600};
  const auto rq = zavo::modbus::readRequest(1, zavo::protocol::kModbusProbeRegister, 1, false);
  const int bits = zavo::characterBits(zavo::modbusFormat(kFormat));
  double timeouts = 0, wire = 0;
  for (const unsigned long baud : plan.bauds) {
    const double perProbe =
        zavo::StationScan::probeTimeoutMs(baud, bits, rq.frame.size, rq.expectedReply) / 1000.0;
    timeouts += perProbe * static_cast<double>(plan.stations.size());
    wire += static_cast<double>((rq.frame.size + rq.expectedReply) * plan.stations.size()) * bits / static_cast<double>(baud);
  }
  std::size_t found = 0;
  double seconds = 0;
  for (auto _ : state) {
    zavo::ScanObserver quiet;
    const auto t = std::chrono::steady_clock::now();
    found = zavo::StationScan(port).run(plan, quiet).size();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
  }
  if (found != 2) state.SkipWithError("the scan did not find the two drives");
  state.counters["seconds"] = seconds;
  state.counters["ratio_to_timeouts"] = seconds / timeouts;
  state.counters["ratio_to_wire"] = seconds / wire;
  state.counters["probes"] = plan.probeCount();
}

BENCHMARK(fullScan)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
