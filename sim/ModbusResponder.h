#pragma once
// Answers Modbus requests in ASCII or RTU framing at the drive's station number: function 03
// reads and function 06 writes the Modbus parameter registers; any other function gets
// exception 01, a register without a parameter exception 02. Frames for other stations are
// not answered; a broadcast write (station 0) is carried out without a reply.

#include <span>

#include "sim/DriveMemory.h"
#include "sim/ModbusMap.h"
#include "sim/ParameterMemory.h"
#include "sim/RequestKind.h"

namespace zavo::sim {

class ModbusResponder {
 public:
  ModbusResponder(DriveMemory& memory, ParameterMemory& parameters, const ModbusMap& map, int station);

  Answer answerAscii(std::span<const std::uint8_t> frame);
  Answer answerRtu(std::span<const std::uint8_t> frame);

  // The Modbus form of a drive that refuses to serve: exception 04 (device failure).
  Bytes refusal(std::span<const std::uint8_t> request, bool ascii) const;

  static Bytes frameAscii(std::span<const std::uint8_t> pdu);
  static Bytes frameRtu(std::span<const std::uint8_t> pdu);

 private:
  Answer serve(std::span<const std::uint8_t> adu, bool ascii);
  Bytes readRegisters(int start, int count, std::uint8_t& exception);
  void writeRegister(int reg, int value, std::uint8_t& exception);

  DriveMemory& memory_;
  ParameterMemory& parameters_;
  const ModbusMap& map_;
  int station_;
};

}  // namespace zavo::sim
