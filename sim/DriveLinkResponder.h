#pragma once
// Answers DriveLink requests (R, W, B, P) from the drive's memory with the reply layouts and
// checksums of the protocol. A request with a bad checksum or layout gets no reply, as a
// drive that did not understand it stays silent; a register the drive does not have, or a
// write it does not take, gets the one-byte refusal '!'.

#include <span>

#include "link/Protocol.h"
#include "sim/DriveMemory.h"
#include "sim/FrameHook.h"
#include "sim/RequestKind.h"

namespace zavo::sim {

class DriveLinkResponder {
 public:
  DriveLinkResponder(DriveMemory& memory, const protocol::WindowLayout& window);

  Answer answer(std::span<const std::uint8_t> frame);
  // An engine that answers some requests whole (not owned; nullptr for none).
  void setHook(FrameHook* hook) { hook_ = hook; }

  static Bytes refusal();
  // '%', four hex digits per value, checksum.
  static Bytes dataReply(std::span<const std::uint16_t> values);

 private:
  Answer read(std::span<const std::uint8_t> frame);
  Answer write(std::span<const std::uint8_t> frame);
  Answer blockRead(std::span<const std::uint8_t> frame);
  Answer multiWrite(std::span<const std::uint8_t> frame);
  bool isWindowRegister(RegisterRef r) const;

  DriveMemory& memory_;
  protocol::WindowLayout window_;
  FrameHook* hook_ = nullptr;
};

}  // namespace zavo::sim
