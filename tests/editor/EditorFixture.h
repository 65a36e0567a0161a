#pragma once
// The editor's core tests: English texts loaded, a drive context of their own (put back
// afterwards), a new document of the drive type and the editor's model over it.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "params/catalogue/Catalogue.h"
#include "params/listing/CustomEntryCode.h"
#include "params/listing/DisplaySelection.h"
#include "params/catalogue/DriveContext.h"
#include "editors/ParameterSetModel.h"
#include "params/document/ZavoServoDoc.h"
#include "resources/TextTable.h"

namespace zavo::test {

inline DisplaySelection customSelection(std::initializer_list<const char*> codes) {
  DisplaySelection s;
  s.mode = DisplayMode::Custom;
  for (const char* code : codes) s.custom.push_back(customEntryOf(code));
  return s;
}

inline DisplaySelection groupSelection(std::initializer_list<DisplayGroup> groups) {
  DisplaySelection s;
  s.mode = DisplayMode::SelectGroups;
  s.groups.fill(false);
  for (DisplayGroup g : groups) s.groups[static_cast<std::size_t>(g)] = true;
  return s;
}

inline DisplaySelection modeSelection(std::initializer_list<DisplayControlMode> modes) {
  DisplaySelection s;
  s.mode = DisplayMode::ControlMode;
  s.controlModes.fill(false);
  for (DisplayControlMode m : modes) s.controlModes[static_cast<std::size_t>(m)] = true;
  return s;
}

inline std::vector<std::string> codesOf(const std::vector<catalogue::Entry>& entries) {
  std::vector<std::string> out;
  for (const auto& e : entries) out.push_back(e.code);
  return out;
}

inline bool contains(const std::vector<std::string>& codes, const std::string& code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = driveContext();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH)) << "language library " << TOLKAR_PATH;
    useType(2);
  }
  void TearDown() override { driveContext() = saved_; }

  // A new document of `type` and a model over it (nothing listed yet).
  void useType(int type) {
    driveContext().reset(type);
    model.reset();
    doc = std::make_unique<CZavoServoDoc>();
    doc->OnNewDocument();
    doc->setModifiedFlag(false);
    model = std::make_unique<ParameterSetModel>(*doc);
  }
  int rowOf(const char* code) const {
    const int r = model->rowOf(code);
    EXPECT_GE(r, 0) << code << " is not listed";
    return r;
  }
  std::int32_t valueOf(const char* code) const {
    ParamGroup g{};
    int slot = 0;
    EXPECT_TRUE(catalogue::slotOf(code, g, slot)) << code;
    return doc->value(g, slot);
  }
  std::vector<std::string> listedCodes() const {
    std::vector<std::string> out;
    for (const auto& r : model->rows()) out.push_back(r.entry.code);
    return out;
  }

  std::unique_ptr<CZavoServoDoc> doc;
  std::unique_ptr<ParameterSetModel> model;

 private:
  DriveContext saved_;
};

}  // namespace zavo::test
