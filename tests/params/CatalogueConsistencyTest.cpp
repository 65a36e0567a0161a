// Checks over the whole table, every drive type: what one wrong row would break.

#include <set>
#include <string>

#include "params/catalogue/Catalogue.h"
#include "params/document/ParameterImages.h"
#include "params/catalogue/ValueConversion.h"
#include "resources/TextTable.h"
#include "tests/params/CatalogueFixture.h"

namespace zavo::test {
namespace {

namespace cat = catalogue;
namespace conv = conversion;

// Existing parameters that are not transferred by register, and why.
const std::set<std::string> kNoRegister{
    "Hn619",  // the extended M7-R's 19th contact word is reached through the planning group only
};

// Items whose drive word is coarser than the display unit: a display value does not survive
// display -> raw -> display, so their raw words are checked the other way round.
const std::set<std::string> kCoarseWords{"Tn104", "Sn217", "OnT07", "OnC07", "OnA07"};

class CatalogueConsistencyTest : public CatalogueTest {
 protected:
  struct Filled {
    ParameterImages images;
    Filled() {
      cat::fillLimits(images);
      cat::fillDefaults(images);
    }
  };
};

TEST_F(CatalogueConsistencyTest, EveryListedParameterIsComplete) {
  for (int type = 0; type < cat::kDriveTypeCount; ++type) {
    useType(type);
    const Filled f;
    const auto& list = cat::parameters(type);
    EXPECT_GT(list.size(), 150u) << "type " << type;
    for (const auto& e : list) {
      SCOPED_TRACE(e.code + " on type " + std::to_string(type));
      EXPECT_TRUE(cat::exists(e.code, type));
      EXPECT_FALSE(cat::titleOf(e.code).empty());
      EXPECT_EQ(cat::titleOf(e.code).find("%d"), std::string::npos);
      if (!kNoRegister.count(e.code)) {
        EXPECT_NE(cat::addressCode(e.code), 0);
      }
      const auto n = static_cast<std::size_t>(e.slot);
      const GroupImage& g = f.images[e.group];
      EXPECT_LE(g.min[n], g.def[n]);
      EXPECT_LE(g.def[n], g.max[n]);
    }
  }
}

TEST_F(CatalogueConsistencyTest, EveryTitleIdHasAnEnglishText) {
  const TextTable& table = TextTable::active();
  for (int type = 0; type < cat::kDriveTypeCount; ++type) {
    useType(type);
    for (const auto& e : cat::parameters(type))
      EXPECT_TRUE(table.has(static_cast<unsigned>(cat::titleIdOf(e.code)))) << e.code << " on " << type;
  }
}

TEST_F(CatalogueConsistencyTest, HexadecimalParametersHaveNoNegativeRange) {
  for (int type = 0; type < cat::kDriveTypeCount; ++type) {
    useType(type);
    const Filled f;
    for (const auto& e : cat::parameters(type)) {
      if (!(cat::attributes(e.code, type) & cat::kHexDigitsBit)) continue;
      EXPECT_GE(f.images[e.group].min[static_cast<std::size_t>(e.slot)], 0) << e.code << " on " << type;
    }
  }
}

// A value the editor accepts is written as a raw word and read back: it must show as it was.
// 16-bit items are read back as a 16-bit word, as the drive returns them.
TEST_F(CatalogueConsistencyTest, ValuesRoundTripThroughTheDriveWord) {
  for (bool legacy : {false, true})
    for (int type = 0; type < cat::kDriveTypeCount; ++type) {
      useType(type);
      context().legacySeries = legacy;
      const Filled f;
      for (const auto& e : cat::parameters(type)) {
        const auto n = static_cast<std::size_t>(e.slot);
        const std::int32_t lo = f.images[e.group].min[n];
        const std::int32_t hi = f.images[e.group].max[n];
        const bool wide = cat::is32Bit(e.code);
        const std::int32_t samples[] = {lo, hi, f.images[e.group].def[n], lo + (hi - lo) / 3, hi - 1};
        for (std::int32_t v : samples) {
          if (v < lo || v > hi) continue;
          SCOPED_TRACE(e.code + " on type " + std::to_string(type) + (legacy ? " legacy" : "") +
                       " value " + std::to_string(v));
          if (kCoarseWords.count(e.code)) {
            const std::int32_t raw = conv::toRaw(e.code, v);
            EXPECT_EQ(conv::toRaw(e.code, conv::toDisplay(e.code, raw)), raw);
            continue;
          }
          std::int32_t raw = conv::toRaw(e.code, v);
          if (!wide) {
            EXPECT_GE(raw, -32768);
            EXPECT_LE(raw, 65535);
            raw &= 0xFFFF;
          }
          EXPECT_EQ(conv::toDisplay(e.code, raw), v);
        }
      }
    }
}

TEST_F(CatalogueConsistencyTest, AllFiveDriveTypesAnswer) {
  for (int type = 0; type < cat::kDriveTypeCount; ++type) {
    useType(type);
    std::set<std::string> seen;
    for (const auto& e : cat::parameters(type)) EXPECT_TRUE(seen.insert(e.code).second) << "listed twice: " << e.code;
    // The document groups the drive type is known by are present.
    for (const char* code : {"Cn001", "Tn101", "Sn201", "Pn301"}) EXPECT_TRUE(seen.count(code)) << code;
    EXPECT_EQ(seen.count(type <= 1 ? "qn401" : "qn501"), 1u) << type;
    EXPECT_EQ(seen.count(type <= 1 ? "Hn501" : "Hn601"), 1u) << type;
    EXPECT_EQ(seen.count("Pn401"), type >= 2 ? 1u : 0u) << type;
  }
}

}  // namespace
}  // namespace zavo::test
