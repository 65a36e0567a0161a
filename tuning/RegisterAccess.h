#pragma once
// The register transfers of the tuning functions, named by RegisterRef.
//
// A stored write (the auto gain adjustment's "write with the store flag") of a page-'5' or
// page-'C' register is the transfer operation's own. For the other pages (the tuning
// parameters in page 'B') that operation would store at the register's address without the
// page's linear base and write page '5' at that address: into a parameter that has nothing
// to do with tuning (B5C into Pn313). Here they are stored at their own linear number
// (0x200 + address) and written to their own page.

#include <cstdint>

#include "link/DriveOperations.h"
#include "tuning/TuningRegisters.h"

namespace zavo::tuning {

// The value in the last read value; false when the read failed.
bool readRegister(DriveOperations& ops, RegisterRef r, std::int32_t& value);
bool writePlain(DriveOperations& ops, RegisterRef r, std::int32_t value);
bool writeStored(DriveOperations& ops, RegisterRef r, std::int32_t value);
// A word exactly as given: no scaling, whatever the register (the JOG speed register is
// otherwise written in rpm).
bool writeWord(DriveOperations& ops, RegisterRef r, std::uint16_t word);

}  // namespace zavo::tuning
