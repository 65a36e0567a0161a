#include "app/ui/UdevMonitor.h"

#include <libudev.h>

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

namespace zavo {
namespace {

std::string propertyOf(udev_device* d, const char* name) {
  const char* v = udev_device_get_property_value(d, name);
  return v ? v : "";
}

std::string orEmpty(const char* s) { return s ? s : ""; }

}  // namespace

UdevMonitor::UdevMonitor(QObject* parent) : QObject(parent) {}

UdevMonitor::~UdevMonitor() {
  delete notifier_;
  if (monitor_) udev_monitor_unref(monitor_);
  if (udev_) udev_unref(udev_);
}

bool UdevMonitor::start(std::string* error) {
  const auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + ": " + std::strerror(errno ? errno : ENODEV);
    return false;
  };
  errno = 0;
  udev_ = udev_new();
  if (!udev_) return fail("udev");
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (!monitor_) return fail("udev monitor");
  // The drive shows up as a USB device with its interface and as a serial port.
  for (const char* subsystem : {"usb", "tty"})
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, subsystem, nullptr) < 0)
      return fail("udev filter");
  if (udev_monitor_enable_receiving(monitor_) < 0) return fail("udev receive");
  notifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
  connect(notifier_, &QSocketNotifier::activated, this, &UdevMonitor::receive);
  return true;
}

void UdevMonitor::receive() {
  udev_device* d = udev_monitor_receive_device(monitor_);
  if (!d) return;
  DeviceEvent e;
  e.action = orEmpty(udev_device_get_action(d));
  e.subsystem = orEmpty(udev_device_get_subsystem(d));
  e.devType = orEmpty(udev_device_get_devtype(d));
  e.product = propertyOf(d, "PRODUCT");
  e.vendorId = propertyOf(d, "ID_VENDOR_ID");
  e.modelId = propertyOf(d, "ID_MODEL_ID");
  e.devNode = orEmpty(udev_device_get_devnode(d));
  udev_device_unref(d);
  Q_EMIT deviceChanged(e);
}

}  // namespace zavo
