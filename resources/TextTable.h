#pragma once
// The active text table: every title and message of the program is looked up here by string
// id. At start-up the program loads the language library (Tolkar, English); until then, or
// when it cannot be loaded, the built-in table compiled into the program answers.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "resources/TextEntry.h"

namespace zavo {

class TextTable {
 public:
  // The process-wide table.
  static TextTable& active();

  // Loads a language library by file name (searched as the dynamic loader does) or path and
  // makes its table active. On failure the current table stays and false is returned.
  bool loadLibrary(const std::string& nameOrPath);
  // Makes the built-in table active again.
  void useBuiltin();
  bool fromLibrary() const { return library_ != nullptr; }

  // Text of `id` ("" when the table has none).
  std::string_view text(unsigned id) const;
  bool has(unsigned id) const;
  // Every entry, ascending by id.
  std::span<const ZavoText> entries() const { return entries_; }

  // The table compiled into the program.
  static std::span<const ZavoText> builtin();

  TextTable(const TextTable&) = delete;
  TextTable& operator=(const TextTable&) = delete;

 private:
  TextTable();
  void adopt(std::span<const ZavoText> entries, void* library);

  // Sorted by id. The texts stay where the table keeps them: a loaded library is never
  // unloaded, so that a text handed out earlier stays valid for the life of the process.
  std::vector<ZavoText> entries_;
  void* library_ = nullptr;
};

// Shorthand for TextTable::active().text(id) as a string.
std::string text(unsigned id);

}  // namespace zavo
