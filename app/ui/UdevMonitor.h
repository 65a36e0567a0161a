#pragma once
// Device changes from the system's device manager (udev), delivered on the user-interface
// thread as DeviceEvent values. The program watches the USB and serial subsystems.

#include <QObject>

#include "app/DeviceEvent.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace zavo {

class UdevMonitor final : public QObject {
  Q_OBJECT
 public:
  explicit UdevMonitor(QObject* parent = nullptr);
  ~UdevMonitor() override;

  // Starts watching; false (with the reason in `error`) when the device manager is not there.
  bool start(std::string* error);

 Q_SIGNALS:
  void deviceChanged(const zavo::DeviceEvent& event);

 private:
  void receive();

  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zavo
