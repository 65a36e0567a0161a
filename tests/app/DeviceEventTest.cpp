// Only the removal of the drive's own USB interface counts.

#include <gtest/gtest.h>

#include "app/DeviceEvent.h"

namespace zavo {
namespace {

TEST(DeviceEventTest, RecognisesTheDrivesInterfaceOnly) {
  struct Case {
    const char* name;
    DeviceEvent e;
    bool removal;
  };
  const Case cases[] = {
      {"drive interface removed", {"remove", "usb", "usb_interface", "1cbe/2/100", "", "", ""}, true},
      {"drive device removed (ids)", {"remove", "usb", "usb_device", "", "1cbe", "0002", ""}, true},
      {"upper-case ids", {"remove", "usb", "usb_device", "", "1CBE", "0002", ""}, true},
      {"drive added", {"add", "usb", "usb_interface", "1cbe/2/100", "", "", ""}, false},
      {"other product of the vendor", {"remove", "usb", "usb_interface", "1cbe/3/100", "", "", ""}, false},
      {"unrelated stick", {"remove", "usb", "usb_device", "781/5567/100", "0781", "5567", ""}, false},
      {"pid with leading digits", {"remove", "usb", "usb_interface", "1cbe/20002/100", "", "", ""}, false},
      {"garbage", {"remove", "usb", "", "1cbe", "1cbe", "", ""}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(isDriveRemoval(c.e), c.removal);
  }
}

}  // namespace
}  // namespace zavo
