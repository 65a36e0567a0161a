#pragma once
// Every catalogue test runs on a drive context of its own and with the English texts loaded;
// the process-wide state is put back afterwards.

#include <gtest/gtest.h>

#include "params/catalogue/DriveContext.h"
#include "resources/TextTable.h"

namespace zavo::test {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = driveContext();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH)) << "language library " << TOLKAR_PATH;
    useType(2);
  }
  void TearDown() override { driveContext() = saved_; }

  static DriveContext& context() { return driveContext(); }
  static void useType(int type) { driveContext().reset(type); }

 private:
  DriveContext saved_;
};

}  // namespace zavo::test
