#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "params/document/ArchiveWriter.h"
#include "params/document/DocumentTexts.h"
#include "params/document/HeaderProbe.h"
#include "tests/document/DocumentFixture.h"

namespace zavo {
namespace {

using test::DocumentFixture;
using test::RecordingHost;

// Puts a distinct value in every slot a `.tec` file stores.
void fillDistinct(CZavoServoDoc& doc, int seed) {
  TecFile layout;
  layout.driveType = driveContext().driveType;
  for (std::size_t g = 0; g < kParamGroupCount; ++g)
    for (int n = 1; n <= kGroupSlots[g]; ++n)
      if (layout.holds(static_cast<ParamGroup>(g), n))
        doc.setValue(static_cast<ParamGroup>(g), n, seed * 1000 + static_cast<int>(g) * 100 + n);
  for (int i = 0; i < kMonitorWords; ++i) doc.monitor[static_cast<std::size_t>(i)] = -i;
  doc.statusWord = 0x1234;
  doc.alarmHistory[9] = 17;
}

// A file as an older program wrote it: `version`, drive type 2, ending after `lastItem`.
std::string olderFile(const TecFile& base, const std::string& version, int lastItem) {
  TecFile f = base;
  f.versionText = version;
  std::string bytes = formatTec(f);
  const int itemInts[] = {15, 5, 1, 3, 9, 1, 4, 3, 3, 1};  // items 14-23
  for (int item = kTecLastItem; item > lastItem; --item) bytes.resize(bytes.size() - 4 * static_cast<std::size_t>(itemInts[item - 14]));
  return bytes;
}

class DocumentFileTest : public DocumentFixture {};

TEST_F(DocumentFileTest, EveryDriveTypeRoundTripsAndResavesByteIdentical) {
  for (int type = 0; type <= 4; ++type) {
    SCOPED_TRACE(type);
    CZavoServoDoc doc;
    startNew(doc, type);
    fillDistinct(doc, type + 1);
    const std::string first = path("first.tec");
    ASSERT_TRUE(doc.OnSaveDocument(first).ok);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.pathName(), first);

    CZavoServoDoc back;
    back.OnNewDocument();
    ASSERT_TRUE(back.OnOpenDocument(first)) << testing::PrintToString(prompt_.texts());
    EXPECT_EQ(driveContext().driveType, type);
    EXPECT_EQ(back.monitor, doc.monitor);
    EXPECT_EQ(back.statusWord, 0x1234);
    EXPECT_EQ(back.alarmHistory, doc.alarmHistory);
    const TecFile layout = doc.toTecFile();
    for (std::size_t g = 0; g < kParamGroupCount; ++g)
      for (int n = 1; n <= kGroupSlots[g]; ++n)
        if (layout.holds(static_cast<ParamGroup>(g), n)) {
          ASSERT_EQ(back.value(static_cast<ParamGroup>(g), n), doc.value(static_cast<ParamGroup>(g), n)) << g << "/" << n;
        }
    const std::string second = path("second.tec");
    ASSERT_TRUE(back.OnSaveDocument(second).ok);
    EXPECT_EQ(slurp(second), slurp(first));
    EXPECT_TRUE(prompt_.texts().empty());
  }
}

// Items 14-23 came later; a file without them gets the defaults, not the previous file's values.
TEST_F(DocumentFileTest, ShortFileKeepsDefaultsForTheLaterItems) {
  CZavoServoDoc doc;
  startNew(doc, 2);
  fillDistinct(doc, 3);
  const TecFile written = doc.toTecFile();
  spit(path("old.tec"), olderFile(written, "M7 Servo Ver:0.1.161013", kTecLastMandatoryItem));
  ASSERT_TRUE(doc.OnOpenDocument(path("old.tec")));
  const auto& cn = doc.images[ParamGroup::Cn];
  for (int n = 1; n <= 80; ++n) EXPECT_EQ(cn.value[static_cast<std::size_t>(n)], written[ParamGroup::Cn][static_cast<std::size_t>(n)]);
  for (int n = 81; n <= 98; ++n) EXPECT_EQ(cn.value[static_cast<std::size_t>(n)], cn.def[static_cast<std::size_t>(n)]) << n;
  const auto& sn = doc.images[ParamGroup::Sn];
  for (int n = 21; n <= 25; ++n) EXPECT_EQ(sn.value[static_cast<std::size_t>(n)], sn.def[static_cast<std::size_t>(n)]) << n;
  EXPECT_EQ(doc.images[ParamGroup::ECA].value, doc.images[ParamGroup::ECA].def);
  EXPECT_EQ(doc.value(ParamGroup::Pn4, 100), written[ParamGroup::Pn4][100]);
}

TEST_F(DocumentFileTest, FileEndingAfterAnOptionalItemKeepsWhatItHas) {
  CZavoServoDoc doc;
  startNew(doc, 2);
  fillDistinct(doc, 4);
  const TecFile written = doc.toTecFile();
  spit(path("mid.tec"), olderFile(written, "M7 Servo Ver:0.1.161013", 18));  // through Cn086-Cn094
  ASSERT_TRUE(doc.OnOpenDocument(path("mid.tec")));
  EXPECT_EQ(doc.value(ParamGroup::ECA, 15), written[ParamGroup::ECA][15]);
  EXPECT_EQ(doc.value(ParamGroup::Sn, 21), written[ParamGroup::Sn][21]);
  EXPECT_EQ(doc.value(ParamGroup::Cn, 94), written[ParamGroup::Cn][94]);
  EXPECT_EQ(doc.value(ParamGroup::ECA, 19), doc.images[ParamGroup::ECA].def[19]);
  EXPECT_EQ(doc.value(ParamGroup::Cn, 95), doc.images[ParamGroup::Cn].def[95]);
}

TEST_F(DocumentFileTest, VersionRulesForTheRetunedParameters) {
  struct Case {
    const char* version;
    bool opens;
    bool reset;
  };
  const Case cases[] = {
      {"M7 Servo Ver:0.1.161011", true, true},
      {"M7 Servo Ver:0.1.161012", true, false},
      {"M7 Servo Ver:0.1.161013", true, false},
      {"M7 Servo Ver:0.1.161014", false, false},
      {"M7 Servo Ver:0.1", true, true},  // a version number of 1
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    prompt_.clear();
    CZavoServoDoc doc;
    startNew(doc, 2);
    fillDistinct(doc, 5);
    const TecFile written = doc.toTecFile();
    spit(path("v.tec"), olderFile(written, c.version, kTecLastItem));
    CZavoServoDoc fresh;
    fresh.OnNewDocument();
    EXPECT_EQ(fresh.OnOpenDocument(path("v.tec")), c.opens);
    if (!c.opens) {
      EXPECT_EQ(prompt_.texts(), std::vector<std::string>{"Serial can't match! Open Error!"});
      EXPECT_EQ(fresh.pathName(), "");
      EXPECT_EQ(fresh.images[ParamGroup::Cn].value, fresh.images[ParamGroup::Cn].def);
      continue;
    }
    for (auto [g, n] : {std::pair{ParamGroup::Tn, 11}, {ParamGroup::Tn, 12}, {ParamGroup::Sn, 22}, {ParamGroup::Sn, 23},
                        {ParamGroup::Sn, 24}}) {
      const auto expected = c.reset ? fresh.images[g].def[static_cast<std::size_t>(n)] : written[g][static_cast<std::size_t>(n)];
      EXPECT_EQ(fresh.value(g, n), expected) << static_cast<int>(g) << "/" << n;
    }
    EXPECT_EQ(fresh.value(ParamGroup::Sn, 21), written[ParamGroup::Sn][21]);
    EXPECT_EQ(fresh.value(ParamGroup::Tn, 10), written[ParamGroup::Tn][10]);
  }
}

// Saving an older file again writes this program's version, so reopening keeps what was saved.
TEST_F(DocumentFileTest, ResavedOlderFileKeepsItsTuningValues) {
  CZavoServoDoc doc;
  startNew(doc, 2);
  fillDistinct(doc, 6);
  spit(path("old.tec"), olderFile(doc.toTecFile(), "M7 Servo Ver:0.1.161011", kTecLastItem));
  ASSERT_TRUE(doc.OnOpenDocument(path("old.tec")));
  doc.setValue(ParamGroup::Tn, 11, 4321);
  ASSERT_TRUE(doc.OnSaveDocument(path("old.tec")).ok);
  EXPECT_EQ(doc.versionText, kDocumentVersionText);
  CZavoServoDoc again;
  ASSERT_TRUE(again.OnOpenDocument(path("old.tec")));
  EXPECT_EQ(again.value(ParamGroup::Tn, 11), 4321);
}

TEST_F(DocumentFileTest, HeaderProbeRefusesAnotherDriveType) {
  CZavoServoDoc doc;
  startNew(doc, 3);
  fillDistinct(doc, 7);
  ASSERT_TRUE(doc.OnSaveDocument(path("t3.tec")).ok);
  startNew(doc, 2);
  const auto before = doc.images[ParamGroup::Cn].value;
  EXPECT_FALSE(doc.OnOpenDocument(path("t3.tec")));
  EXPECT_EQ(prompt_.texts(), std::vector<std::string>{doctext::text(doctext::kSerialMismatch)});
  EXPECT_EQ(doc.images[ParamGroup::Cn].value, before);
  EXPECT_EQ(driveContext().driveType, 2);
  EXPECT_FALSE(doc.foreignFileOpened());
}

// A type-3 file opened on type 3 stays type 3, so the next type-3 file still opens.
TEST_F(DocumentFileTest, FileKeepsItsOwnDriveType) {
  RecordingHost host;
  CZavoServoDoc doc(&host);
  startNew(doc, 3);
  ASSERT_TRUE(doc.OnSaveDocument(path("t3.tec")).ok);
  ASSERT_TRUE(doc.OnOpenDocument(path("t3.tec")));
  EXPECT_EQ(driveContext().driveType, 3);
  EXPECT_TRUE(doc.OnOpenDocument(path("t3.tec")));
  EXPECT_TRUE(host.foreignTypes.empty());
  EXPECT_FALSE(doc.foreignFileOpened());
}

// With no current drive type the probe is skipped; the file's type is taken and the host told.
TEST_F(DocumentFileTest, ForeignFileWithoutProbeSwitchesTypeAndTellsTheHost) {
  CZavoServoDoc writer;
  startNew(writer, 4);
  fillDistinct(writer, 8);
  ASSERT_TRUE(writer.OnSaveDocument(path("t4.tec")).ok);

  RecordingHost host;
  CZavoServoDoc doc(&host);
  startNew(doc, 2);
  driveContext().driveType = kProbeSkippedDriveType;
  ASSERT_TRUE(doc.OnOpenDocument(path("t4.tec")));
  EXPECT_EQ(driveContext().driveType, 4);
  EXPECT_EQ(host.foreignTypes, std::vector<int>{4});
  EXPECT_TRUE(doc.foreignFileOpened());
  EXPECT_EQ(doc.value(ParamGroup::Cn, 98), writer.value(ParamGroup::Cn, 98));
  // The long layout has no place for Sn221-Sn225.
  EXPECT_EQ(doc.value(ParamGroup::Sn, 21), doc.images[ParamGroup::Sn].def[21]);

  // New after a foreign file starts from the power-on motor data.
  driveContext().ratedSpeed = 5000;
  driveContext().modelCode = 0x1234;
  doc.OnNewDocument();
  EXPECT_EQ(driveContext().ratedSpeed, 3000);
  EXPECT_EQ(driveContext().modelCode, 0x1121);
}

TEST_F(DocumentFileTest, ModelCodeComesFromTheFileOnlyWithoutALink) {
  for (bool linked : {false, true}) {
    SCOPED_TRACE(linked);
    CZavoServoDoc doc;
    startNew(doc, 2);
    doc.setValue(ParamGroup::Cn, 30, 0x1125);
    ASSERT_TRUE(doc.OnSaveDocument(path("m.tec")).ok);
    driveContext().modelCode = 0x1121;
    driveContext().linkOpen = linked;
    ASSERT_TRUE(doc.OnOpenDocument(path("m.tec")));
    EXPECT_EQ(driveContext().modelCode, linked ? 0x1121 : 0x1125);
    EXPECT_EQ(doc.value(ParamGroup::Cn, 30), 0x1125);
  }
}

TEST_F(DocumentFileTest, HeaderProbeFallsBackToTheTemporaryFolderFile) {
  CZavoServoDoc doc;
  doc.setTemporaryDirectory(dir_.string());
  startNew(doc, 2);
  const std::string missing = path("missing.tec");
  // No file and no fallback: the open itself reports the file.
  EXPECT_FALSE(doc.OnOpenDocument(missing));
  EXPECT_EQ(prompt_.texts(), std::vector<std::string>{doctext::text(doctext::kInvalidFile)});

  ArchiveWriter header;
  header.writeString("M7 Servo Ver:0.1.161013");
  header.writeInt32(3);
  spit(path(std::string(kHeaderProbeFallbackName)), header.bytes());
  prompt_.clear();
  EXPECT_FALSE(doc.OnOpenDocument(missing));
  EXPECT_EQ(prompt_.texts(), std::vector<std::string>{doctext::text(doctext::kSerialMismatch)});
}

TEST_F(DocumentFileTest, DamagedFilesAreReportedAndChangeNothing) {
  CZavoServoDoc doc;
  startNew(doc, 2);
  fillDistinct(doc, 9);
  const std::string good = formatTec(doc.toTecFile());
  ArchiveWriter hugeString;
  hugeString.writeString("x");
  std::string lying = hugeString.bytes();
  lying[0] = static_cast<char>(0xFF);
  lying += std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6);  // claims a 2 GB version text
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"cut in the mandatory items", good.substr(0, 300)},
      {"cut inside an optional item", good.substr(0, good.size() - 2)},
      {"string longer than the file", lying},
      {"garbage", std::string(4000, '\x5A')},
  };
  startNew(doc, 2);
  const auto before = doc.images[ParamGroup::Cn].value;
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    prompt_.clear();
    spit(path("bad.tec"), bytes);
    EXPECT_FALSE(doc.OnOpenDocument(path("bad.tec")));
    EXPECT_EQ(prompt_.texts(), std::vector<std::string>{doctext::text(doctext::kInvalidFile)});
    EXPECT_EQ(doc.images[ParamGroup::Cn].value, before);
    EXPECT_EQ(doc.pathName(), "");
    EXPECT_EQ(driveContext().driveType, 2);
  }
}

// A save that fails part-way (the file-size limit stands in for a full disk) leaves the old
// file whole and the document still modified.
TEST_F(DocumentFileTest, InterruptedSaveLeavesTheOldFile) {
  CZavoServoDoc doc;
  startNew(doc, 2);
  const std::string file = path("keep.tec");
  ASSERT_TRUE(doc.OnSaveDocument(file).ok);
  const std::string old = slurp(file);
  doc.setValue(ParamGroup::Cn, 1, 7);
  struct rlimit limit {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = limit;
  small.rlim_cur = 512;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const SaveResult r = doc.OnSaveDocument(file);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, handler);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(slurp(file), old);
  EXPECT_TRUE(doc.isModified());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(DocumentFileTest, NoDriveTypeNoSave) {
  CZavoServoDoc doc;
  doc.OnNewDocument();
  driveContext().driveType = kProbeSkippedDriveType;
  EXPECT_FALSE(doc.OnSaveDocument(path("x.tec")).ok);
  EXPECT_FALSE(std::filesystem::exists(path("x.tec")));
}

}  // namespace
}  // namespace zavo
