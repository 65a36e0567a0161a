#pragma once
// Reading a whole file that the user picked, with a ceiling on its size: our files are a few
// kilobytes, and a file far beyond the ceiling is not one of ours, so it is refused rather
// than loaded into memory.

#include <cstddef>
#include <string>

namespace zavo {

enum class FileReadStatus { Ok, CannotOpen, TooLarge, ReadError };

FileReadStatus readFileBounded(const std::string& path, std::size_t maxBytes, std::string& out);

}  // namespace zavo
