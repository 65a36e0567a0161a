#pragma once
// What a frame on the line means, as far as the program knows it: the register and the
// parameter behind it, the indirect access window's commands, the value a reply carries.
// For the frame log; every function answers for the current drive type, is bounded by the
// frame it is given and returns "" for what it cannot tell.

#include <cstdint>
#include <span>
#include <string>

namespace zavo::framedecoding {

// A DriveLink request ("read 547 rated speed", "write 5E8 = 2 window: fetch").
std::string driveLinkRequest(std::span<const std::uint8_t> frame);
// A DriveLink reply to a request of type `requestType` ("= 0x0BB8 3000").
std::string driveLinkReply(std::uint8_t requestType, std::span<const std::uint8_t> reply);
// A Modbus request and reply, ASCII or RTU ("station 1 read 00A Cn010").
std::string modbusRequest(std::span<const std::uint8_t> frame, bool ascii);
std::string modbusReply(std::span<const std::uint8_t> reply, bool ascii);

// The parameter code whose register, linear number or Modbus register this is ("" for none).
std::string codeOfRegister(int page, int address);
std::string codeOfLinear(int linear);
std::string codeOfModbusRegister(int reg);

}  // namespace zavo::framedecoding
