#pragma once
// Texts chosen by drive type: the main window title, the About box version text and the help
// file name, each a string id with the English library's text beside it; and the brand.

#include <string>

#include "app/AppIds.h"

namespace zavo {

struct TextRef {
  int id;
  const char* english;
};

TextRef titleText(int driveType);
TextRef helpNameText(int driveType);
Brand brandOf(const std::string& appTitle);

}  // namespace zavo
