#include "sim/DriveBus.h"

#include "link/DriveLinkCodec.h"
#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {

// The station a Modbus request is addressed to (-1 when the frame is too short to say).
int stationOf(const RequestFramer::Request& r) {
  if (r.protocol == LineProtocol::ModbusRtu) return r.bytes.empty() ? -1 : r.bytes[0];
  if (r.bytes.size() < 3) return -1;
  const int hi = drivelink::hexDigit(r.bytes[1]), lo = drivelink::hexDigit(r.bytes[2]);
  return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

}  // namespace

DriveBus::DriveBus(std::vector<Member> members) : members_(std::move(members)) {}

DriveEngine* DriveBus::atStation(int station) {
  for (auto& m : members_)
    if (m.station == station) return m.engine.get();
  return nullptr;
}

std::vector<int> DriveBus::stations() const {
  std::vector<int> out;
  for (const auto& m : members_) out.push_back(m.station);
  return out;
}

bool DriveBus::anyBaudBound() const {
  for (const auto& m : members_)
    if (m.baud != 0) return true;
  return false;
}

Answer DriveBus::answer(const RequestFramer::Request& request, double ms, long lineBaud) {
  const auto hears = [lineBaud](const Member& m) { return m.baud == 0 || lineBaud == 0 || m.baud == lineBaud; };
  if (request.protocol == LineProtocol::DriveLink) {
    if (members_.size() != 1) return Answer{RequestKind::OtherStation, false, {}};
    if (!hears(members_.front())) return Answer{};
    return members_.front().engine->answer(request, ms);
  }
  const int station = stationOf(request);
  Answer out{RequestKind::OtherStation, false, {}};
  bool heard = false;
  for (auto& m : members_) {
    if (!hears(m)) continue;
    if (m.station != station && station != kModbusBroadcast) continue;
    heard = true;
    // A broadcast goes to every drive that hears it; none of them answers.
    Answer a = m.engine->answer(request, ms);
    if (station != kModbusBroadcast) return a;
    out = std::move(a);
  }
  // A station at another rate hears noise: nothing it could take for a request.
  if (!heard && atStation(station)) return Answer{};
  return out;
}

Bytes DriveBus::refusal(const RequestFramer::Request& request) const {
  return members_.front().engine->refusal(request);
}

}  // namespace zavo::sim
