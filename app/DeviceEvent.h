#pragma once
// A device change as the system's device manager reports it, and the one question the program
// asks of it: is this the removal of the drive's own USB interface?

#include <string>

namespace zavo {

// The drive's USB serial interface.
inline constexpr unsigned kDriveUsbVendor = 0x1CBE;
inline constexpr unsigned kDriveUsbProduct = 0x0002;

struct DeviceEvent {
  std::string action;     // "add", "remove", ...
  std::string subsystem;  // "usb", "tty", ...
  std::string devType;    // "usb_device", "usb_interface"
  std::string product;    // PRODUCT: "vid/pid/bcd" in hexadecimal without leading zeros
  std::string vendorId;   // ID_VENDOR_ID, four hexadecimal digits
  std::string modelId;    // ID_MODEL_ID
  std::string devNode;
};

bool isDriveDevice(const DeviceEvent& e);
bool isDriveRemoval(const DeviceEvent& e);

}  // namespace zavo
