#include "tuning/RegisterAccess.h"

#include "link/LinkState.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::tuning {

bool readRegister(DriveOperations& ops, RegisterRef r, std::int32_t& value) {
  if (ops.readRegister(r.page, r.address) != 1) return false;
  value = ops.lastValue();
  return true;
}

bool writePlain(DriveOperations& ops, RegisterRef r, std::int32_t value) {
  return ops.writeRegister(r.page, r.address, value, false) == 1;
}

bool writeStored(DriveOperations& ops, RegisterRef r, std::int32_t value) {
  if (r.page == protocol::kPage5 || r.page == protocol::kPageC) return ops.writeRegister(r.page, r.address, value, true) == 1;
  if (!linkState().isConnected()) return false;
  LinkBusyScope busy(ops.flags());
  const int linear = catalogue::linearNumber(static_cast<std::uint16_t>(r.page << 8 | r.address));
  return ops.store(driveContext().driveType, linear, value & 0xFFFF) && writePlain(ops, r, value);
}

bool writeWord(DriveOperations& ops, RegisterRef r, std::uint16_t word) {
  if (!linkState().isConnected()) return false;
  LinkBusyScope busy(ops.flags());
  return ops.writeAck(r.page, r.address, word);
}

}  // namespace zavo::tuning
