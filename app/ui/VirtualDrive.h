#pragma once
// The virtual drive behind the "SIMULATOR : Virtual drive" port entry: zavodrive-sim started
// as a child process on a pseudo-terminal. The program then connects to that terminal as to
// any serial port. The simulator lives as long as this object (or until stopped).

#include <QString>

#include <memory>
#include <string>

class QProcess;

namespace zavo {

class VirtualDrive {
 public:
  // `program`: the simulator executable (by default zavodrive-sim beside this program).
  explicit VirtualDrive(QString program = defaultProgram());
  ~VirtualDrive();
  VirtualDrive(const VirtualDrive&) = delete;
  VirtualDrive& operator=(const VirtualDrive&) = delete;

  static QString defaultProgram();

  // Starts the simulator for `driveType` unless it already runs for that type, and returns the
  // path of its terminal; "" when it could not be started (`error` says why).
  std::string start(int driveType, std::string* error = nullptr);
  void stop();
  bool running() const;
  const std::string& portPath() const { return port_; }
  const QString& program() const { return program_; }

 private:
  QString program_;
  std::unique_ptr<QProcess> process_;
  std::string port_;
  int driveType_ = -1;
};

}  // namespace zavo
