#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "link/PortList.h"
#include "link/TcpIpSearch.h"
#include "tests/support/PtyPeer.h"

namespace zavo {
namespace {
namespace fs = std::filesystem;

struct FakePorts : PortSource {
  std::vector<std::string> present;
  std::vector<PortDevice> devs;
  std::vector<std::string> presentPorts() override { return present; }
  std::vector<PortDevice> devices() override { return devs; }
};

TEST(PortList, OrdersNaturallyAndKeepsOnlyPresentPorts) {
  FakePorts src;
  src.present = {"/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyS0", "COM9", "COM10"};
  src.devs = {{"/dev/ttyUSB10", "FT232R USB UART"},
              {"/dev/ttyUSB2", "CP2102 USB to UART"},
              {"/dev/ttyUSB3", "Gone adapter"},  // in the device set, not present: not listed
              {"COM10", "Communications Port"},
              {"COM9", "Communications Port"},
              {"/dev/ttyS0", "Communications Port"},
              {"TCPIP", "Network adapter"}};
  CSerial probe;
  const auto list = buildPortList(src, probe);
  const std::vector<std::string> expect{"/dev/ttyS0 : Communications Port", "/dev/ttyUSB2 : CP2102 USB to UART",
                                        "/dev/ttyUSB10 : FT232R USB UART", "COM9 : Communications Port",
                                        "COM10 : Communications Port", "TCPIP : Network adapter"};
  EXPECT_EQ(list, expect);
}

TEST(PortList, ProbesOnlyCdcPortsAndMarksTakenOnes) {
  test::PtyPeer free, taken;
  CSerial holder;
  ASSERT_EQ(holder.Open(taken.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  FakePorts src;
  // The ordinary port does not exist: were it opened, it would be marked "(using)".
  src.present = {free.slavePath(), taken.slavePath(), "/dev/ttyUSB99"};
  src.devs = {{free.slavePath(), "Drive (CDC ACM)"},
              {taken.slavePath(), "Drive (CDC ACM)"},
              {"/dev/ttyUSB99", "FT232R USB UART"}};
  CSerial probe;
  const auto list = buildPortList(src, probe);
  ASSERT_EQ(list.size(), 3u);
  auto has = [&](const std::string& e) { return std::find(list.begin(), list.end(), e) != list.end(); };
  EXPECT_TRUE(has(taken.slavePath() + " : Drive (CDC ACM)(using)"));
  EXPECT_TRUE(has(free.slavePath() + " : Drive (CDC ACM)"));
  EXPECT_TRUE(has("/dev/ttyUSB99 : FT232R USB UART"));
  EXPECT_FALSE(probe.IsOpen()) << "the probe closes a free port at once";
}

TEST(PortList, EntryNamesForTheConnect) {
  EXPECT_EQ(portOfEntry("/dev/ttyUSB0 : FT232R USB UART"), "/dev/ttyUSB0");
  EXPECT_EQ(openNameOfEntry("/dev/ttyUSB0 : FT232R USB UART"), "\\\\.\\/dev/ttyUSB0");
  EXPECT_EQ(openNameOfEntry("/dev/ttyACM0 : Drive (CDC ACM)(using)"), "\\\\.\\/dev/ttyACM0");
  EXPECT_EQ(openNameOfEntry("/dev/ttyS1"), "/dev/ttyS1");
  EXPECT_EQ(openNameOfEntry(":odd"), ":odd");
  // A device path typed or chosen as it stands keeps its colons; only a list entry is cut.
  const std::string byPath = "/dev/serial/by-path/pci-0000:00:14.0-usb-0:1:1.0-port0";
  EXPECT_EQ(openNameOfEntry(byPath), byPath);
  EXPECT_EQ(openNameOfEntry(byPath + " : FT232R USB UART"), "\\\\.\\" + byPath);
  EXPECT_TRUE(portNameLess("COM9", "COM10"));
  EXPECT_FALSE(portNameLess("COM10", "COM9"));
  EXPECT_TRUE(portNameLess("/dev/ttyACM0", "/dev/ttyUSB0"));
}

TEST(PortList, RemembersTheLastEntryInProgramOrTempFolder) {
  const fs::path base = fs::temp_directory_path() / ("zavo-comfile-" + std::to_string(::getpid()));
  const fs::path prog = base / "prog", temp = base / "temp";
  fs::create_directories(prog);
  fs::create_directories(temp);
  const std::vector<std::string> entries{"/dev/ttyS0 : Communications Port", "/dev/ttyUSB0 : FT232R USB UART"};
  bool found = true;
  EXPECT_EQ(rememberedEntryIndex(entries, prog.string(), temp.string(), &found), -1);
  EXPECT_FALSE(found);
  ASSERT_TRUE(saveSelectedEntry(entries[1], prog.string(), temp.string()));
  EXPECT_EQ(rememberedEntryIndex(entries, prog.string(), temp.string(), &found), 1);
  EXPECT_TRUE(found);
  // An unwritable program folder falls back to the temporary folder.
  ASSERT_TRUE(saveSelectedEntry(entries[0], (base / "missing" / "dir").string(), temp.string()));
  EXPECT_EQ(rememberedEntryIndex(entries, (base / "missing").string(), temp.string()), 0);
  std::ofstream(prog / kComFileName) << "/dev/ttyUSB7 : Unplugged\n";
  EXPECT_EQ(rememberedEntryIndex(entries, prog.string(), temp.string(), &found), -1);
  EXPECT_TRUE(found);
  EXPECT_FALSE(saveSelectedEntry("x", (base / "no1").string(), (base / "no2").string()));
  fs::remove_all(base);
}

TEST(TcpIpSearch, CollectsAnswersAndSkipsOthers) {
  const int responder = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(responder, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  socklen_t len = sizeof addr;
  ::getsockname(responder, reinterpret_cast<sockaddr*>(&addr), &len);
  std::thread t([&] {
    unsigned char q[16];
    sockaddr_in from{};
    socklen_t fl = sizeof from;
    const ssize_t n = ::recvfrom(responder, q, sizeof q, 0, reinterpret_cast<sockaddr*>(&from), &fl);
    if (n != 4 || q[3] != 0xF6) return;
    const unsigned char noise[8] = {0, 0, 0, 0x11, 1, 2, 3, 4};
    const unsigned char answer[12] = {0, 0, 0, 0xF7, 0x00, 0x20, 0x4A, 0xAB, 0xCD, 0xEF, 0, 0};
    ::sendto(responder, noise, sizeof noise, 0, reinterpret_cast<sockaddr*>(&from), fl);
    ::sendto(responder, answer, sizeof answer, 0, reinterpret_cast<sockaddr*>(&from), fl);
  });
  const auto found = searchTcpIp("127.0.0.1", ntohs(addr.sin_port), 300, 0);
  t.join();
  ::close(responder);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].ip, "127.0.0.1");
  EXPECT_EQ(found[0].mac, "00-20-4a-ab-cd-ef");
}

}  // namespace
}  // namespace zavo
