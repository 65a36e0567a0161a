#pragma once
// The catalogue answers register questions for the current drive type. A search of the line
// asks them about a drive whose type is not the program's: for the life of one of these, the
// current type is that one, and everything else in the drive context as it was before.

#include "params/catalogue/DriveContext.h"

namespace zavo {

class CatalogueTypeScope {
 public:
  explicit CatalogueTypeScope(int driveType) : saved_(driveContext()) { driveContext().reset(driveType); }
  ~CatalogueTypeScope() { driveContext() = saved_; }
  CatalogueTypeScope(const CatalogueTypeScope&) = delete;
  CatalogueTypeScope& operator=(const CatalogueTypeScope&) = delete;

 private:
  DriveContext saved_;
};

}  // namespace zavo
