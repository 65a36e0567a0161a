#pragma once
// Reading a whole file that the user picked, with a ceiling on its size: our files are a few
// kilobytes, and a file far beyond the ceiling is not one of ours, so it is refused rather
// than loaded into memory. Whatever is not a regular file is refused as well.

#include <cstddef>
#include <string>

namespace zavo {

enum class FileReadStatus { Ok, CannotOpen, NotRegular, TooLarge, ReadError };

// Only a regular file is read: a FIFO, a device or a directory is refused (NotRegular).
FileReadStatus readFileBounded(const std::string& path, std::size_t maxBytes, std::string& out);
// True when `path` names a regular file (after symbolic links); the settings readers ask this
// before they open a file, so that a FIFO there cannot stop the program.
bool isRegularFile(const std::string& path);

}  // namespace zavo
