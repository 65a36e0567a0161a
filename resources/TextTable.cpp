#include "resources/TextTable.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

namespace zavo {

// Defined by the built-in table (BuiltinStrings.cpp).
std::span<const ZavoText> builtinStrings();

TextTable& TextTable::active() {
  static TextTable table;
  return table;
}

TextTable::TextTable() { useBuiltin(); }

std::span<const ZavoText> TextTable::builtin() { return builtinStrings(); }

void TextTable::adopt(std::span<const ZavoText> entries, void* library) {
  std::vector<ZavoText> sorted;
  sorted.reserve(entries.size());
  for (const auto& e : entries)
    if (e.text) sorted.push_back(e);
  // A table with an id twice answers with its first entry.
  std::stable_sort(sorted.begin(), sorted.end(), [](const ZavoText& a, const ZavoText& b) { return a.id < b.id; });
  sorted.erase(std::unique(sorted.begin(), sorted.end(), [](const ZavoText& a, const ZavoText& b) { return a.id == b.id; }),
               sorted.end());
  entries_ = std::move(sorted);
  library_ = library;
}

namespace {

// A bare library name is looked for where the program's own libraries are (lib/ beside the
// program's folder, in the build tree and in an installed tree) before the loader's search
// path: the loader only consults the program's run path for calls it sees coming from the
// program, which a sanitizer's or a debugger's wrapper of dlopen hides.
void* openLibrary(const std::string& nameOrPath) {
  if (nameOrPath.find('/') == std::string::npos) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
      for (const auto& dir : {exe.parent_path().parent_path() / "lib", exe.parent_path()}) {
        const auto candidate = dir / nameOrPath;
        if (std::filesystem::exists(candidate, ec))
          if (void* h = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return h;
      }
    }
  }
  return dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

bool TextTable::loadLibrary(const std::string& nameOrPath) {
  void* handle = openLibrary(nameOrPath);
  if (!handle) return false;
  auto fn = reinterpret_cast<ZavoTextTableFn>(dlsym(handle, kTextTableSymbol));
  std::size_t count = 0;
  const ZavoText* table = fn ? fn(&count) : nullptr;
  if (!table) {
    dlclose(handle);
    return false;
  }
  adopt({table, count}, handle);
  return true;
}

void TextTable::useBuiltin() { adopt(builtin(), nullptr); }

std::string_view TextTable::text(unsigned id) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                   [](const ZavoText& e, unsigned wanted) { return e.id < wanted; });
  return it != entries_.end() && it->id == id ? std::string_view(it->text) : std::string_view{};
}

bool TextTable::has(unsigned id) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                   [](const ZavoText& e, unsigned wanted) { return e.id < wanted; });
  return it != entries_.end() && it->id == id;
}

std::string text(unsigned id) { return std::string(TextTable::active().text(id)); }

}  // namespace zavo
