#include "cli/DriveSession.h"

#include <cstdio>

#include "link/LinkPort.h"
#include "link/LinkState.h"
#include "params/catalogue/DriveContext.h"

namespace zavo::cli {

void applyDriveType(int driveType) {
  driveContext().reset(driveType);
}

DriveSession::DriveSession(const DriveOptions& options)
    : options_(options), frames_(options.logFrames), ops_(mainPort(), flags_), connection_(mainPort(), flags_, ops_, doc_, *this) {
  applyDriveType(options.driveType);
  auto& ls = linkState();
  ls.modbusMode = options.modbus ? 1 : 0;
  ls.modbusAscii = options.ascii ? 1 : 0;
  ls.modbusFormat = options.format;
  ls.station = options.station;
  doc_.OnNewDocument();
}

DriveSession::~DriveSession() { connection_.disconnect(); }

std::optional<LinkPortChoice> DriveSession::askLinkPort(bool, int) {
  return LinkPortChoice{0, options_.port, options_.baudIndex};
}

bool DriveSession::connect() {
  if (!frames_.ok()) return false;
  if (options_.port.empty()) {
    std::fprintf(stderr, "zavoctl: no port: give --port PATH or set ZAVO_PORT\n");
    return false;
  }
  connection_.connectTo(LinkPortChoice{0, options_.port, options_.baudIndex});
  return linkState().isConnected();
}

}  // namespace zavo::cli
