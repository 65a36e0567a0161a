#include <gtest/gtest.h>

#include <thread>

#include "link/LinkPort.h"
#include "tests/support/PtyPeer.h"
#include "tests/support/RecordingPrompt.h"

namespace zavo {
namespace {

TEST(LinkPort, ChecksTheLibraryAndSaysSoWhenItIsMissing) {
  test::RecordingPrompt prompt;
  {
    LinkPort good;
    EXPECT_TRUE(good.libraryLoaded());
  }
  EXPECT_TRUE(prompt.shown().empty());
  LinkPort::setLibraryName("libComtrak-missing.so");
  {
    LinkPort bad;
    EXPECT_FALSE(bad.libraryLoaded());
  }
  LinkPort::setLibraryName("libComtrak.so");
  ASSERT_EQ(prompt.shown().size(), 1u);
  EXPECT_EQ(prompt.shown()[0].text, "Fail to load dll!");
  EXPECT_EQ(prompt.shown()[0].title, "");
}

TEST(LinkPort, HugeReadDiscardsPendingInput) {
  test::PtyPeer peer;
  LinkPort port;
  ASSERT_EQ(port.Open(peer.slavePath().c_str(), 19200, 500, 20000, 20000), 0);
  peer.inject(test::bytesOf("stale trace stream"));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  unsigned long got = 99;
  std::vector<char> big(20001);
  EXPECT_EQ(port.Read(big.data(), 20001, &got), 0);
  EXPECT_EQ(got, 0u);
  char small[32];
  EXPECT_EQ(port.Read(small, sizeof small, &got, nullptr, 50), 0);
  EXPECT_EQ(got, 0u) << "the stale bytes were discarded";
}

}  // namespace
}  // namespace zavo
