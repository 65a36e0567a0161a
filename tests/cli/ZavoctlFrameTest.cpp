#include <gtest/gtest.h>

#include "tests/cli/Run.h"

namespace zavo::test {
namespace {

TEST(ZavoctlFrame, PrintsTheFramesAsSent) {
  struct Case {
    const char* args;
    const char* out;
  } cases[] = {
      {"frame read 5 0x36", "R536F0\n"},
      {"frame read 6 203", "R6CB0D\n"},
      {"frame write 5 0xE8 1", "W5E80001CA\n"},
      {"frame write 5 0xE8 -1", "W5E8FFFF21\n"},
      {"frame block 0x9F6", "B109F658\n"},
      {"frame multi 0x105=1 0x106=-2", "P2010500010106FFFEE7\n"},
      {"frame modbus-read --rtu 1 0 1", "01 03 00 00 00 01 84 0A\n"},
      {"frame modbus-read --ascii 1 0 1", ":010300000001FB\\r\\n\n"},
      {"frame modbus-write --rtu 17 1 3", "11 06 00 01 00 03 9A 9B\n"},
  };
  for (const auto& c : cases) {
    const auto r = zavoctl(c.args);
    EXPECT_EQ(r.code, 0) << c.args;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
}

TEST(ZavoctlFrame, UsageErrorsExitTwoWithOneLine) {
  for (const char* args : {"frame read 55 1", "frame read 5 256", "frame read 5", "frame block", "frame block 1 2 3 4 5 6 7 8 9 10",
                           "frame multi 5", "frame modbus-read 1 0 1", "frame modbus-read --rtu 256 0 1", "frame nonsense",
                           "nonsense", "read", "write Cn010", "write Cn999=1", "read-reg 55 1", "backup", "--port"}) {
    const auto r = zavoctl(args, "ZAVO_PORT=/dev/null", true);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << args << ": " << r.out;
  }
  for (const char* cmd : {"frame", "read", "write", "read-reg", "write-reg", "backup", "restore", "compare", "ram-read",
                          "ram-write", "tec-show", "ports", "info", "catalogue", "convert", "strings"}) {
    const auto r = zavoctl(std::string(cmd) + " --help");
    EXPECT_EQ(r.code, 0) << cmd;
    EXPECT_NE(r.out.find("Usage: zavoctl"), std::string::npos) << cmd;
  }
}

}  // namespace
}  // namespace zavo::test
