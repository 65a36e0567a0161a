#include "app/DeviceEvent.h"

#include <cstdlib>

namespace zavo {
namespace {

bool hexEquals(const std::string& text, unsigned value) {
  if (text.empty() || text.size() > 8) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text.c_str(), &end, 16);
  return end && *end == '\0' && v == value;
}

// PRODUCT reads "1cbe/2/100".
bool productMatches(const std::string& product) {
  const auto a = product.find('/');
  if (a == std::string::npos) return false;
  const auto b = product.find('/', a + 1);
  return hexEquals(product.substr(0, a), kDriveUsbVendor) &&
         hexEquals(product.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1), kDriveUsbProduct);
}

}  // namespace

bool isDriveDevice(const DeviceEvent& e) {
  if (productMatches(e.product)) return true;
  return hexEquals(e.vendorId, kDriveUsbVendor) && hexEquals(e.modelId, kDriveUsbProduct);
}

bool isDriveRemoval(const DeviceEvent& e) { return e.action == "remove" && isDriveDevice(e); }

}  // namespace zavo
