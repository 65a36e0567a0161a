#include "app/ui/VirtualDrive.h"

#include <sys/prctl.h>

#include <csignal>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace zavo {
namespace {

constexpr int kStartTimeoutMs = 5000;
constexpr int kStopTimeoutMs = 2000;
const char* const kPortPrefix = "PORT ";

}  // namespace

QString VirtualDrive::defaultProgram() {
  const QString name = QStringLiteral("zavodrive-sim");
  const QDir here(QCoreApplication::applicationDirPath());
  // Beside the program in the build tree; in an installed tree the family folder lies in
  // <prefix>/lib/zavoservo/ and the simulator in <prefix>/bin.
  for (const QString& candidate : {here.filePath(name), here.filePath(QStringLiteral("../../../bin/") + name)})
    if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).canonicalFilePath();
  const QString inPath = QStandardPaths::findExecutable(name);
  return inPath.isEmpty() ? here.filePath(name) : inPath;
}

VirtualDrive::VirtualDrive(QString program) : program_(std::move(program)) {}

VirtualDrive::~VirtualDrive() { stop(); }

bool VirtualDrive::running() const { return process_ && process_->state() == QProcess::Running; }

std::string VirtualDrive::start(int driveType, std::string* error) {
  if (running() && driveType_ == driveType && !port_.empty()) return port_;
  stop();
  const auto fail = [&](const QString& why) {
    if (error) *error = why.toStdString();
    stop();
    return std::string();
  };
  if (!QFileInfo(program_).isExecutable()) return fail(QStringLiteral("%1 is missing").arg(program_));
  process_ = std::make_unique<QProcess>();
  process_->setProgram(program_);
  process_->setArguments({QStringLiteral("--drive-type"), QString::number(driveType)});
  process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // The drive goes when the program goes, also when the program is killed and cannot stop it.
  process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  process_->start();
  if (!process_->waitForStarted(kStartTimeoutMs)) return fail(process_->errorString());
  // The first line names the terminal; wait for a whole line, not just the first bytes.
  while (!process_->canReadLine()) {
    if (!process_->waitForReadyRead(kStartTimeoutMs))
      return fail(QStringLiteral("%1 did not report its port").arg(program_));
  }
  const QString line = QString::fromLocal8Bit(process_->readLine()).trimmed();
  if (!line.startsWith(QLatin1String(kPortPrefix))) return fail(QStringLiteral("unexpected first line: %1").arg(line));
  port_ = line.mid(static_cast<int>(qstrlen(kPortPrefix))).trimmed().toStdString();
  driveType_ = driveType;
  return port_;
}

void VirtualDrive::stop() {
  if (process_) {
    if (process_->state() != QProcess::NotRunning) {
      process_->terminate();
      if (!process_->waitForFinished(kStopTimeoutMs)) {
        process_->kill();
        process_->waitForFinished(kStopTimeoutMs);
      }
    }
    process_.reset();
  }
  port_.clear();
  driveType_ = -1;
}

}  // namespace zavo
