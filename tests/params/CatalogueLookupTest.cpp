// The catalogue's answers for the rows and edge cases the drive family is known by.

#include <string>

#include "params/catalogue/Catalogue.h"
#include "resources/StringIds.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

namespace cat = catalogue;

class CatalogueLookupTest : public CatalogueTest {};

TEST_F(CatalogueLookupTest, AttributeWordsByDriveType) {
  const struct {
    const char* code;
    std::uint32_t word[5];  // drive types 0..4
  } cases[] = {
      {"Cn001", {0x1F020, 0x1F020, 0x1F020, 0x1F020, 0x1F020}},
      {"Cn002", {0x1F0E0, 0x1F0E0, 0x1F0E0, 0x1F0E0, 0x1F0E0}},
      {"Cn005", {0x08001, 0x01000, 0x16001, 0x16001, 0x16001}},
      {"Cn006", {0x1A0E0, 0x1A0E0, 0x1A0E0, 0x1A0E0, 0x1A0E0}},
      {"Cn019", {0x1F002, 0x1F002, 0x1F002, 0x1F002, 0x1F002}},
      {"Cn041", {0x12000, 0x12000, 0x12000, 0x12000, 0x12000}},
      {"Cn042", {0, 0, 0, 0, 0}},
      {"Cn093", {0, 0, 0, 0, 0}},
      {"Cn094", {0x02000, 0x02000, 0x02000, 0x02000, 0x02000}},
      {"Tn109", {0x1E000, 0x1E000, 0x1E000, 0x1E000, 0x1E000}},
      {"Tn111", {0x02000, 0x02000, 0x02000, 0x02000, 0x02000}},
      {"Sn217", {0x1F002, 0x1F002, 0x1F002, 0x1F002, 0x1F002}},
      {"Sn222", {0x1F0E0, 0x1F0E0, 0x1F0E0, 0x1F0E0, 0x1F0E0}},
      {"Pn301", {0x1F0E0, 0x1F0E0, 0x1F0E0, 0x1F0E0, 0x1F0E0}},
      {"Pn303", {0x1F002, 0x1F002, 0x1F002, 0x1F002, 0x1F002}},
      {"Pn307", {0x1B003, 0x1B003, 0x1B003, 0x1B003, 0x1B003}},
      {"Pn403", {0x16000, 0x16000, 0x16000, 0x16000, 0x16000}},
      {"Pn404", {0x16002, 0x16002, 0x16002, 0x16002, 0x16002}},
      {"qn507", {0x1F000, 0x1F000, 0x1F000, 0x1F000, 0x1F000}},
      {"Hn612", {0x1E0E0, 0x1E0E0, 0x1E0E0, 0x1E0E0, 0x1E0E0}},
      {"Hn619", {0x1C0E0, 0x1C0E0, 0, 0, 0x1C0E0}},
      {"Un06", {0x12000, 0x12000, 0x12000, 0x12000, 0x12000}},
      {"tn04", {0x12000, 0x12000, 0x12000, 0x12000, 0x12000}},
      // Numbers beyond a group's range name no parameter.
      {"Cn099", {0, 0, 0, 0, 0}},
      {"Tn113", {0, 0, 0, 0, 0}},
      {"Sn226", {0, 0, 0, 0, 0}},
      {"Pn372", {0, 0, 0, 0, 0}},
      {"qn508", {0, 0, 0, 0, 0}},
      {"Hn620", {0, 0, 0, 0, 0}},
      {"ECA23", {0, 0, 0, 0, 0}},
      {"", {0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases)
    for (int t = 0; t < cat::kDriveTypeCount; ++t)
      EXPECT_EQ(cat::attributes(c.code, t), c.word[t]) << c.code << " on type " << t;
}

TEST_F(CatalogueLookupTest, ExistenceFollowsTheTypeBits) {
  const struct {
    const char* code;
    bool on[5];
  } cases[] = {
      {"Cn006", {true, false, true, false, true}},  {"Cn041", {false, false, true, false, true}},
      {"Cn094", {false, false, true, false, false}}, {"Tn109", {true, false, true, true, true}},
      {"Pn307", {true, true, true, false, true}},    {"Pn401", {false, false, true, true, true}},
      {"Pn317", {true, true, true, true, true}},     {"Pn365", {true, true, false, false, false}},
      {"Hn612", {true, false, true, true, true}},    {"Hn619", {true, false, false, false, true}},
  };
  for (const auto& c : cases)
    for (int t = 0; t < cat::kDriveTypeCount; ++t) EXPECT_EQ(cat::exists(c.code, t), c.on[t]) << c.code << " on " << t;
}

TEST_F(CatalogueLookupTest, AbsentParametersAreNotListed) {
  auto listed = [](int type, const std::string& code) {
    for (const auto& e : cat::parameters(type))
      if (e.code == code) return true;
    return false;
  };
  EXPECT_FALSE(listed(3, "Cn094"));
  EXPECT_TRUE(listed(2, "Cn094"));
  EXPECT_FALSE(listed(0, "Pn401"));
  EXPECT_TRUE(listed(0, "Hn519"));
  EXPECT_FALSE(listed(1, "Hn512"));
  EXPECT_TRUE(listed(1, "qn407"));
}

TEST_F(CatalogueLookupTest, EncoderOutputFollowsTheLauncherDriveType) {
  useType(2);
  context().launcherDriveType = 0;  // installed for a PDXR, an M7 file opened
  EXPECT_EQ(cat::attributes("Cn005"), 0x08001u);
  EXPECT_FALSE(cat::exists("Cn005"));
  context().launcherDriveType = 3;
  EXPECT_TRUE(cat::exists("Cn005"));
}

TEST_F(CatalogueLookupTest, ListOrderIsGroupThenNumber) {
  const auto& list = cat::parameters(2);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front().code, "Cn001");
  for (std::size_t i = 1; i < list.size(); ++i) {
    const auto& a = list[i - 1];
    const auto& b = list[i];
    EXPECT_TRUE(a.group < b.group || (a.group == b.group && a.slot < b.slot)) << a.code << " before " << b.code;
  }
}

TEST_F(CatalogueLookupTest, ValueAndRangeTexts) {
  const struct {
    const char* code;
    std::int32_t value;
    bool special;
    const char* text;
  } values[] = {
      {"Cn001", 12, false, "C"},      {"Cn002", 0x1011, false, "1011"}, {"Cn003", -2000, false, "-2000"},
      {"Cn005", 0, false, "0"},       {"Cn005", 0, true, "Encoder pulse per rotation"},
      {"Cn005", 2500, true, "2500"},  {"Pn307", 0, true, "0"},  // kind 3 is not the special-text family
      {"Sn222", 0x1F, false, "001F"}, {"Hn601", 0x101, false, "0101"}, {"Cn011", -300, false, "-300"},
  };
  for (const auto& v : values) EXPECT_EQ(cat::valueText(v.code, v.value, v.special), v.text) << v.code;

  EXPECT_EQ(cat::rangeText("Cn002", 0, 4113), "0000~1011");
  EXPECT_EQ(cat::rangeText("Cn003", -2000, 2000), "-2000~2000");
  EXPECT_EQ(cat::rangeText("Cn001", 0, 12), "0~C");
  EXPECT_EQ(cat::rangeText("Cn042", 0, 0), "");
  EXPECT_EQ(cat::rangeText("Cn005", 0, 16), "0~16");  // the range never uses the special text
}

TEST_F(CatalogueLookupTest, UnitTexts) {
  const struct {
    const char* code;
    const char* unit;
  } cases[] = {{"Cn003", "ms"},     {"Cn013", "Hz"},    {"Cn018", "rps/s"}, {"Cn024", "pulse"},
               {"Cn020", "*0.2ms"}, {"Cn025", "*0.1"},  {"Cn027", "*40mV"}, {"Cn058", "*4ms"},
               {"Cn040", "*4ms"},   {"Cn076", "Hz"},    {"Cn077", "Hz"},
               {"Cn051", "Volt"},   {"Cn052", "*250ms"}, {"Cn055", "*10ms"}, {"Cn081", "*200us"},
               {"Cn098", "*1ms"},   {"Pn307", "pulse"}, {"Pn338", "pulse"}, {"Pn369", "pulse"},
               {"Pn308", "1/10000 rev(pulse)"},         {"Pn311", "rad/s"}, {"Pn313", "ms"},
               {"ECA05", "degree"}, {"ECA06", "0.01degree"}, {"ECA19", "mm"}, {"ECA22", "mm"},
               {"ECA09", "0.1mm"},  {"ECA21", "0.1mm"}, {"ECA07", ""},      {"Cn001", ""}, {"Zz000", ""}};
  for (const auto& c : cases) EXPECT_EQ(cat::unitOf(c.code), c.unit) << c.code;
}

TEST_F(CatalogueLookupTest, EncoderOutputUnitIsTheDivisionClass) {
  const struct {
    int pulses;
    const char* unit;
  } cases[] = {{15, ""},        {16, "1"},        {2500, "1"},      {16384, "1"},    {16385, ""},
               {16386, "2"},    {32768, "2"},     {32772, "4"},     {65544, "8"},    {131088, "16"},
               {262176, "32"},  {524288, "32"},   {1048576, "64"},  {1048704, "128"}, {2097152, "128"},
               {2097153, ""},   {8388608, ""}};
  for (const auto& c : cases) {
    context().encoderPulses = c.pulses;
    EXPECT_EQ(cat::unitOf("Cn005"), c.unit) << c.pulses;
  }
}

TEST_F(CatalogueLookupTest, TitlesComeFromTheActiveTable) {
  const struct {
    int type;
    const char* code;
    const char* title;
  } cases[] = {
      {2, "Cn001", "Control Mode selection"},
      {2, "Cn002", "Contact Auxiliary Function & EMC Return Mode Selection"},
      {2, "Cn040", "RS-485 Communication Response Delay Time"},
      {2, "Pn301", "Position pulse command selection and Position- Pulse Command Logic"},
      {2, "Pn313", "Internal / External Position Command One time Smoothing Acceleration / Deceleration Time Constant"},
      {2, "qn501", "Speed Loop Gain 1"},
      {2, "qn507", "Position Loop Feed Forward Gain"},
      {2, "Pn401", "Internal Position Command 1-Rotation Number"},
      {2, "Pn495", "Internal Position Command 32-Pulse Number"},
      {4, "Pn496", "Internal Position Command 32-Move Speed"},
      {0, "Pn317", "Internal Position Command 1-Rotation Number"},
      {1, "Pn364", "Internal Position Command 16-Move Speed"},
      {0, "Hn501", "DI-1 function"},
      {0, "Hn513", "DI-13 function"},
      {2, "Cn042", "Reserved parameter"},
      {2, "", ""},
      {2, "Xx123", ""},
  };
  for (const auto& c : cases) {
    useType(c.type);
    EXPECT_EQ(cat::titleOf(c.code), c.title) << c.code << " on type " << c.type;
  }
}

TEST_F(CatalogueLookupTest, TitleIdsFollowTheNumberingRules) {
  EXPECT_EQ(cat::titleIdOf("Cn030"), 61963 + 30);
  EXPECT_EQ(cat::titleIdOf("Sn218"), 61619 + 18);
  EXPECT_EQ(cat::titleIdOf("Tn108"), 61734 + 8);
  EXPECT_EQ(cat::titleIdOf("Pn316"), 62033 + 16);
  EXPECT_EQ(cat::titleIdOf("Pn321"), 62080 + 21);
  EXPECT_EQ(cat::titleIdOf("Hn618"), 61525 + 18);
  EXPECT_EQ(cat::titleIdOf("ECA13"), 62241 + 13);
  EXPECT_EQ(cat::titleIdOf("ECA14"), 62544 + 14);
  EXPECT_EQ(cat::titleIdOf("ECA20"), 62564);
  EXPECT_EQ(cat::titleIdOf("ECA21"), 62850);
  EXPECT_EQ(cat::titleIdOf("ECA22"), 62851);
  // Hn619 keeps a title of its own: 61525 + 19 is the encoder-output text.
  EXPECT_NE(cat::titleIdOf("Hn619"), static_cast<int>(ids::kEncoderPulsePerRotation));
}

TEST_F(CatalogueLookupTest, RegisterCodesAndWordAddresses) {
  const struct {
    int type;
    const char* code;
    std::uint16_t reg;
    int word;
    char page;
  } cases[] = {
      {2, "Cn001", 0x3510, 0x10, '5'},       {2, "Cn013", 0x4340, 256 + 0x40, 'C'},
      {0, "Cn013", 0x4340, 256 + 0x40, '5'},  {3, "Cn013", 0x4340, 256 + 0x40, '5'},
      {4, "Cn013", 0x4340, 256 + 0x40, 'C'},  {3, "Sn208", 0x4344, 256 + 0x44, 'C'},
      {0, "Sn208", 0x35F1, 0xF1, '5'},        {2, "Tn108", 0x4330, 256 + 0x30, 'C'},
      {1, "Tn108", 0x35CD, 0xCD, '5'},        {0, "Tn109", 0x0595, 0x95, '5'},
      {1, "Tn109", 0x430D, 256 + 0x0D, '5'},  {2, "Pn317", 0x354A, 0x4A, '5'},
      {0, "Pn317", 0x3568, 0x68, '5'},        {1, "Pn324", 0x356F, 0x6F, '5'},
      {2, "Pn324", 0x4356, 256 + 0x56, 'C'},  {2, "Pn401", 0x3568, 0x68, '5'},
      {2, "Pn402", 0x356B, 0x6B, '5'},        {2, "Pn403", 0x3569, 0x69, '5'},
      {2, "Pn496", 0x3568 + 4 * 31 + 1, 0x68 + 4 * 31 + 1, '5'},
      {2, "ECA01", 0x441C, 512 + 0x1C, 'D'},  {3, "ECA20", 0x44E4, 512 + 0xE4, 'D'},
      {2, "ECA22", 0x3648, 512 + 0x48, '6'},  {2, "Hn601", 0x4323, 256 + 0x23, 'C'},
      {2, "Hn613", 0x4347, 256 + 0x47, 'C'},  {0, "Hn513", 0x35CC, 0xCC, '5'},
      {1, "Hn507", 0x35F4, 0xF4, '5'},        {1, "Hn511", 0x35FF, 0xFF, '5'},
      {2, "Un01", 0x36E4, 512 + 0xE4, '6'},   {2, "dn04", 0x4342, 256 + 0x42, 'C'},
      {0, "dn04", 0x35E2, 0xE2, '5'},         {2, "AL01", 0x3500, 0x00, '5'},
      {2, "AL10", 0x3608, 512 + 0x08, '6'},   {2, "tn08", 0x425C, 512 + 0x5C, 'B'},
      {2, "tn21", 0x4269, 512 + 0x69, 'B'},
  };
  for (const auto& c : cases) {
    useType(c.type);
    EXPECT_EQ(cat::addressCode(c.code), c.reg) << c.code << " on " << c.type;
    EXPECT_EQ(cat::wordAddress(c.code), c.word) << c.code << " on " << c.type;
    EXPECT_EQ(cat::transferPage(c.code), c.page) << c.code << " on " << c.type;
  }
  EXPECT_EQ(cat::wordAddress("Cn042"), -1);
  EXPECT_EQ(cat::addressCode("Hn619"), 0);
  EXPECT_EQ(cat::linearNumber(0x0512), 0x12);  // numeric page synonyms
  EXPECT_EQ(cat::linearNumber(0x0C12), 256 + 0x12);
}

TEST_F(CatalogueLookupTest, AddressCodeByLetterNumberAndId) {
  useType(2);
  EXPECT_EQ(cat::addressCode('C', 1, 1), 0x3510);
  EXPECT_EQ(cat::addressCode('P', 1, 401), 0x3568);  // the id tells Pn401 from Pn301
  EXPECT_EQ(cat::addressCode('P', 1, 301), 0x3550);
  EXPECT_EQ(cat::addressCode('P', 1, 0), 0x3550);
  EXPECT_EQ(cat::addressCode('U', 6, 0), 0x3678);
  EXPECT_EQ(cat::addressCode('A', 2, 0), 0x3600);
  EXPECT_EQ(cat::addressCode('O', 5, 2005), 0x4452);
  EXPECT_EQ(cat::addressCode('Z', 1, 0), 0);
}

TEST_F(CatalogueLookupTest, QuickParametersShareTheWordsOfTheirGains) {
  const struct {
    const char* quick;
    const char* gain;
  } pairs[] = {{"qn501", "Sn211"}, {"qn502", "Sn212"}, {"qn503", "Sn213"}, {"qn504", "Sn214"},
               {"qn505", "Pn310"}, {"qn506", "Pn311"}, {"qn507", "Pn312"}};
  for (int type = 0; type < cat::kDriveTypeCount; ++type) {
    useType(type);
    for (const auto& p : pairs) {
      EXPECT_EQ(cat::addressCode(p.quick), cat::addressCode(p.gain)) << p.quick << " on " << type;
      EXPECT_EQ(cat::wordAddress(p.quick), cat::wordAddress(p.gain)) << p.quick << " on " << type;
    }
  }
}

TEST_F(CatalogueLookupTest, ThirtyTwoBitItemsAndTheirHighWords) {
  const struct {
    int type;
    const char* code;
    std::uint16_t high;  // 0: 16-bit
  } cases[] = {
      {2, "Cn005", 0x4306}, {2, "Cn019", 0x434F}, {2, "Cn024", 0x435C}, {2, "ECA07", 0x4321}, {2, "ECA08", 0x4322},
      {2, "Pn302", 0x4308}, {2, "Pn306", 0x430C}, {2, "Pn307", 0x3552}, {2, "Pn321", 0x354F}, {2, "Pn325", 0x437F},
      {2, "Pn331", 0x4387}, {2, "Pn347", 0x4448}, {2, "Pn348", 0x433C}, {2, "Pn352", 0x438A}, {2, "Pn354", 0x4381},
      {2, "Pn356", 0x44C3}, {2, "Pn402", 0x356A}, {2, "Pn495", 0x356A + 4 * 31}, {2, "OnE05", 0x4458},
      {2, "OnE10", 0x445D}, {2, "Un06", 0x3679},  {2, "Un07", 0x365D},  {2, "Un87", 0x3659},
      // 16-bit: the rotation and speed items of a point, and the older families' table items.
      {2, "Pn401", 0},      {2, "Pn403", 0},      {0, "Pn321", 0},      {1, "Pn347", 0},      {2, "Cn001", 0},
      {2, "OnE11", 0},
  };
  for (const auto& c : cases) {
    useType(c.type);
    EXPECT_EQ(cat::is32Bit(c.code), c.high != 0) << c.code << " on " << c.type;
    EXPECT_EQ(cat::highWordCode(c.code), c.high) << c.code << " on " << c.type;
  }
}

TEST_F(CatalogueLookupTest, ExtendedMonitorItemsAre32BitOnlyWithTheFlag) {
  context().extendedMonitor = false;
  EXPECT_FALSE(cat::is32Bit("Un07"));
  EXPECT_EQ(cat::highWordAddress("Un07"), -1);
  EXPECT_TRUE(cat::is32Bit("Un06"));  // always two words
  context().extendedMonitor = true;
  EXPECT_TRUE(cat::is32Bit("Un07"));
  EXPECT_EQ(cat::highWordAddress("Un07"), 512 + 0x5D);
}

TEST_F(CatalogueLookupTest, DirectWritePairsOnlyCarryTheLowWordOnM7AndM7R) {
  for (int type : {2, 3}) {
    useType(type);
    const auto pair = cat::directWritePair("Pn302");
    EXPECT_EQ(pair.low, 0x560) << type;  // page '5', address 0x60
    EXPECT_EQ(pair.high, 0xC08) << type;
  }
  for (int type : {0, 1, 4}) {
    useType(type);
    const auto pair = cat::directWritePair("Pn302");
    EXPECT_EQ(pair.low, 0) << type;
    EXPECT_EQ(pair.high, 0xC08) << type;
  }
  useType(2);
  const auto none = cat::directWritePair("Cn001");
  EXPECT_EQ(none.low, 0);
  EXPECT_EQ(none.high, 0);
}

TEST_F(CatalogueLookupTest, StoreOnlyParameters) {
  const struct {
    int type;
    const char* code;
    bool storeOnly;
  } cases[] = {
      {2, "Cn001", true},  {2, "Cn002", true},  {2, "Cn005", true},  {2, "Cn009", true},  {2, "Cn029", true},
      {2, "Cn030", true},  {2, "Cn036", true},  {2, "Cn040", true},  {2, "Cn078", true},  {2, "Cn079", true},
      {2, "Cn085", true},  {2, "Cn003", false}, {2, "Cn041", false}, {2, "Pn301", true},  {2, "Pn306", true},
      {2, "Pn313", true},  {2, "Pn314", true},  {2, "Pn316", true},  {2, "Pn346", true},  {2, "Pn349", true},
      {2, "Pn350", true},  {2, "Pn302", false}, {2, "Pn401", false}, {2, "Pn446", false}, {2, "Tn101", true},
      {2, "Tn102", true},  {2, "Tn103", false}, {2, "Hn601", true},  {2, "Hn617", true},  {3, "Hn617", false},
      {3, "Hn618", false}, {3, "Hn616", true},  {0, "Hn518", true},  {2, "Sn211", false}, {2, "qn501", false},
  };
  for (const auto& c : cases) EXPECT_EQ(cat::storeOnly(c.code, c.type), c.storeOnly) << c.code << " on " << c.type;
}

TEST_F(CatalogueLookupTest, ModbusParameterRegisters) {
  const struct {
    const char* code;
    int reg;
  } cases[] = {{"Cn030", 0x01E}, {"Tn101", 0x101}, {"Sn225", 0x219}, {"Pn301", 0x301}, {"Pn371", 0x347},
               {"Pn401", 0x365}, {"qn507", 0x407}, {"Hn618", 0x512}, {"Un01", 0x601}, {"ECA01", -1},
               {"tn01", -1},     {"OnE05", -1},    {"dn01", -1},     {"bad", -1}};
  for (const auto& c : cases) EXPECT_EQ(cat::modbusRegister(c.code), c.reg) << c.code;
  EXPECT_EQ(cat::modbusRegister('H', 5, 0), 0x505);
}

TEST_F(CatalogueLookupTest, ControlModeMasks) {
  const struct {
    int type;
    const char* code;
    std::uint32_t mask;
  } cases[] = {
      {2, "Cn001", 0x11111}, {2, "Cn004", 0x01100}, {2, "Cn007", 0x01100}, {2, "Cn013", 0x00111},
      {2, "Cn026", 0x00111}, {2, "Cn033", 0x00011}, {2, "Cn042", 0},       {2, "Cn055", 0x11111},
      {2, "Cn056", 0},       {2, "Tn101", 0x01000}, {2, "Tn108", 0x11111}, {2, "Sn201", 0x00100},
      {2, "Sn212", 0x00111}, {2, "Sn204", 0x11111}, {0, "Sn204", 0x00100}, {3, "Sn215", 0x11111},
      {0, "Pn301", 0x00011}, {0, "Pn305", 0x00001}, {0, "Pn313", 0x00001}, {1, "Pn369", 0x00011},
      {1, "Pn320", 0x00010}, {2, "Pn401", 0x00010}, {2, "Pn316", 0x10000}, {2, "Pn331", 0x10000},
      {2, "Pn329", 0x00001}, {2, "Pn332", 0x00010}, {2, "Pn301", 0x00011}, {2, "ECA05", 0x00010},
      {2, "Hn601", 0x11111}, {4, "OnC01", 0x11111}, {2, "qn504", 0x00111}, {2, "qn505", 0x00011},
  };
  for (const auto& c : cases) EXPECT_EQ(cat::controlModeMask(c.code, c.type), c.mask) << c.code << " on " << c.type;
}

TEST_F(CatalogueLookupTest, DiAndDoMnemonics) {
  EXPECT_EQ(cat::diName(0), "SON");
  EXPECT_EQ(cat::diName(14), "G-SEL");
  EXPECT_EQ(cat::diName(35), "HS_W");
  EXPECT_EQ(cat::diName(36), "Null");
  EXPECT_EQ(cat::diName(-1), "Null");
  EXPECT_EQ(cat::doName(0), "RDY");
  EXPECT_EQ(cat::doName(19), "ALDO");
  EXPECT_EQ(cat::doName(20), "");
}

}  // namespace
}  // namespace zavo::test
