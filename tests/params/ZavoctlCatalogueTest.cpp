// The catalogue commands of zavoctl, run as the user runs them.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zavo::test {
namespace {

struct CliRun {
  int exitCode = -1;
  std::string out;
};

CliRun zavoctl(const std::string& args) {
  CliRun r;
  const std::string cmd = std::string(ZAVOCTL_PATH) + " " + args + " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

TEST(ZavoctlCatalogueTest, InfoJsonCarriesEveryKey) {
  const CliRun r = zavoctl("info Pn402 --json");
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "{\"code\":\"Pn402\",\"id\":402,\"exists\":true,\"attributes\":90114,\"register\":13675,\"wordAddress\":107,"
            "\"highRegister\":13674,\"title\":\"Internal Position Command 1-Pulse Number\",\"unit\":\"pulse\","
            "\"min\":-8388608,\"max\":8388608,\"default\":0,\"modbusRegister\":870,\"storeOnly\":false}\n");
}

TEST(ZavoctlCatalogueTest, InfoJsonUsesNullWhereThereIsNone) {
  const CliRun r = zavoctl("info ECA03 --drive-type 3 --json");
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("\"highRegister\":null"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"modbusRegister\":null"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"title\":\"Number of Cuts\""), std::string::npos) << r.out;
  const CliRun absent = zavoctl("info Cn094 --drive-type 3 --json");
  EXPECT_NE(absent.out.find("\"exists\":false"), std::string::npos) << absent.out;
}

TEST(ZavoctlCatalogueTest, InfoReadableForm) {
  const CliRun r = zavoctl("info Cn005");
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Encoder Pulse Dividing Output"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("0x4306"), std::string::npos) << r.out;
}

TEST(ZavoctlCatalogueTest, CatalogueListsOneTabSeparatedLinePerParameter) {
  const CliRun r = zavoctl("catalogue --drive-type 2 --group Cn00");
  ASSERT_EQ(r.exitCode, 0);
  const auto l = lines(r.out);
  ASSERT_EQ(l.size(), 9u);  // Cn001 .. Cn009
  EXPECT_EQ(l[0], "Cn001\tControl Mode selection\t%X\t\t0~C\t2");
  EXPECT_EQ(l[1], "Cn002\tContact Auxiliary Function & EMC Return Mode Selection\t%04X\t\t0000~1011\t0000");
  EXPECT_EQ(l[2].substr(0, 6), "Cn003\t");
  const CliRun pdxa = zavoctl("catalogue --drive-type 1 --group Hn");
  EXPECT_EQ(lines(pdxa.out).size(), 11u);
  EXPECT_EQ(lines(pdxa.out).front().substr(0, 6), "Hn501\t");
}

TEST(ZavoctlCatalogueTest, ConvertBothWays) {
  EXPECT_EQ(zavoctl("convert Sn201 --to-display 0xFFF6").out, "-7\n");
  EXPECT_EQ(zavoctl("convert Cn007 --to-raw 1000").out, "1365\n");
  EXPECT_EQ(zavoctl("convert Cn007 --to-raw 1000 --legacy").out, "5461\n");
  EXPECT_EQ(zavoctl("convert Cn007 --to-display 4096 --rated-speed 2000").out, "2000\n");
  EXPECT_EQ(zavoctl("convert Un10 --to-display 1024 --drive-type 0").out, "502\n");
}

TEST(ZavoctlCatalogueTest, StringsShowTheSystemsOwnWords) {
  const CliRun english = zavoctl("strings");
  ASSERT_EQ(english.exitCode, 0);
  for (const char* line : {"61486\tEmergency  Stop", "61491\tncorrect parameter setting",
                           "61887\tRestart servo!!\\n(Power off, then power on.)", "62118\tZavoServo(M7-R) V1.218",
                           "61553\tOnline parameter eidt failed!!", "62133\tSERVO"})
    EXPECT_NE(english.out.find(std::string(line) + "\n"), std::string::npos) << line;
  // ascending ids
  unsigned last = 0;
  for (const auto& l : lines(english.out)) {
    const unsigned id = static_cast<unsigned>(std::stoul(l));
    EXPECT_GT(id, last) << l;
    last = id;
  }
  const CliRun builtin = zavoctl("strings --builtin");
  EXPECT_NE(builtin.out.find("62116\tZavoServo(PDXR) V1.03\n"), std::string::npos);
  EXPECT_NE(builtin.out.find("62136\tservo\n"), std::string::npos);
  EXPECT_EQ(builtin.out.find("61486"), std::string::npos);
}

TEST(ZavoctlCatalogueTest, UsageErrorsExitWithTwo) {
  for (const char* args : {"info", "info Cn001 --drive-type 7", "info Cn001 Cn002", "catalogue --bogus",
                           "convert Cn001", "convert Cn001 --to-raw", "convert Cn001 --to-raw 1 --to-display 2",
                           "convert Cn001 --to-raw 1 --rated-speed 0", "strings extra"})
    EXPECT_EQ(zavoctl(args).exitCode, 2) << args;
  for (const char* help : {"info --help", "catalogue --help", "convert --help", "strings --help"}) {
    const CliRun r = zavoctl(help);
    EXPECT_EQ(r.exitCode, 0) << help;
    EXPECT_NE(r.out.find("Usage: zavoctl"), std::string::npos) << help;
  }
}

}  // namespace
}  // namespace zavo::test
