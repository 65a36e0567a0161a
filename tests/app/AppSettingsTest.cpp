// ZavoServo.ini: read back by position, written in full.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/AppSettings.h"
#include "app/CurFile.h"
#include "link/PortList.h"
#include "params/document/DatListing.h"
#include "params/document/OnpFile.h"
#include "params/document/TecArchive.h"

namespace zavo {
namespace {

AppSettings sample() {
  AppSettings s;
  s.comPort = 5;
  s.baudIndex = 3;
  s.station = 17;
  s.modbusMode = 1;
  s.setModbusFormat(7);
  s.definite = {{1, 3}, {4, 12}, {9, 22}};
  for (int i = 0; i < AppSettings::kDisplaySettingCount; ++i) s.display[i] = i % 3;
  s.lastDisplay = 2;
  s.driveType = 3;
  return s;
}

std::string text(const AppSettings& s) {
  std::ostringstream out;
  s.write(out);
  return out.str();
}

TEST(AppSettingsTest, WritesTheLinesInTheirPlaces) {
  const std::string t = text(sample());
  EXPECT_EQ(t.rfind("[Zavo Servo]\nVersion=v0.1.110316\n[System]\nComPort=5\n[Definite Parameter]\n3\n1\n03\n", 0), 0u);
  EXPECT_NE(t.find("\n4\n12\n9\n22\n[Display Setting]\n0\n1\n2\n"), std::string::npos);
  EXPECT_NE(t.find("StationID=17\nRS485Port=1\nBaudRateIndex=3\nRTUMode=7\nSerialNum=3\n[Display Setting]\n2\n"),
            std::string::npos);
}

TEST(AppSettingsTest, RoundTripThroughAFile) {
  const auto path = std::filesystem::temp_directory_path() / "zavo_settings_roundtrip.ini";
  const AppSettings out = sample();
  ASSERT_TRUE(out.save(path.string()));
  AppSettings in;
  ASSERT_TRUE(in.load(path.string()));
  EXPECT_EQ(in.comPort, 5);
  EXPECT_EQ(in.baudIndex, 3);
  EXPECT_EQ(in.station, 17);
  EXPECT_EQ(in.modbusMode, 1);
  EXPECT_EQ(in.modbusFormat, 7);
  EXPECT_EQ(in.modbusAscii, 0);
  EXPECT_EQ(in.definite, out.definite);
  for (int i = 0; i < AppSettings::kDisplaySettingCount; ++i) EXPECT_EQ(in.display[i], out.display[i]);
  EXPECT_EQ(in.lastDisplay, 2);
  EXPECT_EQ(in.driveType, 0) << "the drive type is saved but not restored";
  std::filesystem::remove(path);
}

TEST(AppSettingsTest, AFailedSaveKeepsThePreviousFileAndSaysWhy) {
  std::string error;
  EXPECT_FALSE(sample().save("/nonexistent-folder/ZavoServo.ini", &error));
  EXPECT_FALSE(error.empty());
}

// Replaces line `n` (1-based) of the sample file.
std::string withLine(int n, const std::string& replacement) {
  std::istringstream in(text(sample()));
  std::string out, line;
  for (int i = 1; std::getline(in, line); ++i) out += (i == n ? replacement : line) + "\n";
  return out;
}

TEST(AppSettingsTest, EdgeCasesOfReading) {
  struct Case {
    const char* name;
    std::string file;
    bool accepted;
    int comPort, baud, format, ascii, definiteCount, lastDisplay;
  };
  const Case cases[] = {
      {"wrong first line: nothing read", withLine(1, "[Zavo  Servo]"), false, 0, 0, 0, 0, 0, 0},
      {"empty file", "", false, 0, 0, 0, 0, 0, 0},
      {"RTUMode 7: RTU", withLine(31, "RTUMode=7"), true, 5, 3, 7, 0, 3, 2},
      {"RTUMode 12: format 0, ASCII", withLine(31, "RTUMode=12"), true, 5, 3, 0, 1, 3, 2},
      {"RTUMode 5: ASCII", withLine(31, "RTUMode=5"), true, 5, 3, 5, 1, 3, 2},
      {"ComPort outside 0-7 becomes 0", withLine(4, "ComPort=9"), true, 0, 3, 7, 0, 3, 2},
      {"baud index outside the list: 9600", withLine(30, "BaudRateIndex=44"), true, 5, 1, 7, 0, 3, 2},
      {"[System] missing: stops before ComPort", withLine(3, "[Sys]"), true, 0, 0, 0, 0, 0, 0},
      {"count beyond the list: sections not misread", withLine(6, "100000"), true, 5, 0, 0, 0, 0, 0},
      {"negative count", withLine(6, "-4"), true, 5, 0, 0, 0, 0, 0},
      {"windows line ends", [] {
         std::string t = text(sample()), o;
         for (char c : t) o += c == '\n' ? std::string("\r\n") : std::string(1, c);
         return o;
       }(), true, 5, 3, 7, 0, 3, 2},
      {"truncated after the display block", text(sample()).substr(0, text(sample()).find("StationID")), true, 5, 0,
       0, 0, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppSettings s;
    std::istringstream in(c.file);
    EXPECT_EQ(s.read(in), c.accepted);
    EXPECT_EQ(s.comPort, c.comPort);
    EXPECT_EQ(s.baudIndex, c.baud);
    EXPECT_EQ(s.modbusFormat, c.format);
    EXPECT_EQ(s.modbusAscii, c.ascii);
    EXPECT_EQ(static_cast<int>(s.definite.size()), c.definiteCount);
    EXPECT_EQ(s.lastDisplay, c.lastDisplay);
  }
}

TEST(AppSettingsTest, ALongCustomListIsWrittenOnlyAsFarAsItCanBeReadBack) {
  AppSettings s = sample();
  s.definite.assign(AppSettings::kMaxDefinite + 20, DefiniteParameter{1, 1});
  AppSettings back;
  std::istringstream in(text(s));
  back.read(in);
  EXPECT_EQ(static_cast<int>(back.definite.size()), AppSettings::kMaxDefinite);
  EXPECT_EQ(back.lastDisplay, 2) << "the sections after the list are still in place";
}

// A FIFO under the name of a settings or parameter file is refused at once: opening it would
// wait for a writer that never comes, and the program or zavoctl would hang.
TEST(RegularFilesOnly, EveryReaderRefusesAFifo) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("zavo-fifo-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const struct {
    const char* name;
    std::function<bool(const std::string&)> reads;  // true when the reader took something
  } readers[] = {
      {"ZavoServo.ini", [](const std::string& p) { return AppSettings().load(p); }},
      {"curfile.ini", [](const std::string& p) { return CurFile::takeFrom(p).present; }},
      {"comfile.ini",
       [](const std::string& p) {
         bool found = false;
         rememberedEntryIndex({"x"}, fs::path(p).parent_path().string(), {}, &found);
         return found;
       }},
      {"f.tec", [](const std::string& p) { TecFile f; return readTecFile(p, f) != TecReadStatus::NotRegular; }},
      {"f.dat",
       [](const std::string& p) {
         std::vector<std::int32_t> words;
         return readRamListingFile(p, 512, words) == DatImportStatus::Ok;
       }},
      {"f.onp", [](const std::string& p) { OnlineSlotCodes codes; return readOnpFile(p, codes); }},
  };
  for (const auto& r : readers) {
    const std::string path = (dir / r.name).string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << r.name;
    EXPECT_FALSE(r.reads(path)) << r.name;
    EXPECT_TRUE(fs::exists(path)) << r.name << " is left where it is";
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zavo
