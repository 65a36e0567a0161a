#include "params/catalogue/DriveContext.h"

namespace zavo {
namespace {

// Motor data a drive reports before anything has been read from it.
constexpr int kDefaultEncoderPulses = 2500;
// Model codes assumed until Cn030 is read: the older families and the M7 family differ.
constexpr int kDefaultModelOlder = 0x121;
constexpr int kDefaultModelM7 = 0x1121;

bool isM7Family(int type) { return type >= 2; }

}  // namespace

void DriveContext::reset(int type) {
  *this = DriveContext{};
  driveType = type;
  launcherDriveType = type;
  resetMotorData();
}

void DriveContext::resetMotorData() {
  ratedSpeed = kDefaultRatedSpeed;
  encoderPulses = kDefaultEncoderPulses;
  modelCode = isM7Family(driveType) ? kDefaultModelM7 : kDefaultModelOlder;
}

DriveContext& driveContext() {
  static DriveContext context;
  return context;
}

}  // namespace zavo
