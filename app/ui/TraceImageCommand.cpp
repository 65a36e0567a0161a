#include "app/ui/TraceImageCommand.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

#include "comtrak/CSerial.h"
#include "link/LinkFlags.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/BoundedFileRead.h"
#include "trace/TraceRecordFile.h"
#include "trace/ui/TraceWindow.h"

namespace zavo {
namespace {

constexpr std::size_t kHeadBytes = 1024 * 1024;

void complain(const QString& what) { std::fprintf(stderr, "ZavoServo: %s\n", what.toLocal8Bit().constData()); }

// The drive type the file was written for, so that it opens as its own (0 when unreadable:
// the window then says what is wrong with it).
int fileDriveType(const QString& path) {
  std::string bytes;
  if (readFileBounded(path.toStdString(), kHeadBytes, bytes) != FileReadStatus::Ok) return 0;
  const auto f = trace::parseTraceFile(bytes, 0);
  return f && f->driveType >= 0 && f->driveType <= 4 ? f->driveType : 0;
}

}  // namespace

bool wantsTraceImage(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], kTraceImageOption) == 0) return true;
  return false;
}

int runTraceImage(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf(QString::fromLatin1(kTraceImageOption));
  if (at < 0 || at + 2 >= arguments.size()) {
    complain(QStringLiteral("usage: ZavoServo --trace-image OUT.png|OUT.ppm FILE.trd"));
    return kTraceImageUsage;
  }
  const QString out = arguments[at + 1];
  const QString file = arguments[at + 2];
  const QString format = QFileInfo(out).suffix().toLower();
  if (format != QLatin1String("png") && format != QLatin1String("ppm")) {
    complain(QStringLiteral("%1: the picture is written as .png or .ppm").arg(out));
    return kTraceImageFailed;
  }
  if (!QFileInfo(file).isFile()) {
    complain(QStringLiteral("%1: no such file").arg(file));
    return kTraceImageFailed;
  }
  driveContext().reset(fileDriveType(file));
  CSerial port;
  LinkFlags flags;
  trace::TraceExchange exchange;
  trace::TraceSettingsBlock block;
  TraceWindow window(TraceWindowHost(port, flags, exchange, block));
  if (!window.openFile(file)) return kTraceImageFailed;  // the window said why
  if (!window.picture().save(out, format.toLatin1().constData())) {
    complain(QStringLiteral("%1: cannot be written").arg(out));
    return kTraceImageFailed;
  }
  return kTraceImageOk;
}

}  // namespace zavo
